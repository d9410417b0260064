#include "library/libraryfile.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

} // namespace

class TestLibraryFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lineEnds_data();
    void lineEnds();
    void everyByteRoundTrips();
    void writesCrLfAfterEveryLine();
    void emptyLibraryIsEmptyFile();
    void missingFileIsReported();
    void failedWriteLeavesOldFile();
    void libraryFolder_data();
    void libraryFolder();
};

void TestLibraryFile::lineEnds_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty file") << QByteArray() << QStringList();
    QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
    QTest::newRow("lone CR") << QByteArray("a\rb\r") << QStringList{"a", "b"};
    QTest::newRow("lone LF does not end a line") << QByteArray("a\nb\n") << QStringList{"a\nb\n"};
    QTest::newRow("last line without end") << QByteArray("a\r\nb") << QStringList{"a", "b"};
    QTest::newRow("blank lines kept")
        << QByteArray("a\r\n\r\n\rb\r\n") << QStringList{"a", "", "", "b"};
    QTest::newRow("LF CR") << QByteArray("a\n\rb") << QStringList{"a\n", "b"};
    QTest::newRow("only CR LF") << QByteArray("\r\n") << QStringList{""};
}

void TestLibraryFile::lineEnds()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("lib.txt"));
    QVERIFY(writeBytes(path, bytes));
    const LibraryFileContent content = readLibraryFile(path);
    QVERIFY(content.ok());
    QCOMPARE(content.lines, lines);
}

// A file read and written back without change comes back byte for byte, for every byte that
// can stand inside a line (all but CR; LF is kept inside a line).
void TestLibraryFile::everyByteRoundTrips()
{
    QByteArray bytes;
    for (int b = 0; b < 256; ++b) {
        if (b == '\r')
            continue;
        bytes.append(char(b));
        if (b % 32 == 31)
            bytes.append("\r\n");
    }
    bytes.append("\r\n");
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("in.txt"));
    const QString out = dir.filePath(QStringLiteral("out.txt"));
    QVERIFY(writeBytes(in, bytes));
    const LibraryFileContent content = readLibraryFile(in);
    QVERIFY(content.ok());
    QCOMPARE(content.lines.size(), 9);
    QCOMPARE(content.lines.at(4).at(0), QChar(0x20AC)); // 0x80 is the euro sign
    QCOMPARE(content.lines.at(7).at(31), QChar(0x00FF));
    QCOMPARE(writeLibraryFile(out, content.lines), QString());
    QCOMPARE(readBytes(out), bytes);
}

void TestLibraryFile::writesCrLfAfterEveryLine()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("lib.txt"));
    QCOMPARE(writeLibraryFile(path, {QStringLiteral("one"), QString(), QStringLiteral("Zürich")}),
             QString());
    QCOMPARE(readBytes(path), QByteArray("one\r\n\r\nZ\xfcrich\r\n"));
}

void TestLibraryFile::emptyLibraryIsEmptyFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("lib.txt"));
    QVERIFY(writeBytes(path, "old content\r\n"));
    QCOMPARE(writeLibraryFile(path, {}), QString());
    QCOMPARE(readBytes(path), QByteArray());
}

void TestLibraryFile::missingFileIsReported()
{
    QTemporaryDir dir;
    const LibraryFileContent content = readLibraryFile(dir.filePath(QStringLiteral("none.txt")));
    QVERIFY(!content.ok());
    QVERIFY(content.lines.isEmpty());
}

void TestLibraryFile::failedWriteLeavesOldFile()
{
    QTemporaryDir dir;
    // A folder in the place of the file: nothing can be written there.
    const QString blocked = dir.filePath(QStringLiteral("lib.txt"));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("lib.txt")));
    QVERIFY(!writeLibraryFile(blocked, {QStringLiteral("x")}).isEmpty());
    QVERIFY(QFileInfo(blocked).isDir());
    // A folder that does not exist.
    QVERIFY(
        !writeLibraryFile(dir.filePath(QStringLiteral("no/such/lib.txt")), {QStringLiteral("x")})
             .isEmpty());
    QVERIFY(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

void TestLibraryFile::libraryFolder_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("folder"); // "-": no folder
    QTest::newRow("plain") << "/libs/Swiss.txt"
                           << "/libs/Swiss";
    QTest::newRow("dot in a folder") << "/my.libs/Swiss.txt"
                                     << "/my.libs/Swiss";
    QTest::newRow("two dots") << "/libs/Swiss.old.txt"
                              << "/libs/Swiss";
    QTest::newRow("hidden dot folder") << "/home/ann/.libs/a.txt"
                                       << "/home/ann/.libs/a";
    QTest::newRow("no dot in the name") << "/my.libs/Swiss"
                                        << "-";
    QTest::newRow("bare name") << "Swiss.txt"
                               << "Swiss";
#ifdef Q_OS_WIN
    QTest::newRow("drive path") << "C:\\My.Libs\\Swiss.txt"
                                << "C:\\My.Libs\\Swiss";
#endif
}

void TestLibraryFile::libraryFolder()
{
    QFETCH(QString, path);
    QFETCH(QString, folder);
    QCOMPARE(libraryFolderOf(path).value_or(QStringLiteral("-")), folder);
}

QTEST_GUILESS_MAIN(TestLibraryFile)
#include "test_core_libraryfile.moc"

#include "library/entrytables.h"
#include "library/libraryfile.h"
#include "library/librarystate.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Tables written as their entries: "b" an entry added from the folder "/b/", "a@" one read from
// the file, whose bytes were "<a>" (so that they tell from the line's own code page bytes).
EntryTables tablesOf(const QString &entries)
{
    EntryTables tables;
    for (QString entry : entries.split(u' ', Qt::SkipEmptyParts)) {
        const bool read = entry.endsWith(u'@');
        if (read)
            entry.chop(1);
        tables.lines.append(entry);
        tables.lineBytes.append(read ? "<" + entry.toLatin1() + ">" : entry.toLatin1());
        tables.entryFolder.append(read ? QString() : u'/' + entry + u'/');
        tables.entryStatus.append(read ? QString(readFromFile) : QString(addedHere));
    }
    return tables;
}

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
    void entryMends_data();
    void entryMends();
    void fullLibraryTakesNoEntry();
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

void TestLibraryFile::entryMends_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("mend"); // the operation and its arguments
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("current"); // the entry the list shows as current afterwards
    QTest::newRow("append") << "a@ b"
                            << "append c"
                            << "a@ b c" << 2;
    QTest::newRow("append to none") << ""
                                    << "append c"
                                    << "c" << 0;
    QTest::newRow("replace an entry read from the file") << "a@ b@ c@"
                                                         << "replace 1 x"
                                                         << "a@ x c@" << 1;
    QTest::newRow("replace beyond the last") << "a b"
                                             << "replace 2 x"
                                             << "a b" << -1;
    QTest::newRow("remove the first") << "a@ b c"
                                      << "remove 0"
                                      << "b c" << 0;
    QTest::newRow("remove in the middle") << "a b@ c"
                                          << "remove 1"
                                          << "a c" << 1;
    QTest::newRow("remove the last") << "a b@ c"
                                     << "remove 2"
                                     << "a b@" << 1;
    QTest::newRow("remove the only") << "a@"
                                     << "remove 0"
                                     << "" << -1;
    QTest::newRow("remove none") << ""
                                 << "remove 0"
                                 << "" << -1;
    QTest::newRow("move up") << "a@ b c"
                             << "move 1 -1"
                             << "b a@ c" << 0;
    QTest::newRow("move down") << "a@ b c"
                               << "move 1 1"
                               << "a@ c b" << 2;
    QTest::newRow("move the first up") << "a b"
                                       << "move 0 -1"
                                       << "a b" << -1;
    QTest::newRow("move the last down") << "a b"
                                        << "move 1 1"
                                        << "a b" << -1;
    QTest::newRow("move two places") << "a b c"
                                     << "move 0 2"
                                     << "a b c" << -1;
    QTest::newRow("read a file") << "a b"
                                 << "read x y"
                                 << "x@ y@" << -1;
}

void TestLibraryFile::entryMends()
{
    QFETCH(QString, before);
    QFETCH(QString, mend);
    QFETCH(QString, after);
    QFETCH(int, current);
    EntryTables tables = tablesOf(before);
    const QStringList words = mend.split(u' ');
    EntryMend done;
    if (words[0] == QLatin1String("append"))
        done = appendEntryLine(tables, words[1], u'/' + words[1] + u'/');
    else if (words[0] == QLatin1String("replace"))
        done = replaceEntryLine(tables, words[1].toInt(), words[2], u'/' + words[2] + u'/');
    else if (words[0] == QLatin1String("remove"))
        done = removeEntryLine(tables, words[1].toInt());
    else if (words[0] == QLatin1String("move"))
        done = moveEntryLine(tables, words[1].toInt(), words[2].toInt());
    else {
        const QStringList read = words.mid(1);
        QList<QByteArray> bytes;
        for (const QString &line : read)
            bytes.append("<" + line.toLatin1() + ">");
        done = readEntryLines(tables, read, bytes);
    }
    const EntryTables expected = tablesOf(after);
    QCOMPARE(tables.lines, expected.lines);
    QCOMPARE(tables.lineBytes, expected.lineBytes);
    QCOMPARE(tables.entryFolder, expected.entryFolder);
    QCOMPARE(tables.entryStatus, expected.entryStatus);
    QCOMPARE(done.done(), before != after || words[0] == QLatin1String("read"));
    if (done.done())
        QCOMPARE(done.to, current);
}

void TestLibraryFile::fullLibraryTakesNoEntry()
{
    EntryTables tables;
    QStringList lines(999, QStringLiteral("a"));
    readEntryLines(tables, lines, QList<QByteArray>(999, "a"));
    QVERIFY(appendEntryLine(tables, QStringLiteral("b"), QStringLiteral("/b/")).done());
    QVERIFY(!appendEntryLine(tables, QStringLiteral("c"), QStringLiteral("/c/")).done());
    QVERIFY(!readEntryLines(tables, QStringList(1001, lines.first()), QList<QByteArray>(1001, "a"))
                 .done());
    QCOMPARE(tables.count(), 1000);
}

QTEST_GUILESS_MAIN(TestLibraryFile)
#include "test_core_libraryfile.moc"

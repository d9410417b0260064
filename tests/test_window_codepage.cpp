// Attributes files and the site index under the system's ANSI code page. On Windows the suite
// runs this program once per code page (cmake: Wine takes the code page from the locale it is
// started in); TESSARO_ANSI_CODE_PAGE names the one it must have been given. Elsewhere the
// code page is always Windows-1252.
#include "entrylines.h"
#include "testfiles.h"
#include "windowfixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTemporaryDir>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

namespace {

// The system's ANSI code page; 0 where there is none.
unsigned systemCodePage()
{
#ifdef Q_OS_WIN
    return GetACP();
#else
    return 0;
#endif
}

// An entry line of 58 columns and a drawing name, as bytes.
QByteArray entryBytes(const QByteArray &label, const QByteArray &drawing)
{
    return EntryLineBytes{.label = label, .olh = "58", .drawing = drawing}.text();
}

const QByteArray swiss1252 = entryBytes("Z\xFCrich Hbf", "B\xE4r.bmp");

} // namespace

class TestCodePage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void composedLabel_data();
    void composedLabel();
    void openedLinesSavedAsRead_data();
    void openedLinesSavedAsRead();
    void siteIndexKeepsItsBytes();

private:
    bool addEntry(const QString &label);
    QByteArray savedFile();

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_drawings;
    std::unique_ptr<WindowFixture> f;
};

void TestCodePage::initTestCase()
{
    qInfo("ANSI code page: %u", systemCodePage());
    const QByteArray expected = qgetenv("TESSARO_ANSI_CODE_PAGE");
    if (!expected.isEmpty())
        QCOMPARE(systemCodePage(), expected.toUInt());
}

void TestCodePage::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_drawings = m_dir->filePath(QStringLiteral("drawings")) + QDir::separator();
    QVERIFY(QDir().mkpath(m_drawings));
    QVERIFY(writeBytes(m_drawings + QLatin1String("Re44.bmp"), "BM"));
    f = std::make_unique<WindowFixture>();
}

bool TestCodePage::addEntry(const QString &label)
{
    FrmEdit &w = *f->window;
    const int before = w.entryCount;
    w.sourceFolder = m_drawings;
    w.drawingFolder = m_drawings;
    w.drawingFileName = QStringLiteral("Re44.bmp");
    w.chkEPO[4]->setChecked(true);
    f->child<QComboBox>(QStringLiteral("cboUland"))->setCurrentIndex(2);
    f->child<QComboBox>(QStringLiteral("cboGT"))->setCurrentIndex(2);
    f->labelBox()->setText(label);
    w.chkSAR[1]->setChecked(true);
    w.chkVR[1]->setChecked(true);
    w.addEntry();
    return w.entryCount == before + 1;
}

// Saves the library in the window to Swiss.txt and gives the file's bytes.
QByteArray TestCodePage::savedFile()
{
    const QString file = m_dir->filePath(QStringLiteral("Swiss.txt"));
    if (f->window->libraryMode == QLatin1String("NEW"))
        f->exchange->answerFile(file);
    f->action(QStringLiteral("menuSave"))->trigger();
    return readBytes(file);
}

void TestCodePage::composedLabel_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QByteArray>("bytes"); // the label's bytes in the file; empty: refused
    // Rows for the code page this run has; a multi-byte one (932, 65001) writes Windows-1252.
    const unsigned page = systemCodePage();
    const bool cyrillic = page == 1251;
    QTest::addRow("Latin, code page %u", page)
        << QStringLiteral("Z\u00FCrich Hbf") << (cyrillic ? QByteArray() : "Z\xFCrich Hbf");
    QTest::addRow("Cyrillic, code page %u", page)
        << QStringLiteral("\u041C\u043E\u0441\u043A\u0432\u0430")
        << (cyrillic ? QByteArray("\xCC\xEE\xF1\xEA\xE2\xE0") : QByteArray());
    QTest::addRow("Japanese, code page %u", page) << QStringLiteral("\u6771\u4EAC") << QByteArray();
}

// A label is written in the single-byte code page in use, one byte per character, or refused.
void TestCodePage::composedLabel()
{
    QFETCH(QString, label);
    QFETCH(QByteArray, bytes);
    f->exchange->answerInput(QStringLiteral("Swiss"));
    f->action(QStringLiteral("menuNew"))->trigger();

    QCOMPARE(addEntry(label), !bytes.isEmpty());
    if (bytes.isEmpty()) {
        QCOMPARE(f->exchange->messages.size(), 1);
        QVERIFY2(f->exchange->messages.first().text.contains(QStringLiteral("character")),
                 qPrintable(f->exchange->messages.first().text));
        return;
    }
    QCOMPARE(savedFile(), entryBytes(bytes, "Re44.bmp") + "\r\n");
}

void TestCodePage::openedLinesSavedAsRead_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("utf8Line");     // the line the user is told of; 0: nothing told
    QTest::addColumn<bool>("turn");        // OK to the question at Open
    QTest::addColumn<QByteArray>("saved"); // the opened lines as the save writes them
    QTest::addColumn<int>("kept");         // the UTF-8 line left as read, named after OK
    QTest::newRow("Windows-1252") << swiss1252 + "\r\n" + entryBytes("Gen\xE8ve", "A.bmp") + "\r\n"
                                  << 0 << false << QByteArray() << 0;
    QTest::newRow("bytes with no character in Windows-1252")
        << entryBytes("\x81\x8D\x8F\x90\x9D", "B.bmp") + "\r\n"
        << 0 << false << QByteArray() << 0;
    QTest::newRow("UTF-8 with byte-order mark")
        << "\xEF\xBB\xBF" + entryBytes("Zurich", "A.bmp") + "\r\n"
        << 1 << false << QByteArray() << 0;
    QTest::newRow("UTF-8 from the second line on")
        << swiss1252 + "\r\n" + entryBytes("Z\xC3\xBCrich", "B\xC3\xA4r.bmp") + "\r\n"
        << 2 << false << QByteArray() << 0;
    // Notepad keeps the columns in characters: a UTF-8 line is shifted in bytes.
    const QString zurich = EntryLine{.label = QStringLiteral("Z\u00FCrich"),
                                     .olh = "58",
                                     .drawing = QStringLiteral("A.bmp")}
                               .text();
    const QByteArray notepad = "\xEF\xBB\xBF" + zurich.toUtf8() + "\r\n";
    const bool fits = systemCodePage() != 1251;
    QTest::newRow("UTF-8 with byte-order mark, turned")
        << notepad << 1 << true << (fits ? entryBytes("Z\xFCrich", "A.bmp") + "\r\n" : notepad)
        << (fits ? 0 : 1);
    const QByteArray lodz = EntryLine{.label = QStringLiteral("\u0141\u00F3d\u017A"),
                                      .olh = "58",
                                      .drawing = QStringLiteral("L.bmp")}
                                .text()
                                .toUtf8();
    QTest::newRow("UTF-8 with a character no code page here has")
        << swiss1252 + "\r\n" + lodz + "\r\n"
        << 2 << true << swiss1252 + "\r\n" + lodz + "\r\n"
        << 2;
}

// Lines read from a file go back as the bytes they were read from, whatever the code page;
// only the entry added in the window is encoded. A UTF-8 file is told once, with its line, and
// asked about: after OK its lines are written in the code page where it holds them.
void TestCodePage::openedLinesSavedAsRead()
{
    QFETCH(QByteArray, file);
    QFETCH(int, utf8Line);
    QFETCH(bool, turn);
    QFETCH(QByteArray, saved);
    QFETCH(int, kept);
    const QString path = QDir::toNativeSeparators(m_dir->filePath(QStringLiteral("Swiss.txt")));
    QVERIFY(writeBytes(path, file));
    f->exchange->answerFile(path);
    if (utf8Line != 0)
        f->exchange->answerMessage(turn ? MessageAnswer::Ok : MessageAnswer::Cancel);
    f->action(QStringLiteral("menuOpen"))->trigger();
    QCOMPARE(f->window->libraryMode, QStringLiteral("UPD"));
    // The library has no folder, which Open tells of last; the code page is what counts here.
    QList<ScriptedExchange::Message> messages = f->exchange->messages;
    QVERIFY(!messages.isEmpty() && messages.takeLast().text.contains(QLatin1String(
                                       "is missing: the display program will find none of them")));
    if (utf8Line == 0) {
        QCOMPARE(messages.size(), 0);
    } else {
        QCOMPARE(messages.size(), kept ? 2 : 1);
        QCOMPARE(messages.first().kind, MessageKind::Warning);
        QCOMPARE(messages.first().buttons, MessageButtons::OkCancel);
        const QString told = messages.first().text;
        QVERIFY2(told.startsWith(path) && told.contains(QStringLiteral("line %1:").arg(utf8Line)),
                 qPrintable(told));
        if (kept)
            QVERIFY2(messages.last().text.contains(QStringLiteral("\rline %1: ").arg(kept)),
                     qPrintable(messages.last().text));
    }
    // Turned lines are work no save has written: Open asks before it drops them.
    f->exchange->clearRecords();
    f->exchange->answerMessage(MessageAnswer::Cancel);
    f->exchange->cancelFile();
    f->action(QStringLiteral("menuOpen"))->trigger();
    QCOMPARE(f->exchange->messages.size(), turn && kept == 0 ? 1 : 0);
    f->exchange->clearRecords();

    QVERIFY(addEntry(QStringLiteral("Re 4/4")));
    QCOMPARE(savedFile(),
             (saved.isEmpty() ? file : saved) + entryBytes("Re 4/4", "Re44.bmp") + "\r\n");
    // A save over lines still UTF-8 names them after its own word.
    const bool stillUtf8 = utf8Line != 0 && (!turn || kept);
    QCOMPARE(f->exchange->messages.constLast().text.contains(QLatin1String("still UTF-8")),
             stillUtf8);
}

// The site index keeps every byte outside the row the HTML command puts in.
void TestCodePage::siteIndexKeepsItsBytes()
{
    const SiteLocations site = SiteLocations::onDrive(m_dir->filePath(QStringLiteral("D")));
    f->window->siteLocations = site;
    QVERIFY(QDir().mkpath(site.libraryPagesFolder));
    QVERIFY(QDir().mkpath(QFileInfo(site.pageTemplate).path()));
    QVERIFY(writeBytes(site.pageTemplate, "<html>\r\n<body>\r\n<table>\r\n"));
    const QByteArray head =
        "<html>\r\n<table>\r\n<tr><td>Schweiz \x96 Z\xFCrich, Gen\xE8ve</td></tr>\r\n";
    const QByteArray tail = "</table>\r\n</html>\r\n";
    QVERIFY(writeBytes(site.indexPage, head + tail));
    const QString attributes = m_dir->filePath(QStringLiteral("SWISS1.txt"));
    QVERIFY(writeBytes(attributes, swiss1252 + "\r\n"));

    f->exchange->answerFile(QDir::toNativeSeparators(attributes));
    f->exchange->answerInput(QStringLiteral("Swiss railways"));
    f->window->publishHtml();

    QCOMPARE(f->exchange->messageTexts().last(), QStringLiteral("FATTO!"));
    QCOMPARE(readBytes(site.indexPage),
             head +
                 "<tr>\r\n<td><p align=\"center\"><a href=\"LIBRARIES/SWISS1.html\">\r\n"
                 "Swiss railways</a>\r\n</p>\r\n</td>\r\n</tr>\r\n" +
                 tail);
}

QTEST_MAIN(TestCodePage)
#include "test_window_codepage.moc"

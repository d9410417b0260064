#include "entrylines.h"
#include "frmedit.h"
#include "library/libraryfile.h"
#include "mountedvolume.h"
#include "scratchdrive.h"
#include "scriptedexchange.h"
#include "testfiles.h"
#include "text/codepage.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QListWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

// A GIF one pixel high: every pixel black (colour 0) but the last, which is white. Each pixel
// is written as a literal code after a clear code, so the code table never grows and the codes
// stay three bits wide.
QByteArray gifOfWidth(int width)
{
    QByteArray gif("GIF89a");
    const auto le16 = [&gif](int value) {
        gif.append(char(value & 0xFF));
        gif.append(char((value >> 8) & 0xFF));
    };
    le16(width);
    le16(1);
    gif.append(char(0x80)); // a global colour table of two entries
    gif.append('\0');       // background colour
    gif.append('\0');       // aspect ratio
    gif.append(QByteArray("\x00\x00\x00\xFF\xFF\xFF", 6));
    gif.append(char(0x2C)); // image descriptor: the whole screen, no local table
    le16(0);
    le16(0);
    le16(width);
    le16(1);
    gif.append('\0');

    constexpr int minimumCodeSize = 2;
    constexpr int clearCode = 1 << minimumCodeSize;
    constexpr int endCode = clearCode + 1;
    gif.append(char(minimumCodeSize));
    QByteArray data;
    quint32 pending = 0;
    int pendingBits = 0;
    const auto put = [&](int code) {
        pending |= quint32(code) << pendingBits;
        pendingBits += minimumCodeSize + 1;
        while (pendingBits >= 8) {
            data.append(char(pending & 0xFF));
            pending >>= 8;
            pendingBits -= 8;
        }
    };
    for (int x = 0; x < width; ++x) {
        put(clearCode);
        put(x == width - 1 ? 1 : 0);
    }
    put(endCode);
    if (pendingBits > 0)
        data.append(char(pending & 0xFF));
    for (qsizetype i = 0; i < data.size(); i += 255) {
        const QByteArray block = data.mid(i, 255);
        gif.append(char(block.size()));
        gif.append(block);
    }
    gif.append('\0');
    gif.append(char(0x3B)); // trailer
    return gif;
}

QString entryLine(const QString &label, const QString &fileName)
{
    return EntryLine{.label = label, .richtung = "L", .drawing = fileName}.text();
}

QByteArray crlfLines(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += encodeCodePage(line) + "\r\n";
    return bytes;
}

const QStringList templateLines{QStringLiteral("<html>"),
                                QStringLiteral("<head><title>Pavo Bahn \u00E9</title></head>"),
                                QStringLiteral("<body>"), QStringLiteral("<table>")};

const QStringList indexLines{
    QStringLiteral("<html>"),   QStringLiteral("<body>"),
    QStringLiteral("<table>"),  QStringLiteral("<tr><td>Schweiz</td></tr>"),
    QStringLiteral("</table>"), QStringLiteral("</body>"),
    QStringLiteral("</html>")};

// The site index with rows of other libraries until it is at least size bytes long (the
// full-volume test, which runs on Linux only).
[[maybe_unused]] QByteArray indexOfSize(qsizetype size)
{
    QStringList lines = indexLines;
    for (int row = 0; crlfLines(lines).size() < size; ++row)
        lines.insert(3, QStringLiteral("<tr><td>Library %1</td></tr>").arg(row));
    return crlfLines(lines);
}

const QString description = QStringLiteral("Schweizer B\u00E4hnle & <Co>");

QStringList indexRow(const QString &text)
{
    return {QStringLiteral("<tr>"),
            QStringLiteral("<td><p align=\"center\"><a href=\"LIBRARIES/SWISS1.html\">"),
            text + QStringLiteral("</a>"),
            QStringLiteral("</p>"),
            QStringLiteral("</td>"),
            QStringLiteral("</tr>")};
}

QStringList indexWithRows(int rows, const QString &text = description)
{
    QStringList lines = indexLines.mid(0, 4);
    for (int i = 0; i < rows; ++i)
        lines += indexRow(text);
    return lines + indexLines.mid(4);
}

// The page of SWISS1 with its four entries: pictures of 510 and 511 pixels, a missing one and
// one that is no picture at all.
QStringList expectedPage(const QString &text = description)
{
    return templateLines +
           QStringList{
               QStringLiteral("<tr>"),
               QStringLiteral("<td bgcolor=\"#000000\"><p align=\"center\"><font"),
               QStringLiteral("color=\"#FFFF00\">download</font></p>"),
               QStringLiteral("<p align=\"center\"><a href=\"SWISS1.zip\"><font"),
               QStringLiteral("color=\"#000080\">") + text + QStringLiteral("</font></a><font"),
               QStringLiteral("color=\"#FFFF00\"> (SWISS1.zip)</font></p>"),
               QStringLiteral("<p align=\"center\"><font color=\"#FFFF00\">The complete set"),
               QStringLiteral("of base models:</font></p>"),
               QStringLiteral("</td>"),
               QStringLiteral("</tr>"),

               QStringLiteral("<tr>"),
               QStringLiteral("<td bgcolor=\"#000000\"><p align=\"center\"><img"),
               QStringLiteral("src=\"SWISS1/CH_Re44_E_a.gif\""),
               QStringLiteral("></p>"),
               QStringLiteral("<p align=\"center\"><font color=\"#FFFF00\">Re 4/4 II"),
               QStringLiteral("</font></p>"),
               QStringLiteral("</td>"),
               QStringLiteral("</tr>"),

               QStringLiteral("<tr>"),
               QStringLiteral("<td bgcolor=\"#000000\"><p align=\"center\"><img"),
               QStringLiteral("src=\"SWISS1/CH_Ae66_E_b.gif\""),
               QStringLiteral("width=\"900\" height=\"58\"></p>"),
               QStringLiteral("<p align=\"center\"><font color=\"#FFFF00\">Ae 6/6 & <b>"),
               QStringLiteral("</font></p>"),
               QStringLiteral("</td>"),
               QStringLiteral("</tr>"),

               QStringLiteral("<tr>"),
               QStringLiteral("<td bgcolor=\"#000000\"><p align=\"center\"><img"),
               QStringLiteral("src=\"SWISS1/CH_Ge44_E_c.gif\""),
               QStringLiteral("></p>"),
               QStringLiteral("<p align=\"center\"><font color=\"#FFFF00\">Ge 4/4 Kr\u00F6kodil"),
               QStringLiteral("</font></p>"),
               QStringLiteral("</td>"),
               QStringLiteral("</tr>"),

               QStringLiteral("<tr>"),
               QStringLiteral("<td bgcolor=\"#000000\"><p align=\"center\"><img"),
               QStringLiteral("src=\"SWISS1/CH_Be66_E_d.gif\""),
               QStringLiteral("></p>"),
               QStringLiteral("<p align=\"center\"><font color=\"#FFFF00\">Be 6/8"),
               QStringLiteral("</font></p>"),
               QStringLiteral("</td>"),
               QStringLiteral("</tr>"),

               QStringLiteral("<tr>"),
               QStringLiteral("<td><p align=\"center\"><a href=\"../dn_pavoscr.html\"><img"),
               QStringLiteral(
                   "src=\"../../img/ndface.gif\" width=\"150\" height=\"75\" nosave></a></p>"),
               QStringLiteral("</td>"),
               QStringLiteral("</tr>"),
               QStringLiteral("</table>"),
               QStringLiteral("<p>&nbsp;</p>"),
               QStringLiteral("</body>"),
               QStringLiteral("</html>")};
}

} // namespace

class TestWindowHtml : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void gifFilesAreReal();
    void menuItemHiddenDisabledAndWired();
    void wholeRun();
    void runTwiceAddsTwoRows();
    void emptyDescription();
    void silentEnds_data();
    void silentEnds();
    void nameNotIdentified();
    void failureLeavesIndex_data();
    void failureLeavesIndex();
    void fullSiteVolume_data();
    void fullSiteVolume();

private:
    // Everything of the window's library state that a user can see or a save would use.
    QStringList libraryState() const;
    QString page() const { return site.libraryPage(QStringLiteral("SWISS1")); }
    QString picture(const QString &base) const
    {
        return site.picture(QStringLiteral("SWISS1"), base);
    }
    void publish(const QString &path, const QString &text = description);
    // The site tree on drive D: with its index page, template and pictures.
    void makeSite(const QByteArray &index);

    std::unique_ptr<QTemporaryDir> dir;
    SiteLocations site;
    QString attributesPath;
    ScriptedExchange *exchange = nullptr;
    std::unique_ptr<FrmEdit> window;
    QStringList stateBefore;
    QList<int> busyAtMessage; // the pointer's state while each message was shown
};

void TestWindowHtml::init()
{
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
    // The site's fixed places where the test has a drive D: of its own.
    site = haveScratchDriveD() ? siteOnScratchDriveD()
                               : SiteLocations::onDrive(dir->path() + QStringLiteral("/D"));
    makeSite(crlfLines(indexLines));
    QVERIFY(QDir().mkpath(dir->path() + QStringLiteral("/LIBS")));

    attributesPath = dir->path() + QStringLiteral("/LIBS/SWISS1.txt");
    QVERIFY(
        writeLibraryFile(
            attributesPath,
            {entryLine(QStringLiteral("  Re 4/4 II  "), QStringLiteral("CH_Re44_E_a.bmp")),
             entryLine(QStringLiteral("Ae 6/6 & <b>"), QStringLiteral("CH_Ae66_E_b.bmp")),
             entryLine(QStringLiteral("Ge 4/4 Kr\u00F6kodil"), QStringLiteral("CH_Ge44_E_c.bmp")),
             entryLine(QStringLiteral("Be 6/8"), QStringLiteral("CH_Be66_E_d.BMP"))})
            .isEmpty());

    auto scripted = std::make_unique<ScriptedExchange>();
    exchange = scripted.get();
    window = std::make_unique<FrmEdit>(std::move(scripted));
    window->siteLocations = site;
    busyAtMessage.clear();
    exchange->onMessage(
        [this](const ScriptedExchange::Message &) { busyAtMessage.append(exchange->busyDepth); });

    // A library open in the window, which the command must leave as it is.
    const QString openPath = dir->path() + QStringLiteral("/LIBS/OPEN1.txt");
    QVERIFY(writeLibraryFile(
                openPath, {entryLine(QStringLiteral("Open entry"), QStringLiteral("CH_Ee33_E.bmp")),
                           QString()})
                .isEmpty());
    exchange->answerFile(openPath);
    window->openLibrary();
    QCOMPARE(window->libraryMode, QStringLiteral("UPD"));
    exchange->clearRecords();
    busyAtMessage.clear();
    stateBefore = libraryState();
}

void TestWindowHtml::makeSite(const QByteArray &index)
{
    QVERIFY(QDir().mkpath(site.libraryPagesFolder + QStringLiteral("SWISS1")));
    QVERIFY(QDir().mkpath(QFileInfo(site.pageTemplate).path()));
    QVERIFY(writeBytes(site.indexPage, index));
    QVERIFY(writeBytes(site.pageTemplate, crlfLines(templateLines)));
    QVERIFY(writeBytes(picture(QStringLiteral("CH_Re44_E_a")), gifOfWidth(510)));
    QVERIFY(writeBytes(picture(QStringLiteral("CH_Ae66_E_b")), gifOfWidth(511)));
    QVERIFY(writeBytes(picture(QStringLiteral("CH_Be66_E_d")), "not a picture"));
}

void TestWindowHtml::cleanup()
{
    if (!window)
        return;
    QCOMPARE(libraryState(), stateBefore);
    QCOMPARE(exchange->busyDepth, 0);
    QCOMPARE(busyAtMessage, QList<int>(exchange->messages.size(), 0));
    QVERIFY(!QFileInfo::exists(site.scratchName));
    window.reset();
    dir.reset();
}

QStringList TestWindowHtml::libraryState() const
{
    QStringList state{QStringLiteral("mode ") + window->libraryMode,
                      QStringLiteral("file ") + window->libraryFile,
                      QStringLiteral("folder ") + window->libraryFolder,
                      QStringLiteral("count ") + QString::number(window->entryCount),
                      QStringLiteral("lblAF ") +
                          window->findChild<QLabel *>(QStringLiteral("lblAF"))->text()};
    for (const QString &s : window->entryStatus)
        state.append(QStringLiteral("status ") + s);
    for (const QString &f : window->entryFolder)
        state.append(QStringLiteral("entry folder ") + f);
    const auto *list = window->findChild<QListWidget *>(QStringLiteral("lstLibraryFile"));
    for (int i = 0; i < list->count(); ++i)
        state.append(QStringLiteral("item ") + list->item(i)->text());
    return state;
}

void TestWindowHtml::publish(const QString &path, const QString &text)
{
    exchange->answerFile(path);
    exchange->answerInput(text);
    window->publishHtml();
}

void TestWindowHtml::gifFilesAreReal()
{
    for (const int width : {510, 511}) {
        const QString path = dir->filePath(QStringLiteral("probe.gif"));
        QVERIFY(writeBytes(path, gifOfWidth(width)));
        QImageReader header(path);
        QCOMPARE(header.format(), QByteArray("gif"));
        QCOMPARE(header.size(), QSize(width, 1));
        QImageReader reader(path);
        const QImage image = reader.read();
        QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
        QCOMPARE(image.size(), QSize(width, 1));
        QCOMPARE(image.pixelColor(0, 0), QColor(Qt::black));
        QCOMPARE(image.pixelColor(width - 2, 0), QColor(Qt::black));
        QCOMPARE(image.pixelColor(width - 1, 0), QColor(Qt::white));
    }
}

void TestWindowHtml::menuItemHiddenDisabledAndWired()
{
    QAction *item = window->findChild<QAction *>(QStringLiteral("menuHTML"));
    QVERIFY(item);
    QVERIFY(!item->isVisible());
    QVERIFY(!item->isEnabled());
    item->trigger();
    QCOMPARE(exchange->fileRequests.size(), 0);
    // Enabled only here, to show that the item runs the command.
    item->setEnabled(true);
    exchange->cancelFile();
    item->trigger();
    QCOMPARE(exchange->fileRequests.size(), 1);
    item->setEnabled(false);
}

void TestWindowHtml::wholeRun()
{
    const QByteArray stale = "left from an earlier run\r\n";
    QVERIFY(writeBytes(site.scratchName, stale));
    QVERIFY(!QFileInfo::exists(page()));

    publish(attributesPath);

    QCOMPARE(exchange->fileRequests.size(), 1);
    const FileDialogRequest &request = exchange->fileRequests.first();
    QCOMPARE(request.purpose, FileDialogRequest::Purpose::Open);
    QCOMPARE(request.title, QStringLiteral("Get an Existing Source Library Attribute File"));
    QCOMPARE(request.filter, QStringLiteral("Source File (*.txt)|*.txt"));
    QCOMPARE(request.initialName, QStringLiteral("*.txt"));
    QCOMPARE(request.initialFolder, QDir::toNativeSeparators(QDir::currentPath()));
    QCOMPARE(exchange->inputPrompts, QStringList{QStringLiteral("Descr of Library:")});
    QCOMPARE(exchange->unscripted, 0);
    QCOMPARE(exchange->busyShown, 1);

    QCOMPARE(exchange->messages.size(), 2);
    QCOMPARE(exchange->messages[0].kind, MessageKind::Warning);
    QCOMPARE(exchange->messages[0].text,
             QStringLiteral(
                 "These pictures are missing or cannot be read; their rows keep the picture's own "
                 "size:\r") +
                 QDir::toNativeSeparators(picture(QStringLiteral("CH_Ge44_E_c"))) +
                 QLatin1Char('\r') +
                 QDir::toNativeSeparators(picture(QStringLiteral("CH_Be66_E_d"))));
    QCOMPARE(exchange->messages[1].kind, MessageKind::Plain);
    QCOMPARE(exchange->messages[1].text, QStringLiteral("FATTO!"));

    const QByteArray pageBytes = readBytes(page());
    QCOMPARE(splitLibraryText(pageBytes), expectedPage());
    QCOMPARE(pageBytes, crlfLines(expectedPage()));
    const QByteArray indexBytes = readBytes(site.indexPage);
    QCOMPARE(splitLibraryText(indexBytes), indexWithRows(1));
    QCOMPARE(indexBytes, crlfLines(indexWithRows(1)));
    QCOMPARE(readBytes(site.scratchName), stale);
    QFile::remove(site.scratchName);
}

void TestWindowHtml::runTwiceAddsTwoRows()
{
    publish(attributesPath);
    publish(attributesPath);
    QCOMPARE(exchange->messageTexts().count(QStringLiteral("FATTO!")), 2);
    QCOMPARE(splitLibraryText(readBytes(site.indexPage)), indexWithRows(2));
    QCOMPARE(readBytes(site.indexPage), crlfLines(indexWithRows(2)));
    QCOMPARE(readBytes(page()), crlfLines(expectedPage()));
}

void TestWindowHtml::emptyDescription()
{
    exchange->answerFile(attributesPath);
    window->publishHtml(); // the input box is cancelled: an empty description
    QCOMPARE(exchange->inputPrompts.size(), 1);
    QCOMPARE(exchange->messages.last().text, QStringLiteral("FATTO!"));
    QCOMPARE(readBytes(site.indexPage), crlfLines(indexWithRows(1, QString())));
    QCOMPARE(readBytes(page()), crlfLines(expectedPage(QString())));
}

void TestWindowHtml::silentEnds_data()
{
    QTest::addColumn<bool>("cancel");
    QTest::newRow("cancelled") << true;
    QTest::newRow("initial name returned") << false;
}

void TestWindowHtml::silentEnds()
{
    QFETCH(bool, cancel);
    if (cancel)
        exchange->cancelFile();
    else
        exchange->answerFile(QStringLiteral("*.txt"));
    window->publishHtml();
    QCOMPARE(exchange->fileRequests.size(), 1);
    QVERIFY(exchange->messages.isEmpty());
    QVERIFY(exchange->inputPrompts.isEmpty());
    QCOMPARE(exchange->busyShown, 0);
    QCOMPARE(readBytes(site.indexPage), crlfLines(indexLines));
    QVERIFY(!QFileInfo::exists(page()));
}

void TestWindowHtml::nameNotIdentified()
{
    // The first ".txt" of the path belongs to a folder.
    const QString folder = dir->path() + QStringLiteral("/old.txt");
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(QFile::copy(attributesPath, folder + QStringLiteral("/SWISS1.txt")));
    exchange->answerFile(folder + QStringLiteral("/SWISS1.txt"));
    window->publishHtml();
    QCOMPARE(exchange->messages.size(), 1);
    QCOMPARE(exchange->messages[0].kind, MessageKind::Plain);
    QCOMPARE(exchange->messages[0].text, QStringLiteral("NON IDENTIFICO IL NOME!"));
    QVERIFY(exchange->inputPrompts.isEmpty());
    QCOMPARE(exchange->busyShown, 0);
    QCOMPARE(readBytes(site.indexPage), crlfLines(indexLines));
    QVERIFY(!QFileInfo::exists(page()));
}

void TestWindowHtml::failureLeavesIndex_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("reason"); // how the warning begins; the file's path follows

    QTest::newRow("index page missing") << "index"
                                        << "Cannot read the site index page ";
    QTest::newRow("template missing") << "template"
                                      << "Cannot read the page template ";
    QTest::newRow("attributes file missing") << "attributes"
                                             << "Cannot read the attributes file ";
    QTest::newRow("line without .bmp") << "line"
                                       << "Line 3 of the attributes file ";
}

void TestWindowHtml::failureLeavesIndex()
{
    QFETCH(QString, damage);
    QFETCH(QString, reason);

    const QByteArray oldPage = "<html>an earlier page</html>\r\n";
    QVERIFY(writeBytes(page(), oldPage));
    QString named = attributesPath;
    QString chosen = attributesPath;
    if (damage == QLatin1String("index")) {
        QVERIFY(QFile::remove(site.indexPage));
        named = site.indexPage;
    } else if (damage == QLatin1String("template")) {
        QVERIFY(QFile::remove(site.pageTemplate));
        named = site.pageTemplate;
    } else if (damage == QLatin1String("attributes")) {
        chosen = dir->path() + QStringLiteral("/LIBS/NOSUCH.txt");
        named = chosen;
    } else {
        LibraryFileContent content = readLibraryFile(attributesPath);
        content.lines.insert(2, QStringLiteral("a line with no drawing"));
        QVERIFY(writeLibraryFile(attributesPath, content.lines).isEmpty());
    }
    const QByteArray indexBefore = readBytes(site.indexPage);

    publish(chosen);

    QCOMPARE(exchange->messages.size(), 1);
    QCOMPARE(exchange->messages[0].kind, MessageKind::Warning);
    QVERIFY2(exchange->messages[0].text.startsWith(reason + QDir::toNativeSeparators(named)),
             qPrintable(exchange->messages[0].text));
    QCOMPARE(exchange->busyShown, 1);
    QCOMPARE(readBytes(site.indexPage), indexBefore);
    if (damage == QLatin1String("index"))
        QVERIFY(!QFileInfo::exists(site.indexPage));
    else
        QCOMPARE(indexBefore, crlfLines(indexLines));
    QCOMPARE(readBytes(page()), oldPage);
}

void TestWindowHtml::fullSiteVolume_data()
{
    QTest::addColumn<int>("indexSize");
    QTest::addColumn<int>("freePages");
    // Below and above the 16 KB that Qt buffers before it writes; 0, 1 and 2 pages of 4 KB left.
    for (const int size : {8 * 1024, 24 * 1024})
        for (const int pages : {0, 1, 2})
            QTest::addRow("%d KB index, %d pages free", size / 1024, pages) << size << pages;
}

// Drive D: is a small volume of its own, filled up but for a few pages: neither page may be
// left cut, the user is told which file failed and why, and nothing claims success.
void TestWindowHtml::fullSiteVolume()
{
    QFETCH(int, indexSize);
    QFETCH(int, freePages);
    const QString driveRoot =
        haveScratchDriveD() ? QStringLiteral("D:/") : dir->path() + QStringLiteral("/D");
    MountedVolume volume(driveRoot, 512 * 1024);
    if (!volume.mounted())
        QSKIP(qPrintable(QStringLiteral("No volume to fill: %1.").arg(volume.failure())));
    makeSite(indexOfSize(indexSize));
    const QByteArray oldPage = "<html>an earlier page</html>\r\n";
    QVERIFY(writeBytes(page(), oldPage));
    const QByteArray indexBefore = readBytes(site.indexPage);
    QVERIFY(volume.fill(driveRoot + QStringLiteral("/filler"), qint64(freePages) * 4096));

    publish(attributesPath);

    // The library page (under one page) fits into one free page; the index never fits.
    const bool pageFails = freePages == 0;
    const QString failed = pageFails ? QStringLiteral("Cannot write the library page %1: ")
                                           .arg(QDir::toNativeSeparators(page()))
                                     : QStringLiteral("Cannot write the site index page %1: ")
                                           .arg(QDir::toNativeSeparators(site.indexPage));
    QCOMPARE(exchange->messages.size(), 1);
    QCOMPARE(exchange->messages[0].kind, MessageKind::Warning);
    QVERIFY2(exchange->messages[0].text.startsWith(failed + diskFullReason()),
             qPrintable(exchange->messages[0].text));
    QCOMPARE(readBytes(site.indexPage), indexBefore);
    QCOMPARE(readBytes(page()), pageFails ? oldPage : crlfLines(expectedPage()));
    const auto filesIn = [](const QString &folder) {
        return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    };
    QCOMPARE(filesIn(site.libraryPagesFolder), QStringList{"SWISS1.html"});
    QCOMPARE(filesIn(QFileInfo(site.indexPage).path()), QStringList{"dn_pavoscr.html"});
    QCOMPARE(filesIn(driveRoot), QStringList{"filler"});
}

QTEST_MAIN(TestWindowHtml)
#include "test_window_html.moc"

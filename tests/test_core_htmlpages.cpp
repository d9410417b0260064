#include "entrylines.h"
#include "library/libraryfile.h"
#include "scratchdrive.h"
#include "site/htmlpages.h"
#include "site/publishlibrary.h"
#include "site/sitelocations.h"
#include "testfiles.h"
#include "text/codepage.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString entryLine(const QString &label, const QString &fileName)
{
    return EntryLine{.label = label, .uland = "I", .richtung = "L", .drawing = fileName}.text();
}

// The path with "/" turned into this system's separator.
QString nativePath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

PictureWidth widthsByFileName(const QHash<QString, int> &widths)
{
    return [widths](const QString &path) -> std::optional<int> {
        const QString name = QFileInfo(path).fileName();
        if (!widths.contains(name))
            return std::nullopt;
        return widths.value(name);
    };
}

const PictureWidth noPictures = [](const QString &) -> std::optional<int> { return std::nullopt; };

const QByteArray pageTemplate = "<html>\r\n"
                                "<head><title>Pavo \xE9</title></head>\r\n"
                                "<body bgcolor=\"#FF8000\">\r\n"
                                "<table border=\"0\" width=\"100%\">\r\n";

const QByteArray headingRow = "<tr>\r\n"
                              "<td bgcolor=\"#000000\"><p align=\"center\"><font\r\n"
                              "color=\"#FFFF00\">download</font></p>\r\n"
                              "<p align=\"center\"><a href=\"ITALIA1.zip\"><font\r\n"
                              "color=\"#000080\">Linee FS pi\xF9 belle</font></a><font\r\n"
                              "color=\"#FFFF00\"> (ITALIA1.zip)</font></p>\r\n"
                              "<p align=\"center\"><font color=\"#FFFF00\">The complete set\r\n"
                              "of base models:</font></p>\r\n"
                              "</td>\r\n"
                              "</tr>\r\n";

const QByteArray closingRows =
    "<tr>\r\n"
    "<td><p align=\"center\"><a href=\"../dn_pavoscr.html\"><img\r\n"
    "src=\"../../img/ndface.gif\" width=\"150\" height=\"75\" nosave></a></p>\r\n"
    "</td>\r\n"
    "</tr>\r\n"
    "</table>\r\n"
    "<p>&nbsp;</p>\r\n"
    "</body>\r\n"
    "</html>\r\n";

const QString description = QStringLiteral("Linee FS pi\u00F9 belle");

// Three entries: a picture 510 pixels wide, one 511 wide and one that is missing.
QStringList threeEntries()
{
    return {entryLine(QStringLiteral("  Re 4/4 II   "), QStringLiteral("CH_Re44_E_a.bmp")),
            entryLine(QStringLiteral("E 636 <b> & co"), QStringLiteral("I_E636_E_b.BMP")),
            entryLine(QStringLiteral("Caff\u00E8"), QStringLiteral("I_ALn 668_VT_c.bmp"))};
}

const QHash<QString, int> threeWidths{{QStringLiteral("CH_Re44_E_a.gif"), 510},
                                      {QStringLiteral("I_E636_E_b.gif"), 511}};

const QByteArray threeEntryRows = "<tr>\r\n"
                                  "<td bgcolor=\"#000000\"><p align=\"center\"><img\r\n"
                                  "src=\"ITALIA1/CH_Re44_E_a.gif\"\r\n"
                                  "></p>\r\n"
                                  "<p align=\"center\"><font color=\"#FFFF00\">Re 4/4 II\r\n"
                                  "</font></p>\r\n"
                                  "</td>\r\n"
                                  "</tr>\r\n"
                                  "<tr>\r\n"
                                  "<td bgcolor=\"#000000\"><p align=\"center\"><img\r\n"
                                  "src=\"ITALIA1/I_E636_E_b.gif\"\r\n"
                                  "width=\"900\" height=\"58\"></p>\r\n"
                                  "<p align=\"center\"><font color=\"#FFFF00\">E 636 <b> & co\r\n"
                                  "</font></p>\r\n"
                                  "</td>\r\n"
                                  "</tr>\r\n"
                                  "<tr>\r\n"
                                  "<td bgcolor=\"#000000\"><p align=\"center\"><img\r\n"
                                  "src=\"ITALIA1/I_ALn 668_VT_c.gif\"\r\n"
                                  "></p>\r\n"
                                  "<p align=\"center\"><font color=\"#FFFF00\">Caff\xE8\r\n"
                                  "</font></p>\r\n"
                                  "</td>\r\n"
                                  "</tr>\r\n";

const QByteArray indexPage = "<html>\r\n"
                             "<body>\r\n"
                             "<table>\r\n"
                             "<tr><td>Schweiz \xFC</td></tr>\r\n"
                             "</table>\r\n"
                             "</body>\r\n"
                             "</html>\r\n";

const QByteArray indexRow = "<tr>\r\n"
                            "<td><p align=\"center\"><a href=\"LIBRARIES/ITALIA1.html\">\r\n"
                            "Linee FS pi\xF9 belle</a>\r\n"
                            "</p>\r\n"
                            "</td>\r\n"
                            "</tr>\r\n";

QByteArray indexWithRows(int rows)
{
    QByteArray bytes = "<html>\r\n<body>\r\n<table>\r\n<tr><td>Schweiz \xFC</td></tr>\r\n";
    for (int i = 0; i < rows; ++i)
        bytes += indexRow;
    return bytes + "</table>\r\n</body>\r\n</html>\r\n";
}

// A site tree under a temporary folder standing for drive D:, with an attributes file
// outside it. Where the test has a drive D: of its own, the tree is on it at the site's
// fixed places.
struct Site
{
    QTemporaryDir dir;
    SiteLocations locations;
    QString attributesPath;

    Site()
    {
        locations = haveScratchDriveD() ? siteOnScratchDriveD()
                                        : SiteLocations::onDrive(dir.path() + QStringLiteral("/D"));
        QDir().mkpath(locations.libraryPagesFolder + QStringLiteral("ITALIA1"));
        QDir().mkpath(QFileInfo(locations.pageTemplate).path());
        QDir().mkpath(dir.path() + QStringLiteral("/LIBS"));
        attributesPath = dir.path() + QStringLiteral("/LIBS/ITALIA1.txt");
        writeBytes(locations.indexPage, indexPage);
        writeBytes(locations.pageTemplate, pageTemplate);
        writeLibraryFile(attributesPath, threeEntries());
    }

    PublishOutcome publish(const QString &text = description) const
    {
        return publishLibrary(locations, attributesPath, QStringLiteral("ITALIA1"), text,
                              widthsByFileName(threeWidths));
    }
};

} // namespace

class TestCoreHtmlPages : public QObject
{
    Q_OBJECT

private slots:
    void standardLocations();
    void locationsOnDrive();
    void deriveLibraryName_data();
    void deriveLibraryName();
    void insertIndexRow_data();
    void insertIndexRow();
    void widthRule_data();
    void widthRule();
    void pageOfEmptyFile();
    void pageWithWidthsAndMissingPicture();
    void picturesAskedAtTheSitePaths();
    void labelsTrimmedAndUnescaped_data();
    void labelsTrimmedAndUnescaped();
    void labelHoldingBmpKeepsTheDrawingName();
    void entryLineWithoutDrawingRefused_data();
    void entryLineWithoutDrawingRefused();

    void publishWritesPageAndIndex();
    void publishTwiceAddsTwoRows();
    void staleScratchFileLeftAlone();
    void failureReplacesNothing_data();
    void failureReplacesNothing();
};

void TestCoreHtmlPages::standardLocations()
{
    const SiteLocations site = SiteLocations::standard();
#ifdef Q_OS_WIN
    QCOMPARE(site.libraryPagesFolder, QStringLiteral("D:\\root\\pages\\libraries\\"));
    QCOMPARE(site.indexPage, QStringLiteral("D:\\root\\pages\\dn_pavoscr.html"));
    QCOMPARE(site.scratchName, QStringLiteral("D:\\appo.txt"));
    QCOMPARE(site.pageTemplate, QStringLiteral("D:\\rr\\scr\\pavo_bahn_env\\Zerbon\\LIB.txt"));
    QCOMPARE(site.libraryPage(QStringLiteral("ITALIA1")),
             QStringLiteral("D:\\root\\pages\\libraries\\ITALIA1.html"));
#else
    const QString d = QDir::homePath() + QStringLiteral("/D");
    QCOMPARE(site.libraryPagesFolder, d + QStringLiteral("/root/pages/libraries/"));
    QCOMPARE(site.indexPage, d + QStringLiteral("/root/pages/dn_pavoscr.html"));
    QCOMPARE(site.scratchName, d + QStringLiteral("/appo.txt"));
    QCOMPARE(site.pageTemplate, d + QStringLiteral("/rr/scr/pavo_bahn_env/Zerbon/LIB.txt"));
#endif
}

void TestCoreHtmlPages::locationsOnDrive()
{
    const SiteLocations site = SiteLocations::onDrive(nativePath(QStringLiteral("/tmp/D")));
    QCOMPARE(site.libraryPage(QStringLiteral("ITALIA1")),
             nativePath(QStringLiteral("/tmp/D/root/pages/libraries/ITALIA1.html")));
    QCOMPARE(site.picture(QStringLiteral("ITALIA1"), QStringLiteral("I_E636_E_b")),
             nativePath(QStringLiteral("/tmp/D/root/pages/libraries/ITALIA1/I_E636_E_b.gif")));
    QCOMPARE(site.indexPage, nativePath(QStringLiteral("/tmp/D/root/pages/dn_pavoscr.html")));
    QCOMPARE(site.scratchName, nativePath(QStringLiteral("/tmp/D/appo.txt")));
}

void TestCoreHtmlPages::deriveLibraryName_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<std::optional<QString>>("name");

    const std::optional<QString> none;
    const auto name = [](const char *text) {
        return std::optional<QString>(QString::fromLatin1(text));
    };
    QTest::newRow("slash path") << QStringLiteral("C:/Data/ITALIA1.txt") << name("ITALIA1");
    QTest::newRow("native path") << nativePath(QStringLiteral("C:/Data/ITALIA1.txt"))
                                 << name("ITALIA1");
    QTest::newRow("home path") << QStringLiteral("/home/anna/LIBS/Swiss 2.txt") << name("Swiss 2");
    QTest::newRow("upper-case extension") << QStringLiteral("/data/ITALIA1.TXT") << name("ITALIA1");
    QTest::newRow("mixed-case extension") << QStringLiteral("/data/ITALIA1.tXt") << name("ITALIA1");
    QTest::newRow("first .txt counts") << QStringLiteral("/data/a.txt.txt") << name("a");
    QTest::newRow(".txt inside the name") << QStringLiteral("/data/lib.txtold") << name("lib");
    QTest::newRow("other dots kept") << QStringLiteral("/data/it.v2.txt") << name("it.v2");
    QTest::newRow("folder holding .txt") << QStringLiteral("/data/old.txt/ITALIA1.txt") << none;
    QTest::newRow("folder holding .TXT") << QStringLiteral("/data/OLD.TXT/ITALIA1.txt") << none;
    QTest::newRow("no .txt") << QStringLiteral("/data/ITALIA1.lib") << none;
    QTest::newRow("no separator") << QStringLiteral("ITALIA1.txt") << none;
    QTest::newRow("nothing before .txt") << QStringLiteral("/data/.txt") << none;
    QTest::newRow("empty") << QString() << none;
#ifdef Q_OS_WIN
    QTest::newRow("backslash path") << QStringLiteral("C:\\Data\\ITALIA1.txt") << name("ITALIA1");
    QTest::newRow("backslash is a separator") << QStringLiteral("C:/Data/a\\b.txt") << name("b");
    QTest::newRow("backslash folder holding .txt")
        << QStringLiteral("C:\\Data\\old.txt\\ITALIA1.txt") << none;
#else
    // A file name may hold a backslash here; only "/" separates folders.
    QTest::newRow("backslash is part of the name")
        << QStringLiteral("/data/a\\b.txt") << name("a\\b");
    QTest::newRow("backslash path has no folder")
        << QStringLiteral("C:\\Data\\ITALIA1.txt") << none;
#endif
}

void TestCoreHtmlPages::deriveLibraryName()
{
    QFETCH(QString, path);
    QFETCH(std::optional<QString>, name);
    QCOMPARE(::deriveLibraryName(path), name);
}

void TestCoreHtmlPages::insertIndexRow_data()
{
    QTest::addColumn<QStringList>("index");
    QTest::addColumn<QStringList>("expected");

    const QStringList row{
        QStringLiteral("<tr>"),
        QStringLiteral("<td><p align=\"center\"><a href=\"LIBRARIES/ITALIA1.html\">"),
        QStringLiteral("Ferrovie & <i>FS</i></a>"),
        QStringLiteral("</p>"),
        QStringLiteral("</td>"),
        QStringLiteral("</tr>")};
    const QString close = QStringLiteral("</table>");
    const QString open = QStringLiteral("<table>");

    QTest::newRow("one table") << QStringList{open, QStringLiteral("<tr><td>x</td></tr>"), close,
                                              QStringLiteral("</body>")}
                               << (QStringList{open, QStringLiteral("<tr><td>x</td></tr>")} + row +
                                   QStringList{close, QStringLiteral("</body>")});
    QTest::newRow("two tables") << QStringList{open, close, open, close}
                                << (QStringList{open} + row + QStringList{close, open} + row +
                                    QStringList{close});
    QTest::newRow("closing tag alone") << QStringList{close} << (row + QStringList{close});
    const QStringList untouched{open,
                                QStringLiteral("  </table>"),
                                QStringLiteral("</TABLE>"),
                                QStringLiteral("</table> "),
                                QStringLiteral("<tr></table>"),
                                QStringLiteral("\t</table>")};
    QTest::newRow("indented, upper-case or shared") << untouched << untouched;
    QTest::newRow("empty index") << QStringList{} << QStringList{};
    QTest::newRow("blank lines kept")
        << QStringList{QString(), close, QString()}
        << (QStringList{QString()} + row + QStringList{close, QString()});
}

void TestCoreHtmlPages::insertIndexRow()
{
    QFETCH(QStringList, index);
    QFETCH(QStringList, expected);
    QCOMPARE(
        ::insertIndexRow(index, QStringLiteral("ITALIA1"), QStringLiteral("Ferrovie & <i>FS</i>")),
        expected);
}

void TestCoreHtmlPages::widthRule_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("ownSize");
    QTest::newRow("1") << 1 << true;
    QTest::newRow("300") << 300 << true;
    QTest::newRow("510") << 510 << true;
    QTest::newRow("511") << 511 << false;
    QTest::newRow("900") << 900 << false;
    QTest::newRow("100000") << 100000 << false;
}

void TestCoreHtmlPages::widthRule()
{
    QFETCH(int, width);
    QFETCH(bool, ownSize);
    QCOMPARE(keepsOwnSize(width), ownSize);
}

void TestCoreHtmlPages::pageOfEmptyFile()
{
    const LibraryPageResult result = writeLibraryPage(
        SiteLocations::onDrive(QStringLiteral("/tmp/D")), decodeCodePage(pageTemplate), {},
        QStringLiteral("ITALIA1"), description, noPictures);
    const auto *page = std::get_if<LibraryPage>(&result);
    QVERIFY(page);
    const QByteArray expected = pageTemplate + headingRow + closingRows;
    QCOMPARE(splitLibraryText(encodeCodePage(page->text())), splitLibraryText(expected));
    QCOMPARE(encodeCodePage(page->text()), expected);
    QCOMPARE(page->lines.size(), 19);
    QVERIFY(page->missingPictures.isEmpty());
}

void TestCoreHtmlPages::pageWithWidthsAndMissingPicture()
{
    const SiteLocations site = SiteLocations::onDrive(nativePath(QStringLiteral("/tmp/D")));
    const LibraryPageResult result =
        writeLibraryPage(site, decodeCodePage(pageTemplate), threeEntries(),
                         QStringLiteral("ITALIA1"), description, widthsByFileName(threeWidths));
    const auto *page = std::get_if<LibraryPage>(&result);
    QVERIFY(page);
    const QByteArray expected = pageTemplate + headingRow + threeEntryRows + closingRows;
    QCOMPARE(splitLibraryText(encodeCodePage(page->text())), splitLibraryText(expected));
    QCOMPARE(encodeCodePage(page->text()), expected);
    QCOMPARE(page->missingPictures,
             QStringList{nativePath(
                 QStringLiteral("/tmp/D/root/pages/libraries/ITALIA1/I_ALn 668_VT_c.gif"))});
}

void TestCoreHtmlPages::picturesAskedAtTheSitePaths()
{
    const SiteLocations site = SiteLocations::onDrive(QStringLiteral("/srv/D"));
    QStringList asked;
    const PictureWidth recordingWidth = [&asked](const QString &path) -> std::optional<int> {
        asked.append(path);
        return 100;
    };
    writeLibraryPage(site, QString(), threeEntries(), QStringLiteral("ITALIA1"), QString(),
                     recordingWidth);
    const QString folder = site.libraryPagesFolder + QStringLiteral("ITALIA1") + QDir::separator();
    QCOMPARE(asked, (QStringList{folder + QStringLiteral("CH_Re44_E_a.gif"),
                                 folder + QStringLiteral("I_E636_E_b.gif"),
                                 folder + QStringLiteral("I_ALn 668_VT_c.gif")}));
}

void TestCoreHtmlPages::labelsTrimmedAndUnescaped_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("written");
    QTest::newRow("blanks around")
        << QStringLiteral("  Re 4/4 II   ") << QStringLiteral("Re 4/4 II");
    QTest::newRow("less-than") << QStringLiteral("Ae 6/6 <new>") << QStringLiteral("Ae 6/6 <new>");
    QTest::newRow("ampersand") << QStringLiteral("S&B &amp; co") << QStringLiteral("S&B &amp; co");
    QTest::newRow("quote") << QStringLiteral("\"Krokodil\"") << QStringLiteral("\"Krokodil\"");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("full width") << QStringLiteral("1234567890123456789012345678901234567890")
                                << QStringLiteral("1234567890123456789012345678901234567890");
    QTest::newRow("tab is not a blank") << QStringLiteral("\tBR 01 ") << QStringLiteral("\tBR 01");
}

void TestCoreHtmlPages::labelsTrimmedAndUnescaped()
{
    QFETCH(QString, label);
    QFETCH(QString, written);
    const LibraryPageResult result = writeLibraryPage(
        SiteLocations::onDrive(QStringLiteral("/tmp/D")), QString(),
        {entryLine(label, QStringLiteral("X.bmp"))}, QStringLiteral("L"), QString(), noPictures);
    const auto *page = std::get_if<LibraryPage>(&result);
    QVERIFY(page);
    // Heading row (10), then the entry row: its fifth line carries the label.
    QCOMPARE(page->lines.at(14),
             QStringLiteral("<p align=\"center\"><font color=\"#FFFF00\">") + written);
}

void TestCoreHtmlPages::labelHoldingBmpKeepsTheDrawingName()
{
    const LibraryPageResult result = writeLibraryPage(
        SiteLocations::onDrive(QStringLiteral("/tmp/D")), QString(),
        {entryLine(QStringLiteral("old.bmp scan"), QStringLiteral("I_E646_E.bmp"))},
        QStringLiteral("L"), QString(), noPictures);
    const auto *page = std::get_if<LibraryPage>(&result);
    QVERIFY(page);
    QCOMPARE(page->lines.at(12), QStringLiteral("src=\"L/I_E646_E.gif\""));
    QCOMPARE(page->lines.at(14),
             QStringLiteral("<p align=\"center\"><font color=\"#FFFF00\">old.bmp scan"));
}

void TestCoreHtmlPages::entryLineWithoutDrawingRefused_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("lineNumber");
    const QString good = entryLine(QStringLiteral("Re 4/4"), QStringLiteral("CH_Re44_E.bmp"));
    QTest::newRow("no .bmp") << QStringList{good, entryLine(QStringLiteral("x"),
                                                            QStringLiteral("CH_Re44_E.gif"))}
                             << 2;
    QTest::newRow(".bmp only in the label")
        << QStringList{good, good, entryLine(QStringLiteral("a.bmp"), QStringLiteral("CH_Re44_E"))}
        << 3;
    QTest::newRow("blank line") << QStringList{QString(), good} << 1;
    QTest::newRow("short line") << QStringList{good, QStringLiteral("Re 4/4.bmp")} << 2;
    QTest::newRow("second of two faults")
        << QStringList{good, good, good, QStringLiteral("x"), QString()} << 4;
}

void TestCoreHtmlPages::entryLineWithoutDrawingRefused()
{
    QFETCH(QStringList, lines);
    QFETCH(int, lineNumber);
    const LibraryPageResult result =
        writeLibraryPage(SiteLocations::onDrive(QStringLiteral("/tmp/D")), QString(), lines,
                         QStringLiteral("L"), QString(), noPictures);
    QCOMPARE(std::get_if<EntryLineFault>(&result) ? std::get<EntryLineFault>(result).lineNumber : 0,
             lineNumber);
}

void TestCoreHtmlPages::publishWritesPageAndIndex()
{
    const Site site;
    QVERIFY(site.dir.isValid());
    const PublishOutcome outcome = site.publish();
    QCOMPARE(outcome.failure, QString());
    QCOMPARE(outcome.missingPictures,
             QStringList{nativePath(site.locations.libraryPagesFolder +
                                    QStringLiteral("ITALIA1/I_ALn 668_VT_c.gif"))});

    const QByteArray page = readBytes(site.locations.libraryPage(QStringLiteral("ITALIA1")));
    const QByteArray expectedPage = pageTemplate + headingRow + threeEntryRows + closingRows;
    QCOMPARE(splitLibraryText(page), splitLibraryText(expectedPage));
    QCOMPARE(page, expectedPage);
    const QByteArray index = readBytes(site.locations.indexPage);
    QCOMPARE(splitLibraryText(index), splitLibraryText(indexWithRows(1)));
    QCOMPARE(index, indexWithRows(1));
    // Nothing else is left in the site's folders: the new files were swapped in.
    QCOMPARE(QDir(site.locations.libraryPagesFolder).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("ITALIA1.html")});
    QCOMPARE(QFileInfo(site.locations.indexPage).dir().entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("dn_pavoscr.html")});
    QVERIFY(!QFileInfo::exists(site.locations.scratchName));
}

void TestCoreHtmlPages::publishTwiceAddsTwoRows()
{
    const Site site;
    QVERIFY(site.publish().ok());
    // The page is rebuilt from the template, not appended to.
    writeLibraryFile(site.attributesPath, {threeEntries().first()});
    QVERIFY(site.publish().ok());
    QCOMPARE(readBytes(site.locations.indexPage), indexWithRows(2));
    QCOMPARE(readBytes(site.locations.libraryPage(QStringLiteral("ITALIA1"))),
             pageTemplate + headingRow + threeEntryRows.left(threeEntryRows.indexOf("<tr>", 4)) +
                 closingRows);
}

void TestCoreHtmlPages::staleScratchFileLeftAlone()
{
    const Site site;
    const QByteArray stale = "<html>left from an earlier run</html>\r\n";
    QVERIFY(writeBytes(site.locations.scratchName, stale));
    QVERIFY(site.publish().ok());
    QCOMPARE(readBytes(site.locations.scratchName), stale);
    QCOMPARE(readBytes(site.locations.indexPage), indexWithRows(1));
}

void TestCoreHtmlPages::failureReplacesNothing_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("reason"); // how the failure begins; the path it names follows

    QTest::newRow("index page missing") << "removeIndex"
                                        << "Cannot read the site index page ";
    QTest::newRow("index page is a folder") << "indexFolder"
                                            << "Cannot read the site index page ";
    QTest::newRow("template missing") << "removeTemplate"
                                      << "Cannot read the page template ";
    QTest::newRow("template is a folder") << "templateFolder"
                                          << "Cannot read the page template ";
    QTest::newRow("attributes file missing") << "removeAttributes"
                                             << "Cannot read the attributes file ";
    QTest::newRow("attributes file is a folder") << "attributesFolder"
                                                 << "Cannot read the attributes file ";
    QTest::newRow("line without .bmp") << "badLine"
                                       << "Line 2 of the attributes file ";
    QTest::newRow("description outside the code page")
        << "description"
        << "The description \"Linee \u03A9\" holds the character \"\u03A9\"";
    QTest::newRow("library pages folder missing") << "removePagesFolder"
                                                  << "Cannot write the library page ";
}

void TestCoreHtmlPages::failureReplacesNothing()
{
    QFETCH(QString, damage);
    QFETCH(QString, reason);

    const Site site;
    const QString pagePath = site.locations.libraryPage(QStringLiteral("ITALIA1"));
    const QByteArray oldPage = "<html>the page of an earlier run</html>\r\n";
    writeBytes(pagePath, oldPage);
    QString text = description;
    QString expectedPath;

    if (damage == QLatin1String("removeIndex")) {
        QVERIFY(QFile::remove(site.locations.indexPage));
        expectedPath = site.locations.indexPage;
    } else if (damage == QLatin1String("indexFolder")) {
        QVERIFY(QFile::remove(site.locations.indexPage));
        QVERIFY(QDir().mkpath(site.locations.indexPage));
        expectedPath = site.locations.indexPage;
    } else if (damage == QLatin1String("removeTemplate")) {
        QVERIFY(QFile::remove(site.locations.pageTemplate));
        expectedPath = site.locations.pageTemplate;
    } else if (damage == QLatin1String("templateFolder")) {
        QVERIFY(QFile::remove(site.locations.pageTemplate));
        QVERIFY(QDir().mkpath(site.locations.pageTemplate));
        expectedPath = site.locations.pageTemplate;
    } else if (damage == QLatin1String("removeAttributes")) {
        QVERIFY(QFile::remove(site.attributesPath));
        expectedPath = site.attributesPath;
    } else if (damage == QLatin1String("attributesFolder")) {
        QVERIFY(QFile::remove(site.attributesPath));
        QVERIFY(QDir().mkpath(site.attributesPath));
        expectedPath = site.attributesPath;
    } else if (damage == QLatin1String("badLine")) {
        writeLibraryFile(site.attributesPath, {threeEntries().at(0), QStringLiteral("no drawing"),
                                               threeEntries().at(1)});
        expectedPath = site.attributesPath;
    } else if (damage == QLatin1String("description")) {
        text = QStringLiteral("Linee \u03A9");
    } else if (damage == QLatin1String("removePagesFolder")) {
        QVERIFY(QDir(site.locations.libraryPagesFolder).removeRecursively());
        expectedPath = pagePath;
    }
    const QByteArray indexBefore = readBytes(site.locations.indexPage);
    const QByteArray pageBefore = readBytes(pagePath);

    const PublishOutcome outcome = site.publish(text);
    QVERIFY(!outcome.ok());
    QVERIFY2(outcome.failure.startsWith(reason), qPrintable(outcome.failure));
    if (!expectedPath.isEmpty())
        QVERIFY2(outcome.failure.startsWith(reason + nativePath(expectedPath)),
                 qPrintable(outcome.failure));
    QVERIFY(outcome.failure.endsWith(QStringLiteral("\rNothing was changed.")));
    QVERIFY(outcome.missingPictures.isEmpty());

    QCOMPARE(readBytes(site.locations.indexPage), indexBefore);
    QCOMPARE(readBytes(pagePath), pageBefore);
    if (damage != QLatin1String("removeIndex") && damage != QLatin1String("indexFolder"))
        QCOMPARE(indexBefore, indexPage);
    if (damage != QLatin1String("removePagesFolder"))
        QCOMPARE(pageBefore, oldPage);
    QVERIFY(!QFileInfo::exists(site.locations.scratchName));
    const QStringList leftInPages =
        QDir(QFileInfo(site.locations.indexPage).path()).entryList(QDir::Files | QDir::Hidden);
    QVERIFY2(leftInPages.size() <= 1, qPrintable(leftInPages.join(QLatin1Char(' '))));
}

QTEST_GUILESS_MAIN(TestCoreHtmlPages)
#include "test_core_htmlpages.moc"

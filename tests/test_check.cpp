#include "checking/librarycheck.h"
#include "entrylines.h"
#include "testfiles.h"
#include "windowfixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QProcess>
#include <QTemporaryDir>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

QByteArray crLf(const QList<QByteArray> &lines)
{
    QByteArray bytes;
    for (const QByteArray &line : lines)
        bytes += line + "\r\n";
    return bytes;
}

// Findings as the program prints them after the file's name.
QStringList printed(const CheckFindings &findings)
{
    QStringList lines;
    for (const CheckFinding &finding : findings)
        lines.append(QStringLiteral("%1: %2: %3")
                         .arg(finding.line)
                         .arg(finding.kind == CheckFinding::Kind::Error ? "error" : "warning",
                              finding.text));
    return lines;
}

// Paths in messages as the system shows them.
QStringList shown(const QStringList &lines)
{
    QStringList native;
    for (const QString &line : lines)
        native.append(QDir::toNativeSeparators(line));
    return native;
}

QString checkProgram()
{
#ifdef Q_OS_WIN
    return QCoreApplication::applicationDirPath() + QLatin1String("/../check/tessaro-check.exe");
#else
    return QCoreApplication::applicationDirPath() + QLatin1String("/../check/tessaro-check");
#endif
}

struct Run
{
    int status = -1;
    QString output; // standard output, UTF-8 as sent to a pipe
    QString errors; // standard error
};

Run runCheck(const QStringList &arguments, const QString &folder)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(checkProgram(), arguments);
    if (!process.waitForFinished(60000))
        return {};
    QString output = QString::fromUtf8(process.readAllStandardOutput());
    QString errors = QString::fromUtf8(process.readAllStandardError());
#ifdef Q_OS_WIN
    output.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    errors.replace(QLatin1String("\r\n"), QLatin1String("\n"));
#endif
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, output, errors};
}

} // namespace

class TestCheck : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void findings_data();
    void findings();
    void exitStatus_data();
    void exitStatus();
    void librarySavedByTheWindow();
};

void TestCheck::findings_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("folderFiles"); // in the library folder Swiss
    QTest::addColumn<QStringList>("expected");

    const QStringList re44{"E/Re44.bmp"};
    QTest::newRow("line too short")
        << crLf({"Re 4/4 short line"}) << re44
        << shown({"0: warning: \"E/Re44.bmp\" is named by no line: the display program does not "
                  "show it",
                  "1: error: the line is 17 characters long where columns 1-58 and a "
                  "drawing's file name from column 59 on are expected"});
    QTest::newRow("two epochs, the higher first")
        << crLf({EntryLineBytes{.epoche = "5-2"}.text()}) << re44
        << QStringList{"1: error: columns 41-43: EPOCHE \"5-2\" is neither one epoch (a digit 1 "
                       "to 6 and two spaces) nor two (\"d1-d2\", digits 1 to 6, d1 < d2)"};
    QTest::newRow("epoch 7") << crLf({EntryLineBytes{.epoche = "7"}.text()}) << re44
                             << QStringList{"1: error: columns 41-43: EPOCHE \"7  \" is neither "
                                            "one epoch (a digit 1 to 6 and two spaces) nor two "
                                            "(\"d1-d2\", digits 1 to 6, d1 < d2)"};
    QTest::newRow("country outside the list")
        << crLf({EntryLineBytes{.uland = "XX"}.text()}) << re44
        << QStringList{"1: warning: columns 44-46: country code \"XX \" is not one of A, B, CH, "
                       "DK, F, FRG, GDR, H, I, JP, NL, P, PL, SP, USA"};
    QTest::newRow("country right-aligned")
        << crLf({EntryLineBytes{.uland = " CH"}.text()}) << re44
        << QStringList{"1: warning: columns 44-46: country code \" CH\" is not one of A, B, CH, "
                       "DK, F, FRG, GDR, H, I, JP, NL, P, PL, SP, USA"};
    QTest::newRow("type outside the list")
        << crLf({EntryLineBytes{.gt = "ZZ"}.text()}) << QStringList{"ZZ/Re44.bmp"}
        << QStringList{"1: warning: columns 47-48: type code \"ZZ\" is not one of D, DT, E, EA, "
                       "ES, ET, FC, PC, V, VB, VT, VZ, X"};
    QTest::newRow("OL") << crLf({EntryLineBytes{.ol = "X"}.text()}) << re44
                        << QStringList{"1: error: column 49: OL \"X\" is not Y, N or 3"};
    QTest::newRow("OLH 39") << crLf({EntryLineBytes{.olh = "39"}.text()}) << re44
                            << QStringList{"1: error: columns 50-51: OLH \"39\" is not two "
                                           "digits 40 to 90"};
    QTest::newRow("OLH 91") << crLf({EntryLineBytes{.olh = "91"}.text()}) << re44
                            << QStringList{"1: error: columns 50-51: OLH \"91\" is not two "
                                           "digits 40 to 90"};
    QTest::newRow("OLH one digit") << crLf({EntryLineBytes{.olh = " 6"}.text()}) << re44
                                   << QStringList{"1: error: columns 50-51: OLH \" 6\" is not "
                                                  "two digits 40 to 90"};
    QTest::newRow("SAR in lower case")
        << crLf({EntryLineBytes{.sar = "y"}.text()}) << re44
        << QStringList{"1: error: column 52: SAR \"y\" is not Y or N"};
    QTest::newRow("RICHTUNG") << crLf({EntryLineBytes{.richtung = "X"}.text()}) << re44
                              << QStringList{"1: error: column 53: RICHTUNG \"X\" is not L, R "
                                             "or B"};
    QTest::newRow("DT blank") << crLf({EntryLineBytes{.dt = ""}.text()}) << re44
                              << QStringList{"1: error: column 56: DT \" \" is not Y or N"};
    QTest::newRow("PHASENLAENGE") << crLf({EntryLineBytes{.phasenlaenge = "x"}.text()}) << re44
                                  << QStringList{"1: error: column 57: PHASENLAENGE \"x\" is not "
                                                 "a digit 0 to 9"};
    QTest::newRow("blank file name")
        << crLf({EntryLineBytes{.drawing = "   "}.text()}) << re44
        << shown({"0: warning: \"E/Re44.bmp\" is named by no line: the display program does not "
                  "show it",
                  "1: error: columns 59-61: the drawing's file name is blank"});

    QTest::newRow("drawing missing")
        << crLf({EntryLineBytes{}.text()}) << QStringList{"E/Re45.bmp"}
        << shown({"0: warning: \"E/Re45.bmp\" is named by no line: the display program does not "
                  "show it",
                  "1: error: columns 59-66: the drawing \"E/Re44.bmp\" is missing from the "
                  "library folder"});
    QTest::newRow("part file of a cut save")
        << crLf({EntryLineBytes{}.text()}) << QStringList{"E/Re44.bmp", "E/.~Ae66.bmp.tessaro-part"}
        << shown({"0: warning: \"E/.~Ae66.bmp.tessaro-part\": a part file left by a save that "
                  "was cut short"});
    QTest::newRow("temporary files beside the attributes file")
        << crLf({EntryLineBytes{}.text()})
        << QStringList{"E/Re44.bmp", "../.~Swiss.txt.tessaro-part", "../Swiss.txt.AbC123",
                       "../Swiss.txt.backup", "../Swiss.txt.AbC12"}
        << QStringList{"0: warning: \".~Swiss.txt.tessaro-part\" looks like a temporary file left "
                       "by a save that was cut short; remove it if it is not yours",
                       "0: warning: \"Swiss.txt.AbC123\" looks like a temporary file left by a "
                       "save that was cut short; remove it if it is not yours",
                       "0: warning: \"Swiss.txt.backup\" looks like a temporary file left by a "
                       "save that was cut short; remove it if it is not yours"};
    QTest::newRow("drawings no line names, five shown a folder")
        << crLf({EntryLineBytes{.sar = "Y"}.text()})
        << QStringList{"E/Re44.bmp", "E/re44_sar.BMP", "E/a.bmp",       "E/b.bmp",
                       "E/c.BMP",    "E/d.bmp",        "E/e.bmp",       "E/f.bmp",
                       "E/g.bmp",    "E/Thumbs.db",    "consists/h.bmp"}
        << shown(
               {"0: warning: \"E/a.bmp\" is named by no line: the display program does not show it",
                "0: warning: \"E/b.bmp\" is named by no line: the display program does not show it",
                "0: warning: \"E/c.BMP\" is named by no line: the display program does not show it",
                "0: warning: \"E/d.bmp\" is named by no line: the display program does not show it",
                "0: warning: \"E/e.bmp\" is named by no line: the display program does not show it",
                "0: warning: ... and 2 more files in \"E\" that no line names",
                "1: warning: column 52: SAR \"Y\": the pantograph drawing \"E/Re44_SAR.bmp\" "
                "is in the library folder only as \"E/re44_sar.BMP\", in other letter case"});
    QTest::newRow("drawing in another type folder")
        << crLf({EntryLineBytes{}.text()}) << QStringList{"V/Re44.bmp"}
        << shown({"0: warning: \"V/Re44.bmp\" is named by no line: the display program does not "
                  "show it",
                  "1: error: columns 59-66: the drawing \"E/Re44.bmp\" is missing from the "
                  "library folder"});
    QTest::newRow("animation frame missing")
        << crLf({EntryLineBytes{.phasenlaenge = "6", .drawing = "Ae66_0.bmp"}.text()})
        << QStringList{"E/Ae66_0.bmp", "E/Ae66_1.bmp", "E/Ae66_2.bmp"}
        << shown({"1: error: column 57: PHASENLAENGE \"6\": the animation frame \"E/Ae66_3.bmp\" "
                  "is missing from the library folder"});
    QTest::newRow("animated without a first frame's name")
        << crLf({EntryLineBytes{.phasenlaenge = "6", .drawing = "Ae66.bmp"}.text()})
        << QStringList{"E/Ae66.bmp"}
        << QStringList{"1: error: column 57: PHASENLAENGE \"6\" calls for animation frames, but "
                       "the file name holds no \"_0.bmp\" to number them from"};
    QTest::newRow("pantograph drawing missing")
        << crLf({EntryLineBytes{.sar = "Y"}.text()}) << re44
        << shown({"1: error: column 52: SAR \"Y\": the pantograph drawing \"E/Re44_SAR.bmp\" is "
                  "missing from the library folder"});
    QTest::newRow("no variation drawing")
        << crLf({EntryLineBytes{.variations = "Y"}.text()})
        << QStringList{"E/Re44.bmp", "E/Re44_X0.bmp", "E/Re44_N.bmp"}
        << shown({"0: warning: \"E/Re44_N.bmp\" is named by no line: the display program does not "
                  "show it",
                  "0: warning: \"E/Re44_X0.bmp\" is named by no line: the display program does not "
                  "show it",
                  "1: error: column 58: VARIATIONS \"Y\": no variation drawing (\"E/Re44_N0.bmp\" "
                  "to \"E/Re44_W9.bmp\") is in the library folder"});
    QTest::newRow("one variation drawing is enough")
        << crLf({EntryLineBytes{.variations = "Y"}.text()})
        << QStringList{"E/Re44.bmp", "E/Re44_W9.bmp"} << QStringList{};
    QTest::newRow("drawing only in other letter case")
        << crLf({EntryLineBytes{}.text()}) << QStringList{"E/RE44.BMP"}
        << shown({"1: warning: columns 59-66: the drawing \"E/Re44.bmp\" is in the library "
                  "folder only as \"E/RE44.BMP\", in other letter case"});
    QTest::newRow("type folder in other letter case")
        << crLf({EntryLineBytes{}.text()}) << QStringList{"e/Re44.bmp"}
        << shown({"1: warning: columns 59-66: the drawing \"E/Re44.bmp\" is in the library "
                  "folder only as \"e/Re44.bmp\", in other letter case"});
    // Windows keeps one of the two files; Linux keeps both, and still the display program
    // would find one file for two lines.
    QStringList sameFile{"2: error: columns 59-66: the drawing \"E/RE44.bmp\" is on Windows the "
                         "same file as \"E/Re44.bmp\" of line 1"};
#ifdef Q_OS_WIN
    sameFile.prepend("2: warning: columns 59-66: the drawing \"E/RE44.bmp\" is in the library "
                     "folder only as \"E/Re44.bmp\", in other letter case");
#endif
    QTest::newRow("one file named twice")
        << crLf({EntryLineBytes{}.text(), EntryLineBytes{.drawing = "RE44.bmp"}.text()})
        << QStringList{"E/Re44.bmp", "E/RE44.bmp"} << shown(sameFile);
    QTest::newRow("one drawing added twice")
        << crLf({EntryLineBytes{}.text(), EntryLineBytes{}.text()}) << re44 << QStringList{};

    QTest::newRow("tab in the label")
        << crLf({EntryLineBytes{.label = "Re\t4/4"}.text()}) << re44
        << QStringList{"1: error: column 3: control character U+0009 where a printable character "
                       "is expected"};
    QTest::newRow("LF alone inside a line")
        << crLf({EntryLineBytes{.label = "Re 4\n4"}.text()}) << re44
        << QStringList{"1: error: column 5: control character U+000A where a printable character "
                       "is expected"};
    QTest::newRow("CR alone ending a line")
        << QByteArray(EntryLineBytes{}.text() + "\r" + EntryLineBytes{}.text() + "\r\n") << re44
        << QStringList{"1: error: the line ends with CR alone where CR LF is expected"};
    QTest::newRow("no line end at the end")
        << EntryLineBytes{}.text() << re44
        << QStringList{"1: warning: the last line has no line end where CR LF is expected"};
    QTest::newRow("byte without a character")
        << crLf({EntryLineBytes{.label = "Re 4\x81"
                                         "4"}
                     .text()})
        << re44
        << QStringList{"1: error: column 5: byte 0x81 is no character of code page "
                       "Windows-1252"};
    QTest::newRow("label in Windows-1252")
        << crLf({EntryLineBytes{.label = "Z\xFCrich"}.text()}) << re44 << QStringList{};
    QTest::newRow("UTF-8 byte-order mark")
        << QByteArray("\xEF\xBB\xBF" + crLf({EntryLineBytes{}.text()})) << re44
        << QStringList{"1: error: the file starts with the UTF-8 byte-order mark where "
                       "single-byte text of code page Windows-1252 is expected: the display "
                       "program misreads every character that is not ASCII"};
    // A label of 40 characters as a UTF-8 editor writes it: one character of two bytes.
    const QByteArray utf8Label = QByteArray("Z\xC3\xBCrich Tram").leftJustified(41, ' ');
    const QString utf8Line = QStringLiteral(
        "error: the line holds UTF-8 text where single-byte text of code page Windows-1252 is "
        "expected: the display program misreads every character that is not ASCII");
    QTest::newRow("UTF-8 on the second line")
        << crLf({EntryLineBytes{}.text(), EntryLineBytes{.label = utf8Label}.text()}) << re44
        << QStringList{"2: " + utf8Line};
    // Notepad's UTF-8: one finding for the line, its fields and drawing read as it shows them.
    QTest::newRow("UTF-8 label and drawing, a tab")
        << crLf({EntryLineBytes{.label = QByteArray("Z\xC3\xBCrich\tTram").leftJustified(41, ' '),
                                .drawing = "Z\xC3\xBCrich Tram.bmp"}
                     .text()})
        << QStringList{"E/Zürich Tram.bmp"}
        << QStringList{"1: " + utf8Line, "1: error: column 7: control character U+0009 where a "
                                         "printable character is expected"};
    QTest::newRow("byte-order mark, then every UTF-8 line named")
        << QByteArray("\xEF\xBB\xBF" + crLf({EntryLineBytes{}.text(), EntryLineBytes{}.text(),
                                             EntryLineBytes{.label = utf8Label}.text()}))
        << re44
        << QStringList{"1: error: the file starts with the UTF-8 byte-order mark where "
                       "single-byte text of code page Windows-1252 is expected: the display "
                       "program misreads every character that is not ASCII",
                       "3: " + utf8Line};
    QTest::newRow("byte-order mark before single-byte text")
        << QByteArray(
               "\xEF\xBB\xBF" +
               crLf({EntryLineBytes{.label = "Z\xFCrich", .drawing = "Z\xFCrich.bmp"}.text()}))
        << QStringList{"E/Zürich.bmp"}
        << QStringList{"1: error: the file starts with the UTF-8 byte-order mark where "
                       "single-byte text of code page Windows-1252 is expected: the display "
                       "program misreads every character that is not ASCII"};
    QTest::newRow("single-byte text with one UTF-8 pair by chance")
        << crLf({EntryLineBytes{.label = "\xC2\xB0 Z\xFCrich"}.text()}) << re44 << QStringList{};
    QTest::newRow("empty line") << crLf({EntryLineBytes{}.text(), ""}) << re44
                                << QStringList{"2: warning: empty line: the display program reads "
                                               "it as an entry"};
    QTest::newRow("no library folder")
        << crLf({EntryLineBytes{}.text()}) << QStringList{}
        << shown({"0: error: the library folder \"LIBRARY\" is missing: no drawing is checked"});
}

void TestCheck::findings()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, folderFiles);
    QFETCH(QStringList, expected);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString libraryFolder = dir.filePath(QStringLiteral("Swiss"));
    for (const QString &name : std::as_const(folderFiles)) {
        const QString path = libraryFolder + QLatin1Char('/') + name;
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        QVERIFY(writeBytes(path, "BM"));
    }
    const QString path = dir.filePath(QStringLiteral("Swiss.txt"));
    QVERIFY(writeBytes(path, file));

    const LibraryCheck check = checkLibraryFile(path);
    QCOMPARE(check.readError, QString());
    expected.replaceInStrings(QStringLiteral("LIBRARY"), QDir::toNativeSeparators(libraryFolder));
    QCOMPARE(printed(check.findings), expected);

    // The window's check of the same lines, as Open reads them: the same findings, but the
    // library folder's come last, and the save ends every line with CR LF.
    const LibraryFileContent content = readLibraryFile(path);
    const CheckFindings inWindow = checkLibraryInWindow(
        {content.lines, content.lineBytes, QStringList(content.lines.size(), QStringLiteral("O")),
         QStringList(content.lines.size()), path, libraryFolder});
    QStringList lines;
    QStringList folder;
    for (QString finding : std::as_const(expected)) {
        finding.replace(QLatin1String("no drawing is checked"),
                        QLatin1String("no drawing of a line read from the attributes file is "
                                      "checked"));
        if (!finding.endsWith(QLatin1String("where CR LF is expected")))
            (finding.startsWith(QLatin1String("0: ")) ? folder : lines).append(finding);
    }
    QCOMPARE(printed(inWindow), lines + folder);
}

void TestCheck::exitStatus_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("errors");

    const QString usage = QStringLiteral("usage: tessaro-check LIBRARY.txt [LIBRARY.txt ...]\n");
    QTest::newRow("no argument") << QStringList{} << 2 << QString() << usage;
    QTest::newRow("unknown option") << QStringList{"--fix", "Bern.txt"} << 2 << QString()
                                    << "tessaro-check: unknown option --fix\n" + usage;
    QTest::newRow("nothing wrong")
        << QStringList{"Bern.txt"} << 0 << "0 errors, 0 warnings in 1 entry\n"
        << QString();
    QTest::newRow("a warning only")
        << QStringList{"Thun.txt"} << 0
        << "Thun.txt:2: warning: empty line: the display program reads it as an entry\n"
           "0 errors, 1 warning in 2 entries\n"
        << QString();
    QTest::newRow("an error, named with ü")
        << QStringList{"Bern.txt", "Lüneburg.txt"} << 1
        << "Lüneburg.txt:1: error: column 49: OL \"X\" is not Y, N or 3\n"
           "1 error, 0 warnings in 2 entries\n"
        << QString();
#ifdef Q_OS_UNIX
    // A pipe nobody writes to would be read forever.
    QTest::newRow("a pipe")
        << QStringList{"Pipe.txt"} << 2
        << "Pipe.txt: error: cannot be read: it is not a file\n1 error, 0 warnings in 0 entries\n"
        << QString();
#endif
#ifdef Q_OS_WIN
    // Windows programs answer /? and expand their own wildcards.
    QTest::newRow("/?") << QStringList{"/?"} << 0 << "HELP" << QString();
    QTest::newRow("wildcards, a name matched by none")
        << QStringList{"B?rn.txt", "X*.txt", "*u*.txt"} << 2
        << "X*.txt: error: cannot be read: no file matches it\n"
           "Lüneburg.txt:1: error: column 49: OL \"X\" is not Y, N or 3\n"
           "Thun.txt:2: warning: empty line: the display program reads it as an entry\n"
           "2 errors, 1 warning in 4 entries\n"
        << QString();
#endif
    QTest::newRow("a file that cannot be read, the others still checked")
        << QStringList{"Chur.txt", "Lüneburg.txt"} << 2
        << "Chur.txt: error: cannot be read: MISSING\n"
           "Lüneburg.txt:1: error: column 49: OL \"X\" is not Y, N or 3\n"
           "2 errors, 0 warnings in 1 entry\n"
        << QString();
}

void TestCheck::exitStatus()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, output);
    QFETCH(QString, errors);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const auto library = [&](const QString &name, const QList<QByteArray> &lines) {
        QVERIFY(writeBytes(dir.filePath(name + QLatin1String(".txt")), crLf(lines)));
        QVERIFY(QDir(dir.path()).mkpath(name + QLatin1String("/E")));
        QVERIFY(writeBytes(dir.filePath(name + QLatin1String("/E/Re44.bmp")), "BM"));
    };
    library(QStringLiteral("Bern"), {EntryLineBytes{}.text()});
    library(QStringLiteral("Thun"), {EntryLineBytes{}.text(), ""});
    library(QStringLiteral("Lüneburg"), {EntryLineBytes{.ol = "X"}.text()});
#ifdef Q_OS_UNIX
    QCOMPARE(
        ::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("Pipe.txt"))).constData(), 0600), 0);
#endif
    QFile missing(dir.filePath(QStringLiteral("Chur.txt")));
    QVERIFY(!missing.open(QIODevice::ReadOnly));
    output.replace(QLatin1String("MISSING"), missing.errorString());

    if (output == QLatin1String("HELP"))
        output = runCheck({QStringLiteral("--help")}, dir.path()).output;
    const Run run = runCheck(arguments, dir.path());
    QCOMPARE(run.errors, errors);
    QCOMPARE(run.output, output);
    QCOMPARE(run.status, status);
}

void TestCheck::librarySavedByTheWindow()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString drawings = dir.filePath(QStringLiteral("drawings")) + QDir::separator();
    QVERIFY(QDir().mkpath(drawings));
    for (const char *name : {"Re44.bmp", "Ae66_0.bmp", "Ae66_1.bmp", "Ae66_2.bmp", "Ae66_3.bmp",
                             "Ae66_0_SAR.bmp", "Ae66_0_N0.bmp", "Ae66_0_E3.bmp"})
        QVERIFY(writeBytes(drawings + QLatin1String(name), "BM"));

    WindowFixture f;
    f.exchange->answerInput(QStringLiteral("Zürich"));
    f.action(QStringLiteral("menuNew"))->trigger();
    const auto add = [&](const QString &drawing, const QString &label, bool animated) {
        FrmEdit &w = *f.window;
        w.sourceFolder = drawings;
        w.drawingFolder = drawings;
        w.drawingFileName = drawing;
        w.chkEPO[4]->setChecked(true);
        f.child<QComboBox>(QStringLiteral("cboUland"))->setCurrentIndex(2);
        f.child<QComboBox>(QStringLiteral("cboGT"))->setCurrentIndex(2);
        f.labelBox()->setText(label);
        w.chkSAR[animated ? 0 : 1]->setChecked(true);
        f.cycleBox()->setText(animated ? QStringLiteral("6") : QString());
        w.chkVR[animated ? 0 : 1]->setChecked(true);
        const int before = w.entryCount;
        w.addEntry();
        return w.entryCount == before + 1;
    };
    QVERIFY(add(QStringLiteral("Re44.bmp"), QStringLiteral("Re 4/4 Zürich–Genève"), false));
    QVERIFY(add(QStringLiteral("Ae66_0.bmp"), QStringLiteral("Ae 6/6 Göschenen"), true));
    const QString file = QDir::toNativeSeparators(dir.filePath(QStringLiteral("Zürich.txt")));
    f.exchange->answerFile(file);
    f.action(QStringLiteral("menuSave"))->trigger();
    QCOMPARE(f.window->libraryMode, QStringLiteral("UPD"));

    const Run run = runCheck({file}, dir.path());
    QCOMPARE(run.output, QStringLiteral("0 errors, 0 warnings in 2 entries\n"));
    QCOMPARE(run.status, 0);
}

QTEST_MAIN(TestCheck)
#include "test_check.moc"

#include "entry/composeentry.h"
#include "entrylines.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

using Mutation = std::function<void(LibraryEntry &)>;
Q_DECLARE_METATYPE(Mutation)

namespace {

// An entry that passes every check: one epoch, a country, a type, OL "Y", OLH 58, both
// directions, no animation, no companions.
LibraryEntry validEntry()
{
    LibraryEntry e;
    e.drawingFileName = QStringLiteral("Re44.bmp");
    e.sourceFolder = QStringLiteral("/nowhere/");
    e.labelText = QStringLiteral("Re 4/4");
    e.epochs[3] = true;
    e.countryText = QStringLiteral("CH  - Switzerland");
    e.typeText = QStringLiteral("E  - Electrical Locomotive");
    e.overheadLineYes = true;
    e.lineHeightText = QStringLiteral("58");
    e.directionBoth = true;
    return e;
}

const FileTest noFiles = [](const QString &) { return false; };

QString lineOf(const ComposedEntry &composed)
{
    if (const auto *refusal = std::get_if<EntryRefusal>(&composed))
        return QStringLiteral("REFUSED: ") + refusal->message;
    return std::get<QString>(composed);
}

EntryRefusal refusalOf(const ComposedEntry &composed)
{
    if (const auto *refusal = std::get_if<EntryRefusal>(&composed))
        return *refusal;
    return {QStringLiteral("ACCEPTED: ") + std::get<QString>(composed), {}, -1};
}

void touch(const QString &path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("BM");
}

} // namespace

class TestEntryLine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void refusals_data();
    void refusals();
    void refusalOrder();
    void columns_data();
    void columns();
    void lineLengthIsFixedBlockPlusName();
    void companionFiles_data();
    void companionFiles();
    void variationsStopAtFirstHit();
    void numbers_data();
    void numbers();
};

void TestEntryLine::refusals_data()
{
    QTest::addColumn<Mutation>("mutate");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("member");

    QTest::newRow("no drawing") << Mutation([](LibraryEntry &e) { e.drawingFileName.clear(); })
                                << "Select a bitmap FileName!"
                                << "" << -1;
    QTest::newRow("blank drawing")
        << Mutation([](LibraryEntry &e) { e.drawingFileName = QStringLiteral("   "); })
        << "Select a bitmap FileName!"
        << "" << -1;
    QTest::newRow("no epoch") << Mutation([](LibraryEntry &e) { e.epochs = {}; })
                              << "Select almost one value for EPOCHE!"
                              << "chkEPO" << 1;
    QTest::newRow("three epochs") << Mutation([](LibraryEntry &e) {
        e.epochs = {true, false, true, false, true, false};
    }) << "Select one or two values for EPOCHE!"
                                  << "chkEPO" << 1;
    QTest::newRow("all epochs") << Mutation([](LibraryEntry &e) {
        e.epochs = {true, true, true, true, true, true};
    }) << "Select one or two values for EPOCHE!"
                                << "chkEPO" << 1;
    QTest::newRow("blank country")
        << Mutation([](LibraryEntry &e) { e.countryText = QStringLiteral("  "); })
        << "Select the country ULAND!"
        << "cboUland" << -1;
    QTest::newRow("no type") << Mutation([](LibraryEntry &e) { e.typeText.clear(); })
                             << "Select the type GT!"
                             << "cboGT" << -1;
    QTest::newRow("no OL") << Mutation([](LibraryEntry &e) { e.overheadLineYes = false; })
                           << "Select almost one value for OL!"
                           << "chkOL" << 1;
    QTest::newRow("Y and 3rail") << Mutation([](LibraryEntry &e) {
        e.overheadLineThirdRail = true;
    }) << "Select one value for OL!"
                                 << "chkOL" << 1;
    const QString olh = QStringLiteral("Select the height OLH or set to correct value [40-90]!");
    for (const char *height : {"", "0", "39", "91", "99999", "40000"})
        QTest::newRow(qPrintable(QStringLiteral("OLH '%1'").arg(QLatin1String(height))))
            << Mutation(
                   [h = QString::fromLatin1(height)](LibraryEntry &e) { e.lineHeightText = h; })
            << olh << "txtPixels" << -1;
    QTest::newRow("OLH checked even without OL line") << Mutation([](LibraryEntry &e) {
        e.overheadLineYes = false;
        e.overheadLineNo = true;
        e.lineHeightText.clear();
    }) << olh << "txtPixels" << -1;
    QTest::newRow("SAR without drawing")
        << Mutation([](LibraryEntry &e) { e.pantographAnimation = true; })
        << QDir::toNativeSeparators(QStringLiteral("/nowhere/Re44_SAR.bmp")) + " doesn't exist!"
        << "chkSAR" << 0;
    QTest::newRow("SAR on a name without .bmp") << Mutation([](LibraryEntry &e) {
        e.pantographAnimation = true;
        e.drawingFileName = QStringLiteral("Re44.png");
    }) << "Drawing Filename incorrect!"
                                                << "chkSAR" << 0;
    QTest::newRow("no direction") << Mutation([](LibraryEntry &e) { e.directionBoth = false; })
                                  << "Select almost one value for RICHTUNG!"
                                  << "chkLR" << 1;
    QTest::newRow("L and R") << Mutation([](LibraryEntry &e) {
        e.directionBoth = false;
        e.directionLeft = e.directionRight = true;
    }) << "Select one value for RICHTUNG!"
                             << "chkLR" << 1;
    const QString cycle =
        QStringLiteral("The maximum value of cycle frequency is 9 [0-9] PHASENLAENGE!");
    QTest::newRow("cycle 10") << Mutation([](LibraryEntry &e) {
        e.animationCycleText = QStringLiteral("10");
    }) << cycle << "txtCycle" << -1;
    QTest::newRow("cycle too large for 16 bits")
        << Mutation([](LibraryEntry &e) { e.animationCycleText = QStringLiteral("70000"); })
        << cycle << "txtCycle" << -1;
    QTest::newRow("negative cycle")
        << Mutation([](LibraryEntry &e) { e.animationCycleText = QStringLiteral("-1"); }) << cycle
        << "txtCycle" << -1;
    QTest::newRow("cycle without _0")
        << Mutation([](LibraryEntry &e) { e.animationCycleText = QStringLiteral("2"); })
        << "The engine hasn't animation!"
        << "txtCycle" << -1;
    QTest::newRow("cycle, frames missing") << Mutation([](LibraryEntry &e) {
        e.animationCycleText = QStringLiteral("6");
        e.drawingFileName = QStringLiteral("loco_0.bmp");
    }) << QDir::toNativeSeparators(QStringLiteral("/nowhere/loco_1.bmp")) + " doesn't exist!"
                                           << "txtCycle" << -1;
    QTest::newRow("variations on a name without .bmp") << Mutation([](LibraryEntry &e) {
        e.variations = true;
        e.drawingFileName = QStringLiteral("Re44");
    }) << "Drawing Filename incorrect!"
                                                       << "chkVR" << 0;
    QTest::newRow("no variation drawing")
        << Mutation([](LibraryEntry &e) { e.variations = true; }) << "Re44.bmp hasn't variations!"
        << "chkVR" << 0;
    QTest::newRow("label beyond the code page")
        << Mutation([](LibraryEntry &e) { e.labelText = QStringLiteral("Re 4/4 \u0141"); })
        << QStringLiteral("The LABEL holds the character \"\u0141\", which the attributes file "
                          "cannot store: please replace it!")
        << "txtDescription" << -1;
    QTest::newRow("drawing name beyond the code page")
        << Mutation(
               [](LibraryEntry &e) { e.drawingFileName = QStringLiteral("\u0141od\u017a.bmp"); })
        << QStringLiteral("The drawing file name holds the character \"\u0141\", which the "
                          "attributes file cannot store: please rename the file!")
        << "File1" << -1;
    const QString breaksLine =
        QStringLiteral("The %1 holds the character %2, which would break the entry's line: %3");
    QTest::newRow("label with CR LF")
        << Mutation([](LibraryEntry &e) { e.labelText = QStringLiteral("ab\r\ncd"); })
        << breaksLine.arg("LABEL", "U+000D", "please remove it!") << "txtDescription" << -1;
    QTest::newRow("label with a lone LF")
        << Mutation([](LibraryEntry &e) { e.labelText = QStringLiteral("ab\ncd"); })
        << breaksLine.arg("LABEL", "U+000A", "please remove it!") << "txtDescription" << -1;
    QTest::newRow("country with a tab")
        << Mutation([](LibraryEntry &e) { e.countryText = QStringLiteral("C\tH"); })
        << breaksLine.arg("country ULAND", "U+0009", "please remove it!") << "cboUland" << -1;
    QTest::newRow("country of a tab alone")
        << Mutation([](LibraryEntry &e) { e.countryText = QStringLiteral("\t"); })
        << breaksLine.arg("country ULAND", "U+0009", "please remove it!") << "cboUland" << -1;
    QTest::newRow("type with DEL")
        << Mutation([](LibraryEntry &e) { e.typeText = QStringLiteral("E\x7f"); })
        << breaksLine.arg("type GT", "U+007F", "please remove it!") << "cboGT" << -1;
    QTest::newRow("drawing file name with a line feed")
        << Mutation([](LibraryEntry &e) { e.drawingFileName = QStringLiteral("Re\n44.bmp"); })
        << breaksLine.arg("drawing file name", "U+000A", "please rename the file!") << "File1"
        << -1;
    QTest::newRow("label with an emoji")
        << Mutation([](LibraryEntry &e) { e.labelText = QStringLiteral("Re 4/4 \U0001F600"); })
        << QStringLiteral("The LABEL holds the character \"\U0001F600\", which the attributes "
                          "file cannot store: please replace it!")
        << "txtDescription" << -1;
    QTest::newRow("country cut inside an emoji")
        << Mutation([](LibraryEntry &e) { e.countryText = QStringLiteral("CH\U0001F600"); })
        << QStringLiteral("The country ULAND holds the character \"\U0001F600\", which the "
                          "attributes file cannot store: please replace it!")
        << "cboUland" << -1;
    QTest::newRow("label with an unprintable character beyond the code page")
        << Mutation([](LibraryEntry &e) { e.labelText = QStringLiteral("Re\u00854/4"); })
        << QStringLiteral("The LABEL holds the character U+0085, which the attributes file "
                          "cannot store: please replace it!")
        << "txtDescription" << -1;
}

void TestEntryLine::refusals()
{
    QFETCH(Mutation, mutate);
    QFETCH(QString, message);
    QFETCH(QString, control);
    QFETCH(int, member);
    LibraryEntry entry = validEntry();
    mutate(entry);
    const EntryRefusal expected{message, control, member};
    QCOMPARE(refusalOf(composeEntry(entry, noFiles)), expected);
}

// Each check is reached only when all earlier ones pass: remove the faults one by one.
void TestEntryLine::refusalOrder()
{
    LibraryEntry e;
    e.sourceFolder = QStringLiteral("/nowhere/");
    e.pantographAnimation = true;
    e.variations = true;
    e.animationCycleText = QStringLiteral("3");
    e.overheadLineYes = e.overheadLineNo = true;
    e.directionLeft = e.directionRight = true;
    const QStringList expected = {
        "Select a bitmap FileName!",
        "Select almost one value for EPOCHE!",
        "Select the country ULAND!",
        "Select the type GT!",
        "Select one value for OL!",
        "Select the height OLH or set to correct value [40-90]!",
        QDir::toNativeSeparators("/nowhere/x_0_SAR.bmp") + " doesn't exist!",
        "Select one value for RICHTUNG!",
        QDir::toNativeSeparators("/nowhere/x_1.bmp") + " doesn't exist!",
        "x_0.bmp hasn't variations!",
    };
    const QList<std::function<void()>> fixes = {
        [&] { e.drawingFileName = QStringLiteral("x_0.bmp"); },
        [&] { e.epochs[0] = true; },
        [&] { e.countryText = QStringLiteral("I"); },
        [&] { e.typeText = QStringLiteral("E"); },
        [&] { e.overheadLineNo = false; },
        [&] { e.lineHeightText = QStringLiteral("40"); },
        [&] { e.pantographAnimation = false; },
        [&] { e.directionLeft = false; },
        [&] { e.animationCycleText.clear(); },
        [&] { e.variations = false; },
    };
    for (qsizetype i = 0; i < expected.size(); ++i) {
        QCOMPARE(refusalOf(composeEntry(e, noFiles)).message, expected[i]);
        fixes[i]();
    }
    const EntryLine fixed{.label = "",
                          .epoche = "1",
                          .uland = "I",
                          .olh = "40",
                          .richtung = "R",
                          .drawing = "x_0.bmp"};
    QCOMPARE(lineOf(composeEntry(e, noFiles)), fixed.text());
}

void TestEntryLine::columns_data()
{
    QTest::addColumn<Mutation>("mutate");
    QTest::addColumn<QString>("line");

    QTest::newRow("plain") << Mutation([](LibraryEntry &) {
    }) << QStringLiteral("Re 4/4                                  4  CH E Y58NBNNN0NRe44.bmp");
    QTest::newRow("empty label") << Mutation([](LibraryEntry &e) { e.labelText.clear(); })
                                 << EntryLine{.label = "", .olh = "58"}.text();
    QTest::newRow("label trimmed")
        << Mutation([](LibraryEntry &e) { e.labelText = QStringLiteral("  Re 4/4  "); })
        << EntryLine{.olh = "58"}.text();
    // Only blanks are trimmed: a no-break space leading the label is the user's own.
    QTest::newRow("label led by a no-break space")
        << Mutation([](LibraryEntry &e) { e.labelText = QStringLiteral("\u00A0Re 4/4 "); })
        << EntryLine{.label = QStringLiteral("\u00A0Re 4/4"), .olh = "58"}.text();
    QTest::newRow("label of exactly 40 after trimming") << Mutation([](LibraryEntry &e) {
        e.labelText = QStringLiteral("  ") + QString(40, 'x') + QStringLiteral(" ");
    }) << EntryLine{.label = QString(40, 'x'), .olh = "58"}.text();
    QTest::newRow("long label cut as typed")
        << Mutation([](LibraryEntry &e) { e.labelText = QStringLiteral("  ") + QString(45, 'y'); })
        << EntryLine{.label = QStringLiteral("  ") + QString(38, 'y'), .olh = "58"}.text();
    QTest::newRow("label holding .bmp")
        << Mutation([](LibraryEntry &e) { e.labelText = QStringLiteral("a.bmp"); })
        << EntryLine{.label = "a.bmp", .olh = "58"}.text();
    QTest::newRow("epochs 5 and 2")
        << Mutation([](LibraryEntry &e) { e.epochs = {false, true, false, false, true, false}; })
        << EntryLine{.epoche = "2-5", .olh = "58"}.text();
    QTest::newRow("epoch 6") << Mutation([](LibraryEntry &e) {
        e.epochs = {false, false, false, false, false, true};
    }) << EntryLine{.epoche = "6", .olh = "58"}.text();
    QTest::newRow("USA and DT") << Mutation([](LibraryEntry &e) {
        e.countryText = QStringLiteral("USA - United States Of America");
        e.typeText = QStringLiteral("DT - Steam Railcar");
    }) << EntryLine{.uland = "USA", .gt = "DT", .olh = "58"}.text();
    QTest::newRow("typed short country and type filled") << Mutation([](LibraryEntry &e) {
        e.countryText = QStringLiteral("I");
        e.typeText = QStringLiteral("E");
    }) << EntryLine{.uland = "I", .olh = "58"}.text();
    QTest::newRow("typed text not in the lists") << Mutation([](LibraryEntry &e) {
        e.countryText = QStringLiteral("Xanadu");
        e.typeText = QStringLiteral("qq zz");
    }) << EntryLine{.uland = "Xan", .gt = "qq", .olh = "58"}.text();
    QTest::newRow("OL N, OLH 40") << Mutation([](LibraryEntry &e) {
        e.overheadLineYes = false;
        e.overheadLineNo = true;
        e.lineHeightText = QStringLiteral("40");
    }) << EntryLine{.ol = "N", .olh = "40"}.text();
    QTest::newRow("3rail, OLH 090") << Mutation([](LibraryEntry &e) {
        e.overheadLineYes = false;
        e.overheadLineThirdRail = true;
        e.lineHeightText = QStringLiteral("090");
    }) << EntryLine{.ol = "3", .olh = "90"}.text();
    QTest::newRow("L, switching, push-pull, double") << Mutation([](LibraryEntry &e) {
        e.directionBoth = false;
        e.directionLeft = true;
        e.switchingOperation = e.pushPull = e.doubleTraction = true;
    }) << EntryLine{.olh = "58", .richtung = "L", .rangier = "Y", .wz = "Y", .dt = "Y"}.text();
    QTest::newRow("R") << Mutation([](LibraryEntry &e) {
        e.directionBoth = false;
        e.directionRight = true;
    }) << EntryLine{.olh = "58", .richtung = "R"}.text();
    QTest::newRow("cycle 0 needs no frames")
        << Mutation([](LibraryEntry &e) { e.animationCycleText = QStringLiteral("0"); })
        << EntryLine{.olh = "58"}.text();
    QTest::newRow("name with spaces")
        << Mutation([](LibraryEntry &e) { e.drawingFileName = QStringLiteral(" Re 44 .bmp"); })
        << EntryLine{.olh = "58", .drawing = " Re 44 .bmp"}.text();
    QTest::newRow("code page letters")
        << Mutation([](LibraryEntry &e) { e.labelText = QStringLiteral("Zürich €"); })
        << EntryLine{.label = "Zürich €", .olh = "58"}.text();
}

void TestEntryLine::columns()
{
    QFETCH(Mutation, mutate);
    QFETCH(QString, line);
    LibraryEntry entry = validEntry();
    mutate(entry);
    QCOMPARE(lineOf(composeEntry(entry, noFiles)), line);
}

void TestEntryLine::lineLengthIsFixedBlockPlusName()
{
    LibraryEntry entry = validEntry();
    entry.drawingFileName = QStringLiteral("FRG_BR 01_D_DB.bmp");
    const QString line = lineOf(composeEntry(entry, noFiles));
    QCOMPARE(line.size(), 58 + entry.drawingFileName.size());
    QCOMPARE(line.mid(58), entry.drawingFileName);
}

void TestEntryLine::companionFiles_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<Mutation>("mutate");
    QTest::addColumn<QString>("result"); // the line's columns 52..58 or the refusal

    QTest::newRow("SAR present") << QStringList{"Re44_SAR.bmp"}
                                 << Mutation([](LibraryEntry &e) { e.pantographAnimation = true; })
                                 << "YBNNN0N";
    QTest::newRow("SAR of an animated drawing")
        << QStringList{"loco_0_SAR.bmp"} << Mutation([](LibraryEntry &e) {
               e.pantographAnimation = true;
               e.drawingFileName = QStringLiteral("loco_0.bmp");
           })
        << "YBNNN0N";
    QTest::newRow("SAR folder is no file")
        << QStringList{"Re44_SAR.bmp/"}
        << Mutation([](LibraryEntry &e) { e.pantographAnimation = true; })
        << "REFUSED: {folder}Re44_SAR.bmp doesn't exist!";
    QTest::newRow("frames 1-3") << QStringList{"loco_1.bmp", "loco_2.bmp", "loco_3.bmp"}
                                << Mutation([](LibraryEntry &e) {
                                       e.animationCycleText = QStringLiteral("2");
                                       e.drawingFileName = QStringLiteral("loco_0.bmp");
                                   })
                                << "NBNNN2N";
    QTest::newRow("frame 2 missing")
        << QStringList{"loco_1.bmp", "loco_3.bmp"} << Mutation([](LibraryEntry &e) {
               e.animationCycleText = QStringLiteral("2");
               e.drawingFileName = QStringLiteral("loco_0.bmp");
           })
        << "REFUSED: {folder}loco_2.bmp doesn't exist!";
    QTest::newRow("upper-case _0.BMP")
        << QStringList{"LOCO_1.bmp", "LOCO_2.bmp", "LOCO_3.bmp"} << Mutation([](LibraryEntry &e) {
               e.animationCycleText = QStringLiteral("9");
               e.drawingFileName = QStringLiteral("LOCO_0.BMP");
           })
        << "NBNNN9N";
    QTest::newRow("cycle 10 with frames")
        << QStringList{"loco_1.bmp", "loco_2.bmp", "loco_3.bmp"} << Mutation([](LibraryEntry &e) {
               e.animationCycleText = QStringLiteral("10");
               e.drawingFileName = QStringLiteral("loco_0.bmp");
           })
        << "REFUSED: The maximum value of cycle frequency is 9 [0-9] PHASENLAENGE!";
    QTest::newRow("only W9 variation")
        << QStringList{"Re44_W9.bmp"} << Mutation([](LibraryEntry &e) { e.variations = true; })
        << "NBNNN0Y";
    QTest::newRow("variation of another stem")
        << QStringList{"Re4_N0.bmp", "Re44_X0.bmp"}
        << Mutation([](LibraryEntry &e) { e.variations = true; })
        << "REFUSED: Re44.bmp hasn't variations!";
    // Windows file names match without regard to letter case: there Re44_n0.bmp is the file
    // the name Re44_N0.bmp opens.
    QTest::newRow("lower-case direction letter")
        << QStringList{"Re44_n0.bmp"} << Mutation([](LibraryEntry &e) { e.variations = true; })
#ifdef Q_OS_WIN
        << "NBNNN0Y";
#else
        << "REFUSED: Re44.bmp hasn't variations!";
#endif
}

void TestEntryLine::companionFiles()
{
    QFETCH(QStringList, files);
    QFETCH(Mutation, mutate);
    QFETCH(QString, result);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString folder = dir.path() + QDir::separator();
    for (const QString &file : files) {
        if (file.endsWith(QLatin1Char('/')))
            QVERIFY(QDir(dir.path()).mkdir(file.chopped(1)));
        else
            touch(dir.filePath(file));
    }
    LibraryEntry entry = validEntry();
    entry.sourceFolder = folder;
    mutate(entry);
    const QString line = lineOf(composeEntry(entry, isOrdinaryFile));
    const QString expected =
        QString(result).replace(QLatin1String("{folder}"), QDir::toNativeSeparators(folder));
    QCOMPARE(line.startsWith(QLatin1String("REFUSED")) ? line : line.mid(51, 7), expected);
}

void TestEntryLine::variationsStopAtFirstHit()
{
    QStringList asked;
    const FileTest recording = [&asked](const QString &path) {
        asked.append(path);
        return path.endsWith(QLatin1String("_S2.bmp"));
    };
    LibraryEntry entry = validEntry();
    entry.variations = true;
    QVERIFY(std::holds_alternative<QString>(composeEntry(entry, recording)));
    QCOMPARE(asked.size(), 13);
    QCOMPARE(asked.first(), QStringLiteral("/nowhere/Re44_N0.bmp"));
    QCOMPARE(asked.last(), QStringLiteral("/nowhere/Re44_S2.bmp"));
}

void TestEntryLine::numbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value"); // -99999: does not fit 16 bits
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("leading zeros") << "058" << 58;
    QTest::newRow("largest") << "32767" << 32767;
    QTest::newRow("too large") << "32768" << -99999;
    QTest::newRow("far too large") << "99999999999999999999" << -99999;
    QTest::newRow("pasted decimal rounds") << "57.6" << 58;
    QTest::newRow("pasted negative") << "-3" << -3;
    QTest::newRow("pasted text") << "abc" << 0;
}

void TestEntryLine::numbers()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    const std::optional<int> read = readWholeNumber(text);
    QCOMPARE(read.value_or(-99999), value);
}

QTEST_GUILESS_MAIN(TestEntryLine)
#include "test_core_entryline.moc"

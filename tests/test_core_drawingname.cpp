#include "drawingnames/drawingname.h"
#include "hiddenfile.h"
#include "system/filetest.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

Q_DECLARE_METATYPE(DrawingRefusal)

namespace {

// Table markers for absent optional fields.
const QString absentText = QStringLiteral("<absent>");
constexpr int absentIndex = -1;

// OL column: -1 absent, 0 untick, 1 tick.
int overheadLineColumn(const std::optional<bool> &value)
{
    return value ? int(*value) : -1;
}

bool writeFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("BM") == 2;
}

} // namespace

class TestDrawingName : public QObject
{
    Q_OBJECT

private slots:
    void decodes_data();
    void decodes();
    void refusalMessages_data();
    void refusalMessages();
    void queriesCandidatesInOrderWithFolderPrefix();
    void stopsAtFirstHit_data();
    void stopsAtFirstHit();
    void variationsInFolder_data();
    void variationsInFolder();
    void upperCaseExtensionOnDiskIsNoVariation();
    void hiddenStemCandidateDoesNotCount();
    void ordinaryFileTest();
};

void TestDrawingName::decodes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<DrawingRefusal>("refusal");
    QTest::addColumn<QString>("phaseLength");
    QTest::addColumn<int>("country");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("overheadLine");
    QTest::addColumn<QString>("label");

    using R = DrawingRefusal;
    const QString none = absentText;
    const int no = absentIndex;

    // name, refusal, PHASENLAENGE, ULAND, GT, OL "Y", LABEL
    QTest::newRow("steam loco") << "FRG_BR 01_D_DB.bmp" << R::None << "" << 5 << 0 << 0
                                << "BR 01 DB";
    QTest::newRow("animated base")
        << "I_E 626_E_FS_0.bmp" << R::None << "6" << 8 << 2 << 1 << "E 626 FS";
    QTest::newRow("frame 1") << "I_E 626_E_FS_1.bmp" << R::AnimationFrame << none << no << no << no
                             << "";
    QTest::newRow("frame 2") << "I_E 626_E_FS_2.bmp" << R::AnimationFrame << none << no << no << no
                             << "";
    QTest::newRow("frame 3") << "I_E 626_E_FS_3.bmp" << R::AnimationFrame << none << no << no << no
                             << "";
    QTest::newRow("frame 4 is no frame")
        << "I_E 626_E_FS_4.bmp" << R::None << "" << 8 << 2 << 1 << "E 626 FS";
    QTest::newRow("pantograph") << "I_E 626_E_FS_SAR.bmp" << R::PantographDrawing << "" << no << no
                                << no << "";
    QTest::newRow("pantograph lower case")
        << "i_e 626_e_fs_sar.bmp" << R::PantographDrawing << "" << no << no << no << "";
    QTest::newRow("pantograph mixed case")
        << "I_E 626_E_FS_sAr.BMP" << R::PantographDrawing << "" << no << no << no << "";
    QTest::newRow("variation") << "I_E 626_E_FS_N1.bmp" << R::VariationDrawing << "" << no << no
                               << no << "";
    QTest::newRow("variation W9") << "I_E 626_E_FS_W9.bmp" << R::VariationDrawing << "" << no << no
                                  << no << "";
    QTest::newRow("variation of animated")
        << "I_E 626_E_FS_0_S0.bmp" << R::VariationDrawing << "" << no << no << no << "";
    QTest::newRow("lower-case direction")
        << "I_E 626_E_FS_n1.bmp" << R::None << "" << 8 << 2 << 1 << "E 626 FS";
    QTest::newRow("direction not a compass letter")
        << "I_E 626_E_FS_X1.bmp" << R::None << "" << 8 << 2 << 1 << "E 626 FS";
    QTest::newRow("two underscores")
        << "FRG_BR01_D.bmp" << R::None << "" << 5 << no << no << "BR01 FRG";
    QTest::newRow("no underscore")
        << "loco.bmp" << R::None << "" << no << no << no << "loco.bmp loco";
    QTest::newRow("one underscore")
        << "FRG_loco.bmp" << R::None << "" << 5 << no << no << "FRG_loco.bmp loco";
    QTest::newRow("trimmed length 6")
        << "ab.bmp" << R::None << none << no << no << no << "ab.bmp ab";
    QTest::newRow("frame at trimmed length 7")
        << "a_1.bmp" << R::AnimationFrame << none << no << no << no << "";
    QTest::newRow("variation at trimmed length 9")
        << "xy_N1.bmp" << R::VariationDrawing << "" << no << no << no << "";
    QTest::newRow("lower-case variation at 9")
        << "xy_n1.bmp" << R::None << "" << no << no << no << "xy_n1.bmp n1";
    QTest::newRow("variation rule needs length 8")
        << "_N1.bmp" << R::None << "" << no << no << no << "_N1.bmp N1";
    QTest::newRow("pantograph at trimmed length 8")
        << "_SAR.bmp" << R::PantographDrawing << "" << no << no << no << "";
    QTest::newRow("capital extension")
        << "LOCO_X_E_Y.BMP" << R::None << "" << no << 2 << 1 << "X Y";
    QTest::newRow("lower-case country")
        << "frg_BR 01_D_DB.bmp" << R::None << "" << no << 0 << 0 << "BR 01 DB";
    QTest::newRow("lower-case type")
        << "FRG_BR 01_e_DB.bmp" << R::None << "" << 5 << no << no << "BR 01 DB";
    QTest::newRow("D is not DT") << "FRG_T 3_DT_DB.bmp" << R::None << "" << 5 << 1 << 0 << "T 3 DB";
    QTest::newRow("freight car leaves OL")
        << "USA_Box_FC_UP.bmp" << R::None << "" << 14 << 6 << no << "Box UP";
    QTest::newRow("passenger car leaves OL")
        << "A_Coach_PC_OBB.bmp" << R::None << "" << 0 << 7 << no << "Coach OBB";
    QTest::newRow("tramway ticks OL")
        << "CH_Tram_ES_VBZ.bmp" << R::None << "" << 2 << 4 << 1 << "Tram VBZ";
    QTest::newRow("special unticks OL")
        << "SP_Crane_X_Renfe.bmp" << R::None << "" << 13 << 12 << 0 << "Crane Renfe";
    QTest::newRow("empty country") << "_Loco_V_x.bmp" << R::None << "" << no << 8 << 0 << "Loco x";
    QTest::newRow("further segments")
        << "NL_Mat 54_ET_NS_red_b.bmp" << R::None << "" << 10 << 5 << 1 << "Mat 54 NS";
    QTest::newRow("blanks in descriptions")
        << "F_ BB 9004 _E_ SNCF .bmp" << R::None << "" << 4 << 2 << 1 << "BB 9004  SNCF ";
    QTest::newRow("empty last description")
        << "FRG_BR 01_D_.bmp" << R::None << "" << 5 << 0 << 0 << "BR 01 ";
    // Length tests count the name without surrounding blanks; positions count with them.
    QTest::newRow("leading blank, trimmed 6")
        << " ab.bmp" << R::None << none << no << no << no << "ab.bmp  ab";
    QTest::newRow("trailing blanks, trimmed 6")
        << "ab.bmp  " << R::None << none << no << no << no << "ab.bmp ab";
    QTest::newRow("tab is no blank")
        << "\tab.bmp" << R::None << "" << no << no << no << "\tab.bmp \tab";
    QTest::newRow("second .bmp stays in stem")
        << "FRG_x_D_y.bmp.bmp" << R::None << "" << 5 << 0 << 0 << "x y";

    // Names the convention leaves open. A rule that would look before the first character
    // does not match.
    QTest::newRow("open: .bmp at 1") << ".bmpabc" << R::None << "" << no << no << no << ".bmpabc ";
    QTest::newRow("open: frame rule before 1")
        << "a.bmpxyz" << R::None << "" << no << no << no << "a.bmpxyz a";
    QTest::newRow("open: frame rule at 1 matches")
        << "_1.bmpxx" << R::AnimationFrame << none << no << no << no << "";
    QTest::newRow("open: variation rule before 1")
        << "N1.bmpxyz" << R::None << "" << no << no << no << "N1.bmpxyz N1";
    QTest::newRow("open: variation rule at 1 matches")
        << "_N1.bmpx" << R::VariationDrawing << "" << no << no << no << "";
    QTest::newRow("open: pantograph rule before 1")
        << "SAR.bmpxy" << R::None << "" << no << no << no << "SAR.bmpxy SAR";
    // The third "_" beyond the first ".bmp": the closing segment would have a negative
    // length and is empty.
    QTest::newRow("open: third _ after .bmp")
        << "FRG_x_D.bmp_y" << R::None << "" << 5 << no << no << "x ";
    QTest::newRow("open: third _ after .bmp, real type")
        << "FRG_x_D.bmp_E.bmp" << R::None << "" << 5 << no << no << "x ";
    QTest::newRow("open: fourth _ after .bmp")
        << "FRG_x_D.bmp_y_z" << R::None << "" << 5 << no << no << "x y";
    // A name without ".bmp" is all stem.
    QTest::newRow("open: no .bmp")
        << "FRG_BR 01_D_DB" << R::None << "" << 5 << 0 << 0 << "BR 01 DB";
    QTest::newRow("open: no .bmp, frame")
        << "FRG_BR 01_D_DB_2" << R::AnimationFrame << none << no << no << no << "";
    QTest::newRow("open: no .bmp, animated")
        << "FRG_BR 01_D_DB_0" << R::None << "6" << 5 << 0 << 0 << "BR 01 DB";
    QTest::newRow("open: no .bmp, short")
        << "loco" << R::None << none << no << no << no << "loco loco";
    QTest::newRow("open: empty name") << "" << R::None << none << no << no << no << " ";
    QTest::newRow("open: only blanks")
        << "        " << R::None << none << no << no << no << QString(9, QLatin1Char(' '));
    QTest::newRow("open: no .bmp, pantograph at 7")
        << "abc_SAR" << R::None << "" << no << no << no << "abc_SAR SAR";
}

void TestDrawingName::decodes()
{
    QFETCH(QString, name);
    QFETCH(DrawingRefusal, refusal);
    QFETCH(QString, phaseLength);
    QFETCH(int, country);
    QFETCH(int, type);
    QFETCH(int, overheadLine);
    QFETCH(QString, label);

    const DrawingNameInfo info = decodeDrawingName(name);
    QCOMPARE(info.refusal, refusal);
    QCOMPARE(info.phaseLengthText.has_value(), phaseLength != absentText);
    if (info.phaseLengthText) {
        QCOMPARE(*info.phaseLengthText, phaseLength);
        QVERIFY(!info.phaseLengthText->isNull() || phaseLength.isEmpty());
    }
    QCOMPARE(info.countryIndex.value_or(absentIndex), country);
    QCOMPARE(info.typeIndex.value_or(absentIndex), type);
    QCOMPARE(overheadLineColumn(info.overheadLineYes), overheadLine);
    QCOMPARE(info.label, label);
}

void TestDrawingName::refusalMessages_data()
{
    QTest::addColumn<DrawingRefusal>("refusal");
    QTest::addColumn<QString>("message");
    QTest::newRow("none") << DrawingRefusal::None << QString();
    QTest::newRow("frame") << DrawingRefusal::AnimationFrame
                           << "Drawing Animation: choose the '_0' base drawing";
    QTest::newRow("pantograph")
        << DrawingRefusal::PantographDrawing
        << "Panthografs Animation: choose the base drawing and set the SAR flag!";
    QTest::newRow("variation")
        << DrawingRefusal::VariationDrawing
        << "Variation drawing: choose the base drawing and set the VARIATIONS flag!";
}

void TestDrawingName::refusalMessages()
{
    QFETCH(DrawingRefusal, refusal);
    QFETCH(QString, message);
    QCOMPARE(drawingRefusalMessage(refusal), message);
}

void TestDrawingName::queriesCandidatesInOrderWithFolderPrefix()
{
    const QString folder = QStringLiteral("/drawings/");
    QStringList asked;
    const bool found = hasVariationDrawings(folder, QStringLiteral("I_E 626_E_FS_0.BMP"),
                                            [&asked](const QString &path) {
                                                asked.append(path);
                                                return false;
                                            });
    QVERIFY(!found);
    QStringList expected;
    for (const char direction : {'N', 'S', 'E', 'W'})
        for (int n = 0; n <= 9; ++n)
            expected.append(
                folder +
                QStringLiteral("I_E 626_E_FS_0_%1%2.bmp").arg(QLatin1Char(direction)).arg(n));
    QCOMPARE(asked, expected);
    QCOMPARE(asked.first(), QStringLiteral("/drawings/I_E 626_E_FS_0_N0.bmp"));
    QCOMPARE(asked.last(), QStringLiteral("/drawings/I_E 626_E_FS_0_W9.bmp"));
}

void TestDrawingName::stopsAtFirstHit_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<bool>("expected");
    QTest::addColumn<int>("queries");

    QTest::newRow("first") << "a.bmp" << QStringList{"a_N0.bmp"} << true << 1;
    QTest::newRow("S3") << "a.bmp" << QStringList{"a_S3.bmp", "a_E0.bmp"} << true << 14;
    QTest::newRow("last") << "a.bmp" << QStringList{"a_W9.bmp"} << true << 40;
    QTest::newRow("stem before first .bmp") << "a.Bmp.bmp" << QStringList{"a_E5.bmp"} << true << 26;
    QTest::newRow("no hit") << "a.bmp" << QStringList{"a_N10.bmp", "a.bmp_N0.bmp", "a_N0.BMP"}
                            << false << 40;
}

void TestDrawingName::stopsAtFirstHit()
{
    QFETCH(QString, fileName);
    QFETCH(QStringList, existing);
    QFETCH(bool, expected);
    QFETCH(int, queries);

    int asked = 0;
    const bool found = hasVariationDrawings(QString(), fileName, [&](const QString &path) {
        ++asked;
        return existing.contains(path);
    });
    QCOMPARE(found, expected);
    QCOMPARE(asked, queries);
}

void TestDrawingName::variationsInFolder_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<bool>("expected");

    const QString base = QStringLiteral("I_E 626_E_FS_0.bmp");
    QTest::newRow("first candidate")
        << base << QStringList{base, "I_E 626_E_FS_0_N0.bmp"} << QStringList{} << true;
    QTest::newRow("last candidate")
        << base << QStringList{base, "I_E 626_E_FS_0_W9.bmp"} << QStringList{} << true;
    QTest::newRow("none") << base
                          << QStringList{base,
                                         "I_E 626_E_FS_0_SAR.bmp",
                                         "I_E 626_E_FS_1.bmp",
                                         "I_E 626_E_FS_0_X1.bmp",
                                         "I_E 626_E_FS_0_N10.bmp",
                                         "I_E 626_E_FS_N0.bmp"}
                          << QStringList{} << false;
    QTest::newRow("folder of a candidate's name")
        << base << QStringList{base} << QStringList{"I_E 626_E_FS_0_N0.bmp"} << false;
    QTest::newRow("folder and a later file") << base << QStringList{base, "I_E 626_E_FS_0_E4.bmp"}
                                             << QStringList{"I_E 626_E_FS_0_N0.bmp"} << true;
    QTest::newRow("capital extension, lower-case candidate")
        << "LOCO_X_E_Y.BMP" << QStringList{"LOCO_X_E_Y.BMP", "LOCO_X_E_Y_N0.bmp"} << QStringList{}
        << true;
}

void TestDrawingName::variationsInFolder()
{
    QFETCH(QString, fileName);
    QFETCH(QStringList, files);
    QFETCH(QStringList, folders);
    QFETCH(bool, expected);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (const QString &file : files)
        QVERIFY(writeFile(dir.filePath(file)));
    for (const QString &folder : folders)
        QVERIFY(QDir(dir.path()).mkdir(folder));

    const QString folder = QDir::toNativeSeparators(dir.path()) + QDir::separator();
    QCOMPARE(hasVariationDrawings(folder, fileName), expected);
}

void TestDrawingName::upperCaseExtensionOnDiskIsNoVariation()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(writeFile(dir.filePath(QStringLiteral("LOCO_X_E_Y_N0.BMP"))));
    if (QFile::exists(dir.filePath(QStringLiteral("LOCO_X_E_Y_N0.bmp"))))
        QSKIP("the file system ignores letter case");
    const QString folder = QDir::toNativeSeparators(dir.path()) + QDir::separator();
    QVERIFY(!hasVariationDrawings(folder, QStringLiteral("LOCO_X_E_Y.BMP")));
}

void TestDrawingName::hiddenStemCandidateDoesNotCount()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString folder = QDir::toNativeSeparators(dir.path()) + QDir::separator();
#ifdef Q_OS_WIN
    // Hidden files are marked by an attribute there, not by the name.
    const QString stem = QStringLiteral("loco.bmp");
    const QString candidate = dir.filePath(QStringLiteral("loco_N0.bmp"));
    QVERIFY(writeFile(dir.filePath(stem)));
    QVERIFY(writeFile(candidate));
    QVERIFY(setHidden(candidate, true));
    QVERIFY(!hasVariationDrawings(folder, stem));

    // The same search finds the candidate once it is visible.
    QVERIFY(setHidden(candidate, false));
    QVERIFY(hasVariationDrawings(folder, stem));
#else
    QVERIFY(writeFile(dir.filePath(QStringLiteral(".loco.bmp"))));
    QVERIFY(writeFile(dir.filePath(QStringLiteral(".loco_N0.bmp"))));
    QVERIFY(!hasVariationDrawings(folder, QStringLiteral(".loco.bmp")));

    // The same search finds a visible candidate of the same stem.
    QVERIFY(QFile::rename(dir.filePath(QStringLiteral(".loco_N0.bmp")),
                          dir.filePath(QStringLiteral("loco_N0.bmp"))));
    QVERIFY(hasVariationDrawings(folder, QStringLiteral("loco.bmp")));
#endif
}

void TestDrawingName::ordinaryFileTest()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(writeFile(dir.filePath(QStringLiteral("plain.bmp"))));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.bmp")));

    QVERIFY(isOrdinaryFile(dir.filePath(QStringLiteral("plain.bmp"))));
    QVERIFY(!isOrdinaryFile(dir.filePath(QStringLiteral("folder.bmp"))));
    QVERIFY(!isOrdinaryFile(dir.filePath(QStringLiteral("missing.bmp"))));
#ifndef Q_OS_WIN
    QVERIFY(writeFile(dir.filePath(QStringLiteral(".hidden.bmp"))));
    QVERIFY(!isOrdinaryFile(dir.filePath(QStringLiteral(".hidden.bmp"))));
#endif
}

QTEST_GUILESS_MAIN(TestDrawingName)
#include "test_core_drawingname.moc"

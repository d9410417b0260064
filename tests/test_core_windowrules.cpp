#include "library/sameplace.h"
#include "system/nativepath.h"
#include "window/filemanagerorder.h"
#include "window/slideanimation.h"

#include <QDir>
#include <QtTest>

#include <functional>

// The rules the windows follow that need no window: the order of the file and folder lists,
// the about window's slide, the form in which a path is shown and its same-place key.

namespace {

constexpr int firstLeftTurn = 721;
constexpr int legTicks = 741;
constexpr int cycleTicks = 2 * legTicks;

} // namespace

using PathRule = std::function<QString(const QString &)>;
Q_DECLARE_METATYPE(PathRule)

class TestWindowRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fileManagerOrder_data();
    void fileManagerOrder();
    void slideStep_data();
    void slideStep();
    void slideCycle();
    void slideTurnsOutOfSight();
    void shownPaths_data();
    void shownPaths();
};

void TestWindowRules::fileManagerOrder_data()
{
    QTest::addColumn<QString>("earlier");
    QTest::addColumn<QString>("later");
    // As the Windows file list: letter case ignored, numbers compared as numbers, and "."
    // before "_", so that a base drawing comes before its companions.
    QTest::newRow("2 before 10") << "a2.bmp"
                                 << "a10.bmp";
    QTest::newRow("case ignored") << "broken_x_V_y.bmp"
                                  << "CH_Re 4-4_E_SBB.BMP";
    QTest::newRow("countries") << "CH_Re 4-4_E_SBB.BMP"
                               << "FRG_BR 01_D_DB.bmp";
    QTest::newRow("base before pantograph") << "CH_Re 4-4_E_SBB.bmp"
                                            << "CH_Re 4-4_E_SBB_SAR.bmp";
    QTest::newRow("base before variation") << "I_FS_PC_B36000.bmp"
                                           << "I_FS_PC_B36000_N1.bmp";
    QTest::newRow("dot before underscore") << "Swiss.old"
                                           << "Swiss_old";
    QTest::newRow("space before letters") << "Re 4.bmp"
                                          << "ReA.bmp";
}

void TestWindowRules::fileManagerOrder()
{
    QFETCH(QString, earlier);
    QFETCH(QString, later);
    // Given in the opposite order, so that the order they came in cannot help.
    QStringList names{later, earlier};
    sortAsFileManager(names);
    QCOMPARE(names, (QStringList{earlier, later}));
}

void TestWindowRules::slideStep_data()
{
    QTest::addColumn<double>("left");
    QTest::addColumn<int>("step");
    QTest::addColumn<double>("expectedLeft");
    QTest::addColumn<int>("expectedStep");

    QTest::newRow("moving left") << 100.0 << -1 << 60.0 << -1;
    QTest::newRow("moving right") << 100.0 << 1 << 140.0 << 1;
    QTest::newRow("reaches the left limit exactly") << -23560.0 << -1 << -23600.0 << 1;
    QTest::newRow("passes the left limit") << -23570.5 << -1 << -23610.5 << 1;
    QTest::newRow("stops just short of the left limit") << -23559.5 << -1 << -23599.5 << -1;
    QTest::newRow("reaches the right limit exactly") << 5960.0 << 1 << 6000.0 << -1;
    QTest::newRow("passes the right limit") << 5999.9 << 1 << 6039.9 << -1;
    QTest::newRow("stops just short of the right limit") << 5959.9 << 1 << 5999.9 << 1;
    QTest::newRow("back from the left limit") << -23600.0 << 1 << -23560.0 << 1;
    QTest::newRow("back from the right limit") << 6000.0 << -1 << 5960.0 << -1;
}

void TestWindowRules::slideStep()
{
    QFETCH(double, left);
    QFETCH(int, step);
    QFETCH(double, expectedLeft);
    QFETCH(int, expectedStep);

    const SlidePosition next = slideAnimationStep(left, step);
    QCOMPARE(next.left, expectedLeft);
    QCOMPARE(next.slideStep, expectedStep);
}

// The start (5580 twips, 5239.9 units) lies 0.09 units off the 40-unit grid of the limits, so
// the railcar turns first on tick 721 at -23600.09, then after every 741 ticks (29640 units) at
// 6039.91 and -23600.09 in turn: a cycle of 1482 ticks, the design's 74 seconds and a tenth.
void TestWindowRules::slideCycle()
{
    QCOMPARE(qRound(slideStartLeft * 10), 52399);

    SlidePosition position;
    QCOMPARE(position.left, slideStartLeft);
    QCOMPARE(position.slideStep, -1);

    QList<int> turns;
    QList<SlidePosition> history{position};
    const int ticks = 4 * cycleTicks;
    for (int tick = 1; tick <= ticks; ++tick) {
        const SlidePosition next = slideAnimationStep(position.left, position.slideStep);
        QVERIFY2(qAbs(next.left - position.left - 40.0 * position.slideStep) < 1e-9,
                 qPrintable(QStringLiteral("tick %1 moved the railcar %2 units")
                                .arg(tick)
                                .arg(next.left - position.left)));
        if (next.slideStep != position.slideStep) {
            turns.append(tick);
            if (next.slideStep == 1) {
                QVERIFY(next.left <= slideLeftLimit);
                QVERIFY(position.left > slideLeftLimit);
            } else {
                QVERIFY(next.left >= slideRightLimit);
                QVERIFY(position.left < slideRightLimit);
            }
        }
        position = next;
        history.append(position);
    }

    // The first tick goes left.
    QVERIFY(qFuzzyCompare(history.at(1).left, slideStartLeft - 40));
    QCOMPARE(history.at(1).slideStep, -1);

    QList<int> expectedTurns;
    for (int turn = firstLeftTurn; turn <= ticks; turn += legTicks)
        expectedTurns.append(turn);
    QCOMPARE(turns, expectedTurns);
    QVERIFY(qAbs(history.at(firstLeftTurn).left - (slideStartLeft - 40 * firstLeftTurn)) < 1e-6);
    QVERIFY(qAbs(history.at(firstLeftTurn + legTicks).left - (slideRightLimit + 39.91)) < 0.01);

    // The tick after each turn moves back by 40 units.
    for (const int turn : turns) {
        const double back = history.at(turn + 1).left - history.at(turn).left;
        QVERIFY(qAbs(back - 40.0 * history.at(turn).slideStep) < 1e-9);
    }

    // The motion repeats every cycle, from the design place on.
    for (int tick = 0; tick + cycleTicks <= ticks; ++tick) {
        QVERIFY(qAbs(history.at(tick + cycleTicks).left - history.at(tick).left) < 1e-6);
        QCOMPARE(history.at(tick + cycleTicks).slideStep, history.at(tick).slideStep);
    }

    // One cycle on, the railcar passes its design place again, moving left.
    const SlidePosition &again = history.at(cycleTicks);
    QVERIFY(qAbs(again.left - slideStartLeft) < 1e-6);
    QCOMPARE(again.slideStep, -1);
}

void TestWindowRules::slideTurnsOutOfSight()
{
    // At the design place only the first 10 of its 161 pixels are inside the 382-pixel window.
    QCOMPARE(slideUnitsToPixels(slideStartLeft), 372);
    // 40 units are 2.84 pixels.
    QCOMPARE(slideUnitsToPixels(slideStartLeft - 40), 369);
    QCOMPARE(slideUnitsToPixels(slideScaleWidth), 382);
    QCOMPARE(slideUnitsToPixels(0), 0);
    // Both turns happen where the railcar cannot be seen.
    QCOMPARE(slideUnitsToPixels(slideLeftLimit), -1675);
    QVERIFY(slideUnitsToPixels(slideLeftLimit - 40) + 161 < 0);
    QVERIFY(slideUnitsToPixels(slideRightLimit) >= slideClientWidthPixels);
}

void TestWindowRules::shownPaths_data()
{
    QTest::addColumn<PathRule>("rule");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("shown");
    const QString s = QDir::separator();
    const PathRule fileName = [](const QString &path) { return path.mid(fileNameStart(path)); };
    QTest::newRow("shown with the system's separators") << PathRule(shownPath) << "a/b"
                                                        << "a" + s + "b";
    QTest::newRow("folder gets one separator") << PathRule(folderWithSeparator) << "a/b"
                                               << "a" + s + "b" + s;
    QTest::newRow("folder keeps its separator") << PathRule(folderWithSeparator) << "a/b/"
                                                << "a" + s + "b" + s;
    QTest::newRow("folder cleaned") << PathRule(nativeFolder) << QDir::rootPath() + "a/./b/../c"
                                    << QDir::toNativeSeparators(QDir::rootPath() + "a/c");
    QTest::newRow("name after the last separator") << fileName << "a/b.c/Swiss.txt"
                                                   << "Swiss.txt";
    QTest::newRow("name of a bare name") << fileName << "Swiss.txt"
                                         << "Swiss.txt";
    // "FOLDER|NAME": the key of NAME within FOLDER, from the folder's own key.
    const PathRule keyIn = [](const QString &path) {
        const QStringList parts = path.split(QLatin1Char('|'));
        return samePlaceKeyIn(samePlaceKey(parts[0]), parts[1]);
    };
    const QString root = QDir::rootPath();
    QTest::newRow("same place: name in a folder")
        << keyIn << root + "Lib/E|Re44.BMP" << (root + "lib/e/re44.bmp").toCaseFolded();
    QTest::newRow("same place: name in the root")
        << keyIn << root + "|Re44.BMP" << (root + "re44.bmp").toCaseFolded();
    QTest::newRow("same place: name that climbs")
        << keyIn << root + "Lib/E|../V/x.bmp" << (root + "lib/v/x.bmp").toCaseFolded();
#ifdef Q_OS_WIN
    QTest::newRow("drive letter alone is its root") << PathRule(nativeFolder) << "C:"
                                                    << "C:\\";
    QTest::newRow("name after a backslash") << fileName << "C:\\lib\\Swiss.txt"
                                            << "Swiss.txt";
#endif
}

void TestWindowRules::shownPaths()
{
    QFETCH(PathRule, rule);
    QFETCH(QString, path);
    QFETCH(QString, shown);
    QCOMPARE(rule(path), shown);
}

QTEST_GUILESS_MAIN(TestWindowRules)
#include "test_core_windowrules.moc"

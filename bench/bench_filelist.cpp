// Times the filling of the window's file list with a folder of 10,000 drawings against a plain
// sorted QDir listing of the same folder, and the work of selecting one drawing there (its name
// decoded, its 40 variation look-ups, its picture) against the plain look-ups in a set of the
// folder's names and the picture alone. Prints figures; decides nothing.

#include "drawingnames/companionnames.h"
#include "drawingnames/drawingname.h"
#include "filelist.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QSet>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int drawingTotal = 10000;
constexpr int rounds = 15;

// Base drawings with their companions, as a drawing folder holds them: every fifth base drawing
// is animated, every fourth has a pantograph drawing, every third two variations.
QStringList drawingNames()
{
    static const char *const countries[] = {"CH", "FRG", "I", "A", "NL", "USA", "F"};
    static const char *const types[] = {"E", "D", "V", "ET", "PC", "FC", "VT"};
    QStringList names;
    for (int i = 0; names.size() < drawingTotal; ++i) {
        const QString stem = QStringLiteral("%1_Re %2-%3_%4_SBB")
                                 .arg(QLatin1String(countries[i % 7]))
                                 .arg(i / 7)
                                 .arg(i % 13)
                                 .arg(QLatin1String(types[(i / 7) % 7]));
        if (i % 5 == 0) {
            for (int frame = 0; frame < 4; ++frame)
                names << stem + QStringLiteral("_%1.bmp").arg(frame);
        } else {
            names << stem + QLatin1String(".bmp");
        }
        if (i % 4 == 0)
            names << stem + QLatin1String("_SAR.bmp");
        if (i % 3 == 0)
            names << stem + QLatin1String("_N1.bmp") << stem + QLatin1String("_E2.bmp");
    }
    names.resize(drawingTotal);
    return names;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double msSince(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    // Runs without a display unless told otherwise.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);

    QTemporaryDir root;
    if (!root.isValid()) {
        std::fprintf(stderr, "no temporary folder\n");
        return 1;
    }
    const QString folder = root.filePath(QStringLiteral("drawings"));
    QDir().mkpath(folder);
    for (const QString &name : drawingNames()) {
        QFile file(folder + QLatin1Char('/') + name);
        if (!file.open(QIODevice::WriteOnly)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
            return 1;
        }
    }
    // Some files of other kinds, which neither listing shows.
    for (int i = 0; i < 200; ++i)
        QFile(folder + QStringLiteral("/notes %1.txt").arg(i)).open(QIODevice::WriteOnly);
    std::printf("Folder of %d drawings in %s\n", drawingTotal, qPrintable(folder));

    FileList list;
    list.resize(311, 97);
    list.show();
    const QString elsewhere = root.path();

    std::vector<double> fills, plains, ratios;
    qsizetype listed = 0;
    qsizetype shown = 0;
    for (int round = 0; round < rounds + 1; ++round) {
        // The list starts each round on another folder, as after a folder change.
        list.setPath(elsewhere);
        QCoreApplication::processEvents();

        // The fill, and the layout of the shown list that it causes.
        QElapsedTimer timer;
        timer.start();
        list.setPath(folder);
        QCoreApplication::processEvents();
        const double fill = msSince(timer);
        shown = list.count();

        timer.start();
        const QStringList plain =
            QDir(folder, QStringLiteral("*.bmp"), QDir::Name | QDir::IgnoreCase, QDir::Files)
                .entryList();
        const double plainMs = msSince(timer);
        listed = plain.size();

        if (round == 0)
            continue; // warm-up: the folder's entries come into the system's caches
        fills.push_back(fill);
        plains.push_back(plainMs);
        ratios.push_back(fill / plainMs);
    }
    // A selection: a drawing without variations, so that all 40 names are looked up.
    const QString chosen = drawingNames().at(7); // the second base drawing, "FRG_Re 0-1_D_SBB.bmp"
    QImage(30, 10, QImage::Format_RGB32).save(folder + QLatin1Char('/') + chosen, "BMP");
    const QStringList candidates = variationCandidateNames(drawingStem(chosen));
    const QStringList listedNames = QDir(folder).entryList(QDir::Files);
    const QSet<QString> names(listedNames.cbegin(), listedNames.cend());
    std::vector<double> selections, plainSelections, selectionRatios;
    int ticked = 0;
    for (int round = 0; round < rounds * 20; ++round) {
        QElapsedTimer timer;
        timer.start();
        const DrawingNameInfo info = decodeDrawingName(chosen);
        ticked += hasVariationDrawings(folder + QLatin1Char('/'), chosen,
                                       [&](const QString &path) { return list.holdsFile(path); })
                      ? 1
                      : 0;
        const QPixmap picture(folder + QLatin1Char('/') + chosen);
        const double selection = msSince(timer) + 0 * info.label.size();

        timer.start();
        for (const QString &candidate : candidates)
            ticked += names.contains(candidate) ? 1 : 0;
        const QPixmap plainPicture(folder + QLatin1Char('/') + chosen);
        const double plainSelection = msSince(timer);
        if (picture.isNull() || plainPicture.isNull())
            std::fprintf(stderr, "the picture did not load\n");
        selections.push_back(selection);
        plainSelections.push_back(plainSelection);
        selectionRatios.push_back(selection / plainSelection);
    }

    std::printf("Medians of %d rounds\n", rounds);
    std::printf("(a) file list fill (%lld items):      %8.1f ms\n", static_cast<long long>(shown),
                median(fills));
    std::printf("(b) plain sorted QDir listing (%lld): %8.1f ms\n", static_cast<long long>(listed),
                median(plains));
    std::printf("    ratio a/b:                        %8.2f   target <= 2\n", median(ratios));
    std::printf("(c) selecting a drawing (decode, 40 look-ups, picture): %6.3f ms\n",
                median(selections));
    std::printf("(d) 40 look-ups in a set of names and the picture:     %6.3f ms\n",
                median(plainSelections));
    std::printf("    ratio c/d:                        %8.2f   target <= 2\n",
                median(selectionRatios));
    return shown == listed && ticked == 0 ? 0 : 1;
}

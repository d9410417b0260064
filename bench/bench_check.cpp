// Times the check of a library of 1000 entries and its 7000 drawings in the library folder
// against the plain work underneath it: reading the same attributes file and asking the system
// once for each of the same files whether it is there; and the window's check of the same
// library as the list holds it, 500 lines read from the file and 500 added in the window (their
// drawings in their source folders), against the same plain work. Prints figures; decides
// nothing.

#include "checking/librarycheck.h"
#include "drawingnames/codetables.h"
#include "drawingnames/companionnames.h"
#include "entrylines.h"
#include "library/libraryfile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int defaultEntryTotal = 1000;
constexpr int rounds = 7;

// The library folder's files of one entry: the drawing, three frames, the pantograph drawing
// and two variation drawings.
QStringList filesOf(const QString &stem)
{
    return QStringList{stem + QLatin1String(".bmp")} +
           animationFrameNames(stem + QLatin1String(".bmp")) +
           QStringList{pantographDrawingName(stem), stem + QLatin1String("_N0.bmp"),
                       stem + QLatin1String("_E3.bmp")};
}

// Makes the library and returns the paths of its drawings, relative to the library folder.
QStringList makeLibrary(const QString &file, const QString &folder, int entryTotal)
{
    const QStringList types = vehicleTypeCodes();
    QStringList lines;
    QStringList drawings;
    for (int i = 0; i < entryTotal; ++i) {
        const QString type = types[i % types.size()];
        const QString stem = QStringLiteral("CH_Loco %1_%2_SBB_0").arg(i).arg(type);
        lines.append(EntryLine{.label = "Bench drawing",
                               .gt = type,
                               .sar = "Y",
                               .phasenlaenge = "6",
                               .variations = "Y",
                               .drawing = stem + QLatin1String(".bmp")}
                         .text());
        QDir().mkpath(folder + QLatin1Char('/') + type);
        for (const QString &name : filesOf(stem)) {
            drawings.append(type + QLatin1Char('/') + name);
            QFile drawing(folder + QLatin1Char('/') + drawings.last());
            if (!drawing.open(QIODevice::WriteOnly))
                std::fprintf(stderr, "cannot write %s\n", qPrintable(drawing.fileName()));
        }
    }
    if (!writeLibraryFile(file, lines).isEmpty())
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
    return drawings;
}

double msSince(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    const int entryTotal = argc > 1 ? std::atoi(argv[1]) : defaultEntryTotal;
    const QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "no temporary folder\n");
        return 1;
    }
    const QString file = dir.filePath(QStringLiteral("Bench.txt"));
    const QString folder = dir.filePath(QStringLiteral("Bench"));
    const QStringList drawings = makeLibrary(file, folder, entryTotal);
    std::printf("Library of %d entries and %lld drawings in %s\n", entryTotal,
                qlonglong(drawings.size()), qPrintable(dir.path()));

    // The window's library: the first half read from the file, the second added from the
    // folders that hold their drawings.
    const LibraryFileContent content = readLibraryFile(file);
    LibraryInWindow inWindow{content.lines, content.lineBytes, {}, {}, file, folder};
    for (qsizetype i = 0; i < content.lines.size(); ++i) {
        const bool added = i >= content.lines.size() / 2;
        inWindow.statuses.append(added ? QStringLiteral("N") : QStringLiteral("O"));
        inWindow.sourceFolders.append(
            added ? folder + QLatin1Char('/') + content.lines[i].mid(46, 2).trimmed() : QString());
    }

    std::vector<double> checks, plains, ratios, windowChecks, windowRatios;
    for (int round = 0; round < rounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        const LibraryCheck check = checkLibraryFile(file);
        const double checkMs = msSince(timer);
        if (!check.findings.isEmpty() || check.entries != entryTotal)
            std::fprintf(stderr, "the check found %lld problems in %d entries\n",
                         qlonglong(check.findings.size()), check.entries);

        timer.restart();
        QFile attributes(file);
        const bool opened = attributes.open(QIODevice::ReadOnly);
        const QList<QByteArray> lines = attributes.readAll().split('\n');
        int present = 0;
        for (const QString &drawing : drawings)
            present += QFileInfo::exists(folder + QLatin1Char('/') + drawing) ? 1 : 0;
        const double plainMs = msSince(timer);
        if (!opened || lines.size() != entryTotal + 1 || present != drawings.size())
            std::fprintf(stderr, "the plain reading saw %lld lines and %d drawings\n",
                         qlonglong(lines.size()), present);

        timer.restart();
        const CheckFindings windowFindings = checkLibraryInWindow(inWindow);
        const double windowMs = msSince(timer);
        if (!windowFindings.isEmpty())
            std::fprintf(stderr, "the window's check found %lld problems, first: %s\n",
                         qlonglong(windowFindings.size()), qPrintable(windowFindings.first().text));
        windowChecks.push_back(windowMs);
        windowRatios.push_back(windowMs / plainMs);

        checks.push_back(checkMs);
        plains.push_back(plainMs);
        ratios.push_back(checkMs / plainMs);
        std::printf("round %d: check %.1f ms, plain reading and look-ups %.1f ms, ratio %.2f\n",
                    round + 1, checkMs, plainMs, checkMs / plainMs);
    }
    std::printf("median: check %.1f ms, plain %.1f ms; ratio check/plain %.2f (goal: at most "
                "2)\n",
                median(checks), median(plains), median(ratios));
    std::printf("median: the window's check (500 lines read, 500 added) %.1f ms; ratio "
                "window/plain %.2f (goal: at most 2)\n",
                median(windowChecks), median(windowRatios));
    return 0;
}

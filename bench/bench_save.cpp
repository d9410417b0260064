// Times the work of saving a library of 1000 added entries against a plain copy of the same
// files made durable the same way (each file forced to the disk in batches, each folder synced),
// and against a plain copy without durability; and the reading and writing of a 1000-line
// attributes file. With --busy another thread writes 1 GB to the same volume during each timed
// side, as a person copying a film would. Run it on a disk: in a RAM file system nothing is
// forced anywhere. Prints figures; decides nothing.

#include "drawingnames/codetables.h"
#include "drawingnames/companionnames.h"
#include "entrylines.h"
#include "library/libraryfile.h"
#include "library/savelibrary.h"
#include "system/filetest.h"
#include "system/systemfile.h"
#include "text/codepage.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <memory>
#include <thread>
#include <vector>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

// The library's size; a smaller one may be given as the only argument (under Wine, which looks
// through a whole folder for each name it creates, a thousand entries take most of an hour).
constexpr int defaultEntryTotal = 1000;
constexpr qsizetype drawingSize = 20 * 1024;

struct BenchEntry
{
    QString line;
    QString type;
    QStringList files; // the drawing and its six companions
};

QString entryLine(const QString &drawing, const QString &type)
{
    // 6 frames cycle, pantograph and variations: every companion there is.
    return EntryLine{.label = "Bench drawing",
                     .gt = type,
                     .sar = "Y",
                     .phasenlaenge = "6",
                     .variations = "Y",
                     .drawing = drawing}
        .text();
}

bool writeDrawing(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

std::vector<BenchEntry> makeDrawings(const QString &source, int entryTotal)
{
    const QStringList types = vehicleTypeCodes();
    QByteArray bytes(drawingSize, 'x');
    std::vector<BenchEntry> entries;
    entries.reserve(entryTotal);
    for (int i = 0; i < entryTotal; ++i) {
        const QString stem =
            QStringLiteral("CH_Loco %1_%2_SBB_0").arg(i).arg(types[i % types.size()]);
        BenchEntry entry;
        entry.type = types[i % types.size()];
        entry.line = entryLine(stem + QLatin1String(".bmp"), entry.type);
        entry.files = QStringList{stem + QLatin1String(".bmp")} +
                      animationFrameNames(stem + QLatin1String(".bmp"));
        entry.files << pantographDrawingName(stem) << stem + QLatin1String("_N0.bmp")
                    << stem + QLatin1String("_E3.bmp");
        for (const QString &name : std::as_const(entry.files)) {
            bytes[0] = char('A' + i % 26); // no two drawings alike
            if (!writeDrawing(source + name, bytes))
                std::fprintf(stderr, "cannot write %s\n", qPrintable(source + name));
        }
        entries.push_back(entry);
    }
    return entries;
}

// Writes back what earlier steps left in the page cache, so that each timed step pays only
// for its own files.
void settle()
{
#ifdef Q_OS_UNIX
    ::sync();
#endif
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Wall time, and the processor time the process itself spent (user and system): the second
// does not count waiting for a disk that other work keeps busy.
struct Timing
{
    double wall = 0;
    double cpu = 0;
};

class Stopwatch
{
public:
    Stopwatch() : m_cpu(std::clock()) { m_wall.start(); }
    Timing elapsed() const
    {
        return {double(m_wall.nsecsElapsed()) / 1e6,
                1000.0 * double(std::clock() - m_cpu) / CLOCKS_PER_SEC};
    }

private:
    QElapsedTimer m_wall;
    std::clock_t m_cpu;
};

double msSince(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

std::filesystem::path fsPath(const QString &path)
{
    return std::filesystem::path(path.toStdU16String());
}

// (a): what the save does once the user has chosen the file: the window's own operation.
Timing timeSave(const std::vector<BenchEntry> &entries, const QString &source, const QString &place,
                int &problems)
{
    QStringList lines;
    for (const BenchEntry &entry : entries)
        lines.append(entry.line);
    const QString file = place + QLatin1String("/Bench.txt");
    problems = 0;

    LibrarySave save;
    save.lines = lines;
    for (const QString &line : std::as_const(lines))
        save.lineBytes.append(encodeCodePage(line));
    save.statuses = QStringList(lines.size(), QStringLiteral("N"));
    save.sourceFolders = QStringList(lines.size(), source);
    save.attributesFile = file;
    save.libraryFolder = libraryFolderOf(file).value_or(place + QLatin1String("/Bench"));
    save.firstSave = true;

    const Stopwatch timer;
    const LibrarySaveReport report = saveLibraryFiles(save);
    problems += int(report.notCopied.size()) + (report.fileWritten() ? 0 : 1) +
                (report.refusal.isEmpty() ? 0 : 1);
    return timer.elapsed();
}

// (b): the same files copied by the standard library, nothing else.
Timing timePlainCopy(const std::vector<BenchEntry> &entries, const QString &source,
                     const QString &target)
{
    for (const QString &type : vehicleTypeCodes())
        std::filesystem::create_directories(fsPath(target + QLatin1Char('/') + type));
    std::vector<std::pair<std::filesystem::path, std::filesystem::path>> copies;
    for (const BenchEntry &entry : entries)
        for (const QString &name : entry.files)
            copies.emplace_back(
                fsPath(source + name),
                fsPath(target + QLatin1Char('/') + entry.type + QLatin1Char('/') + name));

    const Stopwatch timer;
    for (const auto &[from, to] : copies)
        std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing);
    return timer.elapsed();
}

// (b'): the same files copied by the system's calls, each forced to the disk as the save forces
// its parts (128 written, then each synced), and each type folder synced at the end.
Timing timeDurablePlainCopy(const std::vector<BenchEntry> &entries, const QString &source,
                            const QString &target)
{
    for (const QString &type : vehicleTypeCodes())
        QDir().mkpath(target + QLatin1Char('/') + type);
    const Stopwatch timer;
    std::vector<std::unique_ptr<SystemFile>> batch;
    const auto syncBatch = [&] {
        for (const std::unique_ptr<SystemFile> &file : batch)
            if (!file->syncToDisk() || !file->close())
                std::fprintf(stderr, "plain copy: %s\n", qPrintable(file->reason()));
        batch.clear();
    };
    for (const BenchEntry &entry : entries)
        for (const QString &name : entry.files) {
            QByteArray data;
            SystemFile from;
            auto to = std::make_unique<SystemFile>();
            if (!from.open(source + name, SystemFile::Use::Read) || !from.readToEnd(data) ||
                !to->open(target + QLatin1Char('/') + entry.type + QLatin1Char('/') + name,
                          SystemFile::Use::Create) ||
                !to->writeWholeBuffer(data))
                std::fprintf(stderr, "plain copy of %s failed\n", qPrintable(name));
            to->startWriteBack();
            batch.push_back(std::move(to));
            if (batch.size() == 128)
                syncBatch();
        }
    syncBatch();
    for (const QString &type : vehicleTypeCodes())
        syncFolderToDisk(target + QLatin1Char('/') + type);
    return timer.elapsed();
}

// Another program writing 1 GB to the same volume while one side is timed.
class BusyVolume
{
public:
    explicit BusyVolume(const QString &folder, bool on)
    {
        if (!on)
            return;
        m_path = (folder + QLatin1String("/busy.bin")).toStdString();
        m_writer = std::thread([this] {
            const std::vector<char> chunk(1 << 20, 'f');
            std::FILE *file = std::fopen(m_path.c_str(), "wb");
            for (int i = 0; file && i < 1024 && !m_stop; ++i)
                std::fwrite(chunk.data(), 1, chunk.size(), file);
            if (file)
                std::fclose(file);
        });
    }
    ~BusyVolume()
    {
        if (!m_writer.joinable())
            return;
        m_stop = true;
        m_writer.join();
        std::remove(m_path.c_str());
    }

private:
    std::string m_path;
    std::atomic<bool> m_stop = false;
    std::thread m_writer;
};

double timeExistenceChecks(const std::vector<BenchEntry> &entries, const QString &source,
                           int &found)
{
    std::vector<QStringList> candidates;
    for (const BenchEntry &entry : entries)
        candidates.push_back(variationCandidateNames(drawingStem(entry.files.constFirst())));
    found = 0;
    QElapsedTimer timer;
    timer.start();
    for (const QStringList &names : candidates)
        for (const QString &name : names)
            found += isOrdinaryFile(source + name) ? 1 : 0;
    return msSince(timer);
}

// (c): the attributes file alone, best and median of a few rounds.
std::pair<double, double> timeAttributesFile(const std::vector<BenchEntry> &entries,
                                             const QString &place)
{
    QStringList lines;
    for (const BenchEntry &entry : entries)
        lines.append(entry.line);
    const QString file = place + QLatin1String("/Alone.txt");
    std::vector<double> rounds;
    for (int round = 0; round < 11; ++round) {
        QElapsedTimer timer;
        timer.start();
        const QString reason = writeLibraryFile(file, lines);
        const LibraryFileContent back = readLibraryFile(file);
        rounds.push_back(msSince(timer));
        if (!reason.isEmpty() || back.lines != lines)
            std::fprintf(stderr, "attributes file did not come back whole\n");
    }
    std::sort(rounds.begin(), rounds.end());
    return {rounds.front(), rounds[rounds.size() / 2]};
}

} // namespace

int main(int argc, char **argv)
{
    int entryTotal = defaultEntryTotal;
    bool busy = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--busy") == 0)
            busy = true;
        else
            entryTotal = std::max(1, std::atoi(argv[i]));
    }
    QTemporaryDir root;
    if (!root.isValid()) {
        std::fprintf(stderr, "no temporary folder\n");
        return 1;
    }
    const QString source = root.filePath(QStringLiteral("drawings")) + QLatin1Char('/');
    QDir().mkpath(source);
    const std::vector<BenchEntry> entries = makeDrawings(source, entryTotal);
    std::printf("Library of %d entries, %d drawings of %lld bytes in %s%s\n", entryTotal,
                int(entries.size() * 7), static_cast<long long>(drawingSize),
                qPrintable(root.path()),
                busy ? "; another thread writes 1 GB to the same volume during each side" : "");

    // Each round saves into a fresh place and copies into a fresh folder, in turns first, so
    // that neither side inherits the other's write-back.
    constexpr int rounds = 5;
    std::vector<double> saves, plains, bares, ratios, bareRatios, saveCpu, plainCpu;
    int problems = 0;
    for (int round = 0; round < rounds; ++round) {
        const QString place = root.filePath(QStringLiteral("save%1").arg(round));
        const QString plainFolder = root.filePath(QStringLiteral("plain%1").arg(round));
        const QString bareFolder = root.filePath(QStringLiteral("bare%1").arg(round));
        QDir().mkpath(place);
        Timing save;
        Timing plain;
        Timing bare;
        int roundProblems = 0;
        for (int turn = 0; turn < 3; ++turn) {
            settle();
            const BusyVolume other(root.path(), busy);
            switch ((turn + round) % 3) {
            case 0:
                save = timeSave(entries, source, place, roundProblems);
                break;
            case 1:
                plain = timeDurablePlainCopy(entries, source, plainFolder);
                break;
            default:
                bare = timePlainCopy(entries, source, bareFolder);
            }
            problems += roundProblems;
            roundProblems = 0;
        }
        saves.push_back(save.wall);
        plains.push_back(plain.wall);
        bares.push_back(bare.wall);
        ratios.push_back(save.wall / plain.wall);
        bareRatios.push_back(save.wall / bare.wall);
        saveCpu.push_back(save.cpu);
        plainCpu.push_back(plain.cpu);
        std::printf("    round %d: a %.1f ms (cpu %.1f), b %.1f ms (cpu %.1f), a/b %.2f, "
                    "no durability %.1f ms, a/that %.2f\n",
                    round + 1, save.wall, save.cpu, plain.wall, plain.cpu,
                    save.wall / plain.wall, bare.wall, save.wall / bare.wall);
    }
    // Nothing is removed between the rounds: a file system that has just freed thousands of
    // files spends its time looking for fresh ones, for whichever side comes next.
    settle();
    int resaveProblems = 0;
    const Timing resave = timeSave(entries, source, root.filePath(QStringLiteral("save0")),
                                   resaveProblems); // every target exists
    problems += resaveProblems;
    settle();
    int found = 0;
    const double checks = timeExistenceChecks(entries, source, found);
    const auto [fileBest, fileMedian] = timeAttributesFile(entries, root.path());

    const double save = median(saves);
    std::printf("Medians of %d rounds; cpu = processor time of this process\n", rounds);
    std::printf("(a) first save through the core operations: %8.1f ms  (cpu %.1f ms)\n", save,
                median(saveCpu));
    std::printf("    second save (every target replaced):    %8.1f ms\n", resave.wall);
    std::printf("(b) plain copy, each file made durable:     %8.1f ms  (cpu %.1f ms)\n",
                median(plains), median(plainCpu));
    std::printf("    ratio a/b:                               %8.2f   target <= 1.3\n",
                median(ratios));
    std::printf("    plain std::filesystem::copy_file:        %8.1f ms  (nothing forced)\n",
                median(bares));
    std::printf("    ratio a/that:                            %8.2f\n", median(bareRatios));
    std::printf("    40 existence checks x %d entries:      %8.1f ms  (%.0f%% of a; %d found)\n",
                entryTotal, checks, 100.0 * checks / save, found);
    std::printf("(c) write + read a %d-line file:          %8.2f ms best, %.2f ms median   "
                "target < 10 ms for 1000 lines\n",
                entryTotal, fileBest, fileMedian);
    if (problems != 0)
        std::printf("!!  the saves reported %d problems\n", problems);
    return problems == 0 ? 0 : 1;
}

#include "drawingnames/codetables.h"
#include "entrylines.h"
#include "library/libraryfile.h"
#include "library/librarysave.h"
#include "library/sameplace.h"
#include "library/savelibrary.h"
#include "library/savereport.h"
#include "mountedvolume.h"
#include "system/filecopy.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

namespace {

struct EntryFlags
{
    QString type = QStringLiteral("E ");
    QString sar = QStringLiteral("N");
    QString cycle = QStringLiteral("0");
    QString variations = QStringLiteral("N");
    QString label = QStringLiteral("Re 4/4 II");
};

QString entryLine(const QString &drawing, const EntryFlags &flags = {})
{
    return EntryLine{.label = flags.label,
                     .gt = flags.type,
                     .sar = flags.sar,
                     .phasenlaenge = flags.cycle,
                     .variations = flags.variations,
                     .drawing = drawing}
        .text();
}

// Every drawing gets bytes of its own, so a copy of the wrong file shows.
QByteArray drawingBytes(const QString &name)
{
    return "BM" + name.toUtf8() + QByteArray(300, 'x');
}

// Everything in a folder, hidden leftovers included.
QStringList folderContent(const QString &folder)
{
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// Paths come back with the system's own separators, as they are shown and stored.
QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// What a test makes read-only so that a file in folder cannot be replaced: the folder; on
// Windows, where a read-only folder does not stop writing in it, the file itself.
QString unwritable([[maybe_unused]] const QString &folder, [[maybe_unused]] const QString &file)
{
#ifdef Q_OS_WIN
    return file;
#else
    return folder;
#endif
}

QStringList prefixed(const QString &prefix, const QStringList &names)
{
    QStringList paths;
    for (const QString &name : names)
        paths.append(native(prefix + name));
    return paths;
}

} // namespace

class TestLibrarySave : public QObject
{
    Q_OBJECT

private slots:
    void firstSaveOnDisk_data();
    void firstSaveOnDisk();
    void existingFoldersReused();
    void folderInTheWayReported();
    void libraryFolderInTheWayStopsThere();
    void copies_data();
    void copies();
    void missingTypeFolderIsMade();
    void missingSourceReportedOthersCopied();
    void existingTargetReplaced();
    void oneSaveNeverReplacesItsOwnCopy();
    void targetThatIsAFolderReported();
    void readOnlyTypeFolderReported_data();
    void readOnlyTypeFolderReported();
    void fullDiskLeavesOldDrawing();
    void failedWriteLeavesOldFile_data();
    void failedWriteLeavesOldFile();
    void unusableTypeCodeNeverLeavesLibrary_data();
    void unusableTypeCodeNeverLeavesLibrary();
    void noLibraryFolderCopiesNothing();
    void notCopiedMessageIsCut();
    void cutSaveLeavesOldAttributesFile();
    void copiesDurableBeforeTheFileNamesThem();
};

void TestLibrarySave::firstSaveOnDisk_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("empty library") << QStringList() << QByteArray();
    const QString first = entryLine(QStringLiteral("CH_Re 44_E_SBB.bmp"));
    const QString second =
        entryLine(QStringLiteral("CH_Ae 6-6_E_SBB_0.bmp"),
                  {QStringLiteral("E "), QStringLiteral("Y"), QStringLiteral("6"),
                   QStringLiteral("Y"), QStringLiteral("Zürich")});
    const QString third; // a blank line read from a file goes back unchanged
    QTest::newRow("three entries in list order")
        << QStringList{first, second, third}
        << QByteArray(first.toLatin1() + "\r\n" + second.toLatin1() + "\r\n\r\n");
}

void TestLibrarySave::firstSaveOnDisk()
{
    QFETCH(QStringList, lines);
    QFETCH(QByteArray, bytes);

    QTemporaryDir place;
    QVERIFY(place.isValid());
    const QString file = place.filePath(QStringLiteral("Swiss.txt"));
    QCOMPARE(writeLibraryFile(file, lines), QString());
    const QString folder = *libraryFolderOf(file);
    QCOMPARE(makeLibraryFolders(folder, vehicleTypeCodes()), QList<FileProblem>());

    QCOMPARE(readBytes(file), bytes);
    QCOMPARE(QFileInfo(file).size(), bytes.size());
    QCOMPARE(folder, place.filePath(QStringLiteral("Swiss")));
    QStringList expected = vehicleTypeCodes();
    expected.append(QStringLiteral("consists"));
    expected.sort();
    QCOMPARE(folderContent(folder), expected);
    for (const QString &sub : expected)
        QVERIFY2(QFileInfo(folder + QLatin1Char('/') + sub).isDir(), qPrintable(sub));
    QCOMPARE(folderContent(folder + QLatin1String("/consists")), QStringList());
    QCOMPARE(folderContent(place.path()),
             (QStringList{QStringLiteral("Swiss"), QStringLiteral("Swiss.txt")}));
}

void TestLibrarySave::existingFoldersReused()
{
    QTemporaryDir place;
    const QString folder = place.filePath(QStringLiteral("Swiss"));
    QVERIFY(QDir().mkpath(folder + QLatin1String("/E")));
    QVERIFY(writeBytes(folder + QLatin1String("/E/Re44.bmp"), "old drawing"));

    QCOMPARE(makeLibraryFolders(folder, vehicleTypeCodes()), QList<FileProblem>());
    QCOMPARE(makeLibraryFolders(folder, vehicleTypeCodes()), QList<FileProblem>());
    QCOMPARE(readBytes(folder + QLatin1String("/E/Re44.bmp")), QByteArray("old drawing"));
    QCOMPARE(folderContent(folder).size(), vehicleTypeCodes().size() + 1);
}

void TestLibrarySave::folderInTheWayReported()
{
    QTemporaryDir place;
    const QString folder = place.filePath(QStringLiteral("Swiss"));
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(writeBytes(folder + QLatin1String("/E"), "a file where the folder goes"));

    const QList<FileProblem> problems = makeLibraryFolders(folder, vehicleTypeCodes());
    QCOMPARE(problems.size(), 1);
    QCOMPARE(problems[0].path, native(folder + QLatin1String("/E")));
    QVERIFY(!problems[0].reason.isEmpty());
    // The folders around it are made all the same.
    QVERIFY(QFileInfo(folder + QLatin1String("/ET")).isDir());
    QVERIFY(QFileInfo(folder + QLatin1String("/consists")).isDir());
    QCOMPARE(readBytes(folder + QLatin1String("/E")), QByteArray("a file where the folder goes"));
}

void TestLibrarySave::libraryFolderInTheWayStopsThere()
{
    QTemporaryDir place;
    const QString folder = place.filePath(QStringLiteral("Swiss"));
    QVERIFY(writeBytes(folder, "not a folder"));

    const QList<FileProblem> problems = makeLibraryFolders(folder, vehicleTypeCodes());
    QCOMPARE(problems.size(), 1);
    QCOMPARE(problems[0].path, native(folder));
    QVERIFY(!problems[0].reason.isEmpty());
    QCOMPARE(readBytes(folder), QByteArray("not a folder"));
}

void TestLibrarySave::copies_data()
{
    QTest::addColumn<QString>("drawing");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("sar");
    QTest::addColumn<QString>("cycle");
    QTest::addColumn<QString>("variations");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QStringList>("sourceFiles");
    QTest::addColumn<QString>("typeFolder");
    QTest::addColumn<QStringList>("copied");
    QTest::addColumn<QString>("refusal");

    const QString e = QStringLiteral("E ");
    const QString y = QStringLiteral("Y");
    const QString n = QStringLiteral("N");
    const QString label = QStringLiteral("Re 4/4");
    // Companions lying in the source folder that a plain entry must leave behind.
    const QStringList all{QStringLiteral("Re44.bmp"), QStringLiteral("Re44_SAR.bmp"),
                          QStringLiteral("Re44_N0.bmp"), QStringLiteral("Re44_1.bmp")};
    const QStringList animated{QStringLiteral("Re44_0.bmp"), QStringLiteral("Re44_1.bmp"),
                               QStringLiteral("Re44_2.bmp"), QStringLiteral("Re44_3.bmp")};

    QTest::newRow("plain drawing only") << "Re44.bmp" << e << n << "0" << n << label << all << "E"
                                        << QStringList{"Re44.bmp"} << QString();
    QTest::newRow("blank cycle: no frames")
        << "Re44_0.bmp" << e << n << " " << n << label << animated << "E"
        << QStringList{"Re44_0.bmp"} << QString();
    QTest::newRow("cycle 0: no frames") << "Re44_0.bmp" << e << n << "0" << n << label << animated
                                        << "E" << QStringList{"Re44_0.bmp"} << QString();
    QTest::newRow("cycle 6: three frames")
        << "Re44_0.bmp" << e << n << "6" << n << label << animated << "E" << animated << QString();
    QTest::newRow("cycle 1 gets three frames too")
        << "Re44_0.bmp" << e << n << "1" << n << label << animated << "E" << animated << QString();
    QTest::newRow("upper-case extension")
        << "RE44_0.BMP" << e << n << "6" << n << label
        << QStringList{"RE44_0.BMP", "RE44_1.bmp", "RE44_2.bmp", "RE44_3.bmp"} << "E"
        << QStringList{"RE44_0.BMP", "RE44_1.bmp", "RE44_2.bmp", "RE44_3.bmp"} << QString();
    QTest::newRow("pantograph of Re44.bmp")
        << "Re44.bmp" << e << y << "0" << n << label << all << "E"
        << QStringList{"Re44.bmp", "Re44_SAR.bmp"} << QString();
    QTest::newRow("pantograph of Re44_0.bmp")
        << "Re44_0.bmp" << e << y << "6" << n << label << (animated + QStringList{"Re44_0_SAR.bmp"})
        << "E" << (animated + QStringList{"Re44_0_SAR.bmp"}) << QString();
    // Windows names match without regard to letter case: there Re44_n1.bmp is what the name
    // Re44_N1.bmp opens, a variation; elsewhere it is none.
    QStringList variationSources{"Re44.bmp",    "Re44_E3.bmp",  "Re44_N0.bmp",
                                 "Re44_X1.bmp", "Re44_N10.bmp", "Re44_0_N1.bmp"};
#ifndef Q_OS_WIN
    variationSources.append(QStringLiteral("Re44_n1.bmp"));
#endif
    QTest::newRow("exactly the variations there are")
        << "Re44.bmp" << e << n << "0" << y << label << variationSources << "E"
        << QStringList{"Re44.bmp", "Re44_N0.bmp", "Re44_E3.bmp"} << QString();
    QTest::newRow("hidden variation does not count")
        << ".Re44.bmp" << e << n << "0" << y << label << QStringList{".Re44.bmp", ".Re44_S2.bmp"}
        << "E" << QStringList{".Re44.bmp"} << QString();
    QTest::newRow("everything for an animated drawing")
        << "Re44_0.bmp" << e << y << "6" << y << label
        << (animated + QStringList{"Re44_0_SAR.bmp", "Re44_0_W9.bmp", "Re44_0_S5.bmp"}) << "E"
        << (animated + QStringList{"Re44_0_SAR.bmp", "Re44_0_S5.bmp", "Re44_0_W9.bmp"})
        << QString();
    QTest::newRow("two-letter type") << "Dm.bmp"
                                     << "DT" << n << "0" << n << label << QStringList{"Dm.bmp"}
                                     << "DT" << QStringList{"Dm.bmp"} << QString();
    QTest::newRow("label holding .bmp is not searched")
        << "Re44.bmp" << e << y << "0" << n << "see x_0.bmp" << all << "E"
        << QStringList{"Re44.bmp", "Re44_SAR.bmp"} << QString();
    QTest::newRow("blanks around the name: main drawing trimmed")
        << "Re44.bmp  " << e << n << "0" << n << label << all << "E" << QStringList{"Re44.bmp"}
        << QString();

    QTest::newRow("animated without _0: refused after the drawing")
        << "Re44.bmp" << e << y << "6" << y << label << all << "E" << QStringList{"Re44.bmp"}
        << animationRefusal();
    QTest::newRow("pantograph without .bmp: refused after the drawing")
        << "Re44" << e << y << "0" << y << label
        << QStringList{"Re44", "Re44_SAR.bmp", "Re44_N0.bmp"} << "E" << QStringList{"Re44"}
        << pantographRefusal();
    QTest::newRow("variations without .bmp: refused after the drawing")
        << "Re44" << e << n << "0" << y << label << QStringList{"Re44", "Re44_N0.bmp"} << "E"
        << QStringList{"Re44"} << variationsRefusal();
    QTest::newRow("label holding _0.bmp is not searched: refused before the pantograph")
        << "Re44_0" << e << y << "6" << n << "a_0.bmp is not seen"
        << QStringList{"Re44_0", "Re44_SAR.bmp"} << "E" << QStringList{"Re44_0"}
        << animationRefusal();
}

void TestLibrarySave::copies()
{
    QFETCH(QString, drawing);
    QFETCH(QString, type);
    QFETCH(QString, sar);
    QFETCH(QString, cycle);
    QFETCH(QString, variations);
    QFETCH(QString, label);
    QFETCH(QStringList, sourceFiles);
    QFETCH(QString, typeFolder);
    QFETCH(QStringList, copied);
    QFETCH(QString, refusal);

    QTemporaryDir place;
    const QString source = place.filePath(QStringLiteral("drawings")) + QLatin1Char('/');
    QVERIFY(QDir().mkpath(source));
    for (const QString &name : sourceFiles)
        QVERIFY(writeBytes(source + name, drawingBytes(name)));
    const QString library = place.filePath(QStringLiteral("Swiss"));
    QCOMPARE(makeLibraryFolders(library, vehicleTypeCodes()), QList<FileProblem>());

    const QString line = entryLine(drawing, {type, sar, cycle, variations, label});
    const EntryCopyReport report = copyEntryDrawings(line, source, library);

    const QString target = library + QLatin1Char('/') + typeFolder + QLatin1Char('/');
    QCOMPARE(report.refusal, refusal);
    QCOMPARE(report.notCopied, QList<FileProblem>());
    QCOMPARE(report.copied, prefixed(target, copied));
    QStringList sorted = copied;
    sorted.sort();
    QCOMPARE(folderContent(target), sorted);
    for (const QString &name : copied)
        QCOMPARE(readBytes(target + name), drawingBytes(name));
    QCOMPARE(report.complete(), refusal.isEmpty());
    // Nothing but the drawings went anywhere.
    int filled = 0;
    for (const QString &sub : folderContent(library))
        filled += folderContent(library + QLatin1Char('/') + sub).isEmpty() ? 0 : 1;
    QCOMPARE(filled, 1);
}

void TestLibrarySave::missingTypeFolderIsMade()
{
    QTemporaryDir place;
    const QString source = place.path() + QLatin1Char('/');
    QVERIFY(writeBytes(source + QLatin1String("Re44.bmp"), "drawing"));
    const QString library = place.filePath(QStringLiteral("Swiss"));
    QVERIFY(QDir().mkpath(library)); // a library folder without its type folders

    const EntryCopyReport report =
        copyEntryDrawings(entryLine(QStringLiteral("Re44.bmp")), source, library);
    QVERIFY(report.complete());
    QCOMPARE(readBytes(library + QLatin1String("/E/Re44.bmp")), QByteArray("drawing"));
}

void TestLibrarySave::missingSourceReportedOthersCopied()
{
    QTemporaryDir place;
    const QString source = place.path() + QLatin1Char('/');
    for (const char *name : {"Re44_0.bmp", "Re44_1.bmp", "Re44_3.bmp", "Re44_0_N4.bmp"})
        QVERIFY(writeBytes(source + QLatin1String(name), name));
    const QString library = place.filePath(QStringLiteral("Swiss"));
    QCOMPARE(makeLibraryFolders(library, vehicleTypeCodes()), QList<FileProblem>());

    const QString line = entryLine(QStringLiteral("Re44_0.bmp"),
                                   {QStringLiteral("E "), QStringLiteral("Y"), QStringLiteral("6"),
                                    QStringLiteral("Y"), QStringLiteral("Re 4/4")});
    const EntryCopyReport report = copyEntryDrawings(line, source, library);

    QVERIFY(!report.refused());
    QVERIFY(!report.complete());
    QCOMPARE(report.notCopied.size(), 2);
    QCOMPARE(report.notCopied[0].path, native(source + QLatin1String("Re44_2.bmp")));
    QCOMPARE(report.notCopied[1].path, native(source + QLatin1String("Re44_0_SAR.bmp")));
    for (const FileProblem &problem : report.notCopied)
        QVERIFY(!problem.reason.isEmpty());
    const QString target = library + QLatin1String("/E/");
    QCOMPARE(report.copied,
             prefixed(target, {"Re44_0.bmp", "Re44_1.bmp", "Re44_3.bmp", "Re44_0_N4.bmp"}));
    QCOMPARE(folderContent(target),
             (QStringList{"Re44_0.bmp", "Re44_0_N4.bmp", "Re44_1.bmp", "Re44_3.bmp"}));
}

void TestLibrarySave::existingTargetReplaced()
{
    QTemporaryDir place;
    const QString source = place.filePath(QStringLiteral("src")) + QLatin1Char('/');
    QVERIFY(QDir().mkpath(source));
    QVERIFY(writeBytes(source + QLatin1String("Re44.bmp"), "new"));
    const QString library = place.filePath(QStringLiteral("Swiss"));
    QCOMPARE(makeLibraryFolders(library, vehicleTypeCodes()), QList<FileProblem>());
    const QString target = library + QLatin1String("/E/Re44.bmp");
    QVERIFY(writeBytes(target, QByteArray(5000, 'o')));

    const EntryCopyReport report =
        copyEntryDrawings(entryLine(QStringLiteral("Re44.bmp")), source, library);
    QVERIFY(report.complete());
    QCOMPARE(readBytes(target), QByteArray("new"));
    QCOMPARE(folderContent(library + QLatin1String("/E")), QStringList{"Re44.bmp"});
    // A copy of the copy (a second save) replaces it again and keeps it readable and writable.
    QVERIFY(writeBytes(source + QLatin1String("Re44.bmp"), "newer"));
    QCOMPARE(copyFileReplacing(source + QLatin1String("Re44.bmp"), target).reason, QString());
    QCOMPARE(readBytes(target), QByteArray("newer"));
    QVERIFY(QFileInfo(target).isWritable());
}

// Within one save, a drawing copied from one folder is never replaced by another drawing of
// the same name in another letter case (Windows keeps one file for both); the same drawing
// again is simply not copied twice.
void TestLibrarySave::oneSaveNeverReplacesItsOwnCopy()
{
    QTemporaryDir place;
    const QString folderA = place.filePath(QStringLiteral("A")) + QLatin1Char('/');
    const QString folderB = place.filePath(QStringLiteral("B")) + QLatin1Char('/');
    QVERIFY(QDir().mkpath(folderA) && QDir().mkpath(folderB));
    QVERIFY(writeBytes(folderA + QLatin1String("Re44.bmp"), "drawing A"));
    QVERIFY(writeBytes(folderB + QLatin1String("RE44.bmp"), "drawing B"));
    const QString library = place.filePath(QStringLiteral("Swiss"));
    QCOMPARE(makeLibraryFolders(library, vehicleTypeCodes()), QList<FileProblem>());

    CopiesOfOneSave save;
    const QString target = native(library + QLatin1String("/E/Re44.bmp"));
    QCOMPARE(
        copyEntryDrawings(entryLine(QStringLiteral("Re44.bmp")), folderA, library, &save).copied,
        QStringList{target});
    const EntryCopyReport other =
        copyEntryDrawings(entryLine(QStringLiteral("RE44.bmp")), folderB, library, &save);
    QCOMPARE(other.copied, QStringList());
    QCOMPARE(other.notCopied.size(), 1);
    QCOMPARE(other.notCopied[0].path, native(library + QLatin1String("/E/RE44.bmp")));
    QVERIFY2(other.notCopied[0].reason.contains(native(folderA + QLatin1String("Re44.bmp"))),
             qPrintable(other.notCopied[0].reason));
    const EntryCopyReport again =
        copyEntryDrawings(entryLine(QStringLiteral("Re44.bmp")), folderA, library, &save);
    QVERIFY(again.complete());
    QCOMPARE(again.copied, QStringList());
    // The same drawing from another folder, spelt alike: passed over without a word.
    const QString folderC = place.filePath(QStringLiteral("C")) + QLatin1Char('/');
    QVERIFY(QDir().mkpath(folderC));
    QVERIFY(writeBytes(folderC + QLatin1String("Re44.bmp"), "drawing A"));
    const EntryCopyReport copy =
        copyEntryDrawings(entryLine(QStringLiteral("Re44.bmp")), folderC, library, &save);
    QVERIFY(copy.complete());
    QCOMPARE(copy.copied, QStringList());
    QCOMPARE(folderContent(library + QLatin1String("/E")), QStringList{"Re44.bmp"});
    QCOMPARE(readBytes(target), QByteArray("drawing A"));

    // A file of an entry read from the attributes file is replaced only by the same drawing:
    // one edited since it was added is reported, not copied; a missing one is put back.
    CopiesOfOneSave later;
    later.entryReadFromFile.insert(samePlaceKey(target), 3);
    QVERIFY(writeBytes(folderC + QLatin1String("Re44.bmp"), "drawing A, edited"));
    const EntryCopyReport edited =
        copyEntryDrawings(entryLine(QStringLiteral("Re44.bmp")), folderC, library, &later);
    QCOMPARE(edited.copied, QStringList());
    QCOMPARE(edited.notCopied.size(), 1);
    QCOMPARE(edited.notCopied[0].path, target);
    QVERIFY2(edited.notCopied[0].reason.contains(QLatin1String("entry 3")),
             qPrintable(edited.notCopied[0].reason));
    QCOMPARE(readBytes(target), QByteArray("drawing A"));
    QVERIFY(QFile::remove(target));
    QCOMPARE(
        copyEntryDrawings(entryLine(QStringLiteral("Re44.bmp")), folderC, library, &later).copied,
        QStringList{target});
    QCOMPARE(readBytes(target), QByteArray("drawing A, edited"));
}

void TestLibrarySave::targetThatIsAFolderReported()
{
    QTemporaryDir place;
    const QString source = place.filePath(QStringLiteral("src")) + QLatin1Char('/');
    QVERIFY(QDir().mkpath(source));
    QVERIFY(writeBytes(source + QLatin1String("Re44.bmp"), "drawing"));
    QVERIFY(writeBytes(source + QLatin1String("Re44_SAR.bmp"), "pantograph"));
    const QString library = place.filePath(QStringLiteral("Swiss"));
    QVERIFY(QDir().mkpath(library + QLatin1String("/E/Re44.bmp/inside")));

    const QString line =
        entryLine(QStringLiteral("Re44.bmp"), {QStringLiteral("E "), QStringLiteral("Y")});
    const EntryCopyReport report = copyEntryDrawings(line, source, library);
    QCOMPARE(report.notCopied.size(), 1);
    QCOMPARE(report.notCopied[0].path, native(library + QLatin1String("/E/Re44.bmp")));
    QVERIFY(!report.notCopied[0].reason.isEmpty());
    QCOMPARE(report.copied, QStringList{native(library + QLatin1String("/E/Re44_SAR.bmp"))});
    QVERIFY(QFileInfo(library + QLatin1String("/E/Re44.bmp/inside")).isDir());
    QCOMPARE(folderContent(library + QLatin1String("/E")),
             (QStringList{"Re44.bmp", "Re44_SAR.bmp"}));
}

void TestLibrarySave::readOnlyTypeFolderReported_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("read-only folder") << "folder";
    QTest::newRow("read-only volume") << "volume";
}

// The old copy stays, the copy is reported at its target, and nothing is left beside it.
void TestLibrarySave::readOnlyTypeFolderReported()
{
    QFETCH(QString, how);
    const bool onVolume = how == QLatin1String("volume");
#ifdef Q_OS_WIN
    if (!onVolume)
        QSKIP("A read-only folder does not stop writing in it on Windows; the read-only volume "
              "row covers it.");
#endif
    if (!onVolume && runningAsRoot())
        QSKIP("Permissions do not stop the superuser; the read-only volume row covers this.");
    QTemporaryDir place;
    const QString source = place.filePath(QStringLiteral("src")) + QLatin1Char('/');
    QVERIFY(QDir().mkpath(source));
    QVERIFY(writeBytes(source + QLatin1String("Re44.bmp"), "new"));
    const QString volumeFolder = MountedVolume::folderIn(place.path());
    std::optional<MountedVolume> volume;
    if (onVolume) {
        volume.emplace(volumeFolder, 256 * 1024);
        if (!volume->mounted())
            QSKIP(qPrintable(QStringLiteral("No volume of its own: %1.").arg(volume->failure())));
    }
    const QString library =
        onVolume ? volumeFolder + QLatin1String("/Swiss") : place.filePath(QStringLiteral("Swiss"));
    const QString folder = library + QLatin1String("/E");
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(writeBytes(folder + QLatin1String("/Re44.bmp"), "old"));
    if (onVolume)
        QVERIFY(volume->makeReadOnly());
    else
        QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));

    const EntryCopyReport report =
        copyEntryDrawings(entryLine(QStringLiteral("Re44.bmp")), source, library);
    if (!onVolume)
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner);
    QCOMPARE(report.notCopied.size(), 1);
    QCOMPARE(report.notCopied[0].path, native(folder + QLatin1String("/Re44.bmp")));
    QVERIFY(!report.notCopied[0].reason.isEmpty());
    QCOMPARE(readBytes(folder + QLatin1String("/Re44.bmp")), QByteArray("old"));
    QCOMPARE(folderContent(folder), QStringList{"Re44.bmp"});
}

void TestLibrarySave::fullDiskLeavesOldDrawing()
{
#ifdef Q_OS_UNIX
    QTemporaryDir place;
    const QString source = place.filePath(QStringLiteral("src")) + QLatin1Char('/');
    QVERIFY(QDir().mkpath(source));
    QVERIFY(writeBytes(source + QLatin1String("Re44.bmp"), QByteArray(64 * 1024, 'n')));
    const QString library = place.filePath(QStringLiteral("Swiss"));
    QCOMPARE(makeLibraryFolders(library, vehicleTypeCodes()), QList<FileProblem>());
    const QString target = library + QLatin1String("/E/Re44.bmp");
    QVERIFY(writeBytes(target, "old drawing"));

    EntryCopyReport report;
    {
        const FileSizeLimit full(4096);
        report = copyEntryDrawings(entryLine(QStringLiteral("Re44.bmp")), source, library);
    }
    QCOMPARE(report.notCopied.size(), 1);
    QCOMPARE(report.notCopied[0].reason, FileSizeLimit::reason());
    QCOMPARE(readBytes(target), QByteArray("old drawing"));
    QCOMPARE(folderContent(library + QLatin1String("/E")), QStringList{"Re44.bmp"});
#else
    QSKIP("Windows has no file size limit for a process; the save tests fill a real volume.");
#endif
}

void TestLibrarySave::failedWriteLeavesOldFile_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("full disk") << "full";
    QTest::newRow("read-only folder") << "readonly";
}

void TestLibrarySave::failedWriteLeavesOldFile()
{
    QFETCH(QString, how);
    QTemporaryDir place;
    const QString folder = place.filePath(QStringLiteral("libs"));
    QVERIFY(QDir().mkpath(folder));
    const QString file = folder + QLatin1String("/Swiss.txt");
    const QByteArray old = "old line one\r\nold line two\r\n";
    QVERIFY(writeBytes(file, old));
    const QStringList lines(200, entryLine(QStringLiteral("Re44.bmp")));

    QString reason;
    if (how == QLatin1String("full")) {
#ifdef Q_OS_UNIX
        {
            const FileSizeLimit full(1024);
            reason = writeLibraryFile(file, lines);
        }
        QCOMPARE(reason, FileSizeLimit::reason());
#else
        QSKIP("Windows has no file size limit for a process; the save tests fill a real volume.");
#endif
    } else {
        if (runningAsRoot())
            QSKIP("Permissions do not stop the superuser; the full-disk row covers this.");
        const QString locked = unwritable(folder, file);
        QVERIFY(QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        reason = writeLibraryFile(file, lines);
        QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner);
    }
    QVERIFY(!reason.isEmpty());
    QCOMPARE(readBytes(file), old);
    QCOMPARE(folderContent(folder), QStringList{"Swiss.txt"});
}

void TestLibrarySave::unusableTypeCodeNeverLeavesLibrary_data()
{
    QTest::addColumn<QString>("type");
    QTest::newRow("blank") << "  ";
    QTest::newRow("parent") << "..";
    QTest::newRow("separator") << "/x";
    QTest::newRow("none of the type codes") << "Z ";
}

void TestLibrarySave::unusableTypeCodeNeverLeavesLibrary()
{
    QFETCH(QString, type);
    QTemporaryDir place;
    const QString source = place.filePath(QStringLiteral("src")) + QLatin1Char('/');
    QVERIFY(QDir().mkpath(source));
    QVERIFY(writeBytes(source + QLatin1String("Re44.bmp"), "drawing"));
    const QString library = place.filePath(QStringLiteral("libs/Swiss"));
    QCOMPARE(makeLibraryFolders(library, vehicleTypeCodes()), QList<FileProblem>());

    const EntryCopyReport report =
        copyEntryDrawings(entryLine(QStringLiteral("Re44.bmp"), {type}), source, library);
    QCOMPARE(report.copied, QStringList());
    QCOMPARE(report.notCopied.size(), 1);
    QCOMPARE(report.notCopied[0].path, native(source + QLatin1String("Re44.bmp")));
    const QString named = QLatin1Char('"') + type.trimmed() + QLatin1Char('"');
    QVERIFY2(report.notCopied[0].reason.contains(named), qPrintable(report.notCopied[0].reason));
    QCOMPARE(folderContent(place.filePath(QStringLiteral("libs"))), QStringList{"Swiss"});
    QCOMPARE(folderContent(library).size(), vehicleTypeCodes().size() + 1);
}

void TestLibrarySave::noLibraryFolderCopiesNothing()
{
    QTemporaryDir place;
    const QString source = place.path() + QLatin1Char('/');
    QVERIFY(writeBytes(source + QLatin1String("Re44.bmp"), "drawing"));
    const QString working = QDir::currentPath();
    QVERIFY(QDir::setCurrent(place.path()));

    const QList<FileProblem> folders = makeLibraryFolders(QString(), vehicleTypeCodes());
    const EntryCopyReport report =
        copyEntryDrawings(entryLine(QStringLiteral("Re44.bmp")), source, QString());
    QDir::setCurrent(working);
    QCOMPARE(folders.size(), 1);
    QCOMPARE(report.copied, QStringList());
    QCOMPARE(report.notCopied.size(), 1);
    QCOMPARE(folderContent(place.path()), QStringList{"Re44.bmp"});
}

void TestLibrarySave::notCopiedMessageIsCut()
{
    QList<FileProblem> problems;
    for (int i = 0; i < 23; ++i)
        problems.append(
            {QStringLiteral("/d/f%1.bmp").arg(i), QStringLiteral("No such file or directory")});
    const QStringList lines = notCopiedMessage(problems).split(QLatin1Char('\r'));
    QCOMPARE(lines.size(), 1 + 20 + 1);
    QCOMPARE(lines[1],
             QDir::toNativeSeparators(QStringLiteral("/d/f0.bmp")) + ": No such file or directory");
    QCOMPARE(lines[20], QDir::toNativeSeparators(QStringLiteral("/d/f19.bmp")) +
                            ": No such file or directory");
    QCOMPARE(lines.last(), QStringLiteral("and 3 more"));
    QCOMPARE(notCopiedMessage(problems.mid(0, 20)).split(QLatin1Char('\r')).size(), 21);
}

QTEST_GUILESS_MAIN(TestLibrarySave)
// A save cut short at any copy (here the second, whose copy fails) finds the old attributes
// file on disk, which names none of this save's drawings; the part file an earlier cut save
// left in a type folder it writes into is gone after it.
void TestLibrarySave::cutSaveLeavesOldAttributesFile()
{
    QTemporaryDir place;
    const QString source = place.filePath(QStringLiteral("src"));
    QVERIFY(QDir().mkpath(source));
    const QStringList drawings{"Re44.bmp", "Ae66.bmp", "Ee33.bmp"};
    LibrarySave save;
    for (const QString &drawing : drawings) {
        QVERIFY(writeBytes(source + QLatin1Char('/') + drawing, drawingBytes(drawing)));
        save.lines.append(entryLine(drawing));
        save.lineBytes.append(save.lines.last().toLatin1());
        save.statuses.append(QStringLiteral("N"));
        save.sourceFolders.append(source);
    }
    save.attributesFile = place.filePath(QStringLiteral("Swiss.txt"));
    save.libraryFolder = place.filePath(QStringLiteral("Swiss"));
    const QByteArray old = "an older library\r\n";
    QVERIFY(writeBytes(save.attributesFile, old));
    // Parts left in a folder it writes into, in one it does not, and a name a person may have
    // given a file of their own, in the form of an older version's temporary file.
    const QStringList leftParts{save.libraryFolder + QLatin1String("/E/.~Ae66.bmp.tessaro-part"),
                                save.libraryFolder + QLatin1String("/D/.~D1.bmp.tessaro-part"),
                                save.libraryFolder +
                                    QLatin1String("/consists/.~c.bmp.tessaro-part")};
    const QString ownFile = save.attributesFile + QLatin1String(".AbC123");
    QVERIFY(writeBytes(ownFile, "mine"));
    for (const QString &part : leftParts) {
        QVERIFY(QDir().mkpath(QFileInfo(part).path()));
        QVERIFY(writeBytes(part, "cut"));
    }
    save.firstSave = true;
    int copies = 0;
    QByteArray onDiskAtCut;
    QByteArray partAtCut;
    const QString attributesPart = place.filePath(QStringLiteral(".~Swiss.txt.tessaro-part"));
    save.copyFile = [&](const QString &from, const QString &to) {
        if (++copies < 2)
            return copyFileReplacing(from, to);
        onDiskAtCut = readBytes(save.attributesFile);
        partAtCut = readBytes(attributesPart);
        return CopyOutcome{QStringLiteral("cut short"), true};
    };
    // The folder is synced once, after the new file is in its place.
    QStringList synced;
    save.syncFolder = [&](const QString &folder) {
        synced.append(QDir::cleanPath(folder) + (readBytes(save.attributesFile) == old
                                                     ? QLatin1String(" before the rename")
                                                     : QLatin1String("")));
        return QString();
    };

    const LibrarySaveReport report = saveLibraryFiles(save);
    QCOMPARE(onDiskAtCut, old);
    QCOMPARE(partAtCut, libraryFileBytes(save.lineBytes));
    QCOMPARE(synced, (QStringList{QDir::cleanPath(save.libraryFolder) + " before the rename",
                                  QDir::cleanPath(place.path())}));
    QVERIFY(!QFileInfo::exists(attributesPart));
    QCOMPARE(readBytes(ownFile), QByteArray("mine"));
    QVERIFY(report.fileWritten());
    QCOMPARE(report.copied, QStringList{native(save.libraryFolder + QLatin1String("/E/Re44.bmp"))});
    QCOMPARE(readBytes(save.attributesFile), libraryFileBytes(save.lineBytes));
    for (const QString &part : leftParts)
        QVERIFY2(!QFileInfo::exists(part), qPrintable(part));
}

// Copies in batches (more than one here), each in place before its folder is synced, and every
// type folder synced before the attributes file takes its place.
void TestLibrarySave::copiesDurableBeforeTheFileNamesThem()
{
    QTemporaryDir place;
    const QString source = place.filePath(QStringLiteral("src"));
    QVERIFY(QDir().mkpath(source));
    LibrarySave save;
    save.attributesFile = place.filePath(QStringLiteral("Swiss.txt"));
    save.libraryFolder = place.filePath(QStringLiteral("Swiss"));
    save.firstSave = true;
    QStringList copies;
    for (int i = 0; i < 300; ++i) {
        const QString drawing = QStringLiteral("Re%1.bmp").arg(i);
        const QString type = i < 150 ? QStringLiteral("E ") : QStringLiteral("D ");
        QVERIFY(writeBytes(source + QLatin1Char('/') + drawing, drawingBytes(drawing)));
        save.lines.append(entryLine(drawing, {.type = type}));
        save.lineBytes.append(save.lines.last().toLatin1());
        save.statuses.append(QStringLiteral("N"));
        save.sourceFolders.append(source);
        copies.append(native(save.libraryFolder + QLatin1Char('/') + type.trimmed() +
                             QLatin1Char('/') + drawing));
    }
    QStringList synced;
    save.syncFolder = [&](const QString &folder) {
        const QStringList inPlace = QDir(folder).entryList({"Re*.bmp"}, QDir::Files);
        synced.append(QStringLiteral("%1: %2 drawings%3")
                          .arg(QDir::cleanPath(folder) == QDir::cleanPath(place.path())
                                   ? QStringLiteral("beside")
                                   : QFileInfo(QDir::cleanPath(folder)).fileName())
                          .arg(inPlace.size())
                          .arg(QFileInfo::exists(save.attributesFile) ? "" : ", no file"));
        return QString();
    };

    const LibrarySaveReport report = saveLibraryFiles(save);
    QVERIFY(report.fileWritten());
    QCOMPARE(report.notCopied, QList<FileProblem>());
    QCOMPARE(report.copied, copies);
    QCOMPARE(synced, (QStringList{"E: 150 drawings, no file", "D: 150 drawings, no file",
                                  "Swiss: 0 drawings, no file", "beside: 0 drawings"}));
    QCOMPARE(readBytes(copies.last()), drawingBytes(QStringLiteral("Re299.bmp")));
    QCOMPARE(folderContent(save.libraryFolder + QLatin1String("/D")).size(), 150);
}

#include "test_core_librarysave.moc"

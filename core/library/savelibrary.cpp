#include "library/savelibrary.h"

#include "drawingnames/codetables.h"
#include "entry/entryline.h"
#include "library/libraryfile.h"
#include "library/librarysave.h"
#include "library/librarystate.h"
#include "library/sameplace.h"
#include "system/durablecopies.h"
#include "system/filetest.h"
#include "system/nativepath.h"
#include "system/wholefile.h"

#include <QFileInfo>

namespace {

// The files in the library folder of the entries read from the attributes file, each to its
// entry's number (from 1): a copy of this save may land on one of them only with its bytes.
QHash<QString, qsizetype> filesOfEntriesReadFromFile(const LibrarySave &save)
{
    QHash<QString, qsizetype> files;
    ListedFiles libraryFiles;
    for (qsizetype i = 0; i < save.lines.size(); ++i)
        if (save.statuses.value(i) == readFromFile)
            for (const PlacedFile &file :
                 libraryFilesOf({save.lines[i], {}, true}, save.libraryFolder, libraryFiles.test()))
                files.insert(samePlaceKey(file.place), i + 1);
    return files;
}

// "consists" and the type folders, where part files of copies can stand.
QStringList libraryFoldersOf(const QString &libraryFolder)
{
    QStringList folders{joinPath(libraryFolder, QStringLiteral("consists"))};
    for (const QString &type : vehicleTypeCodes())
        folders.append(joinPath(libraryFolder, type));
    return folders;
}

} // namespace

LibrarySaveReport saveLibraryFiles(const LibrarySave &save)
{
    LibrarySaveReport report;
    PendingWholeFile attributesFile(save.attributesFile, libraryFileBytes(save.lineBytes));
    report.fileFailure = attributesFile.failure();
    if (!report.fileWritten())
        return report;
    if (save.firstSave)
        report.notCopied += makeLibraryFolders(save.libraryFolder, vehicleTypeCodes());
    // Every part file a save cut short left in the library goes, in the folders this save writes
    // into or not; the attributes file's own was written over above.
    if (!save.libraryFolder.isEmpty())
        for (const QString &folder : libraryFoldersOf(save.libraryFolder))
            removeLeftoverParts(folder);

    DurableCopies durable(save.syncFolder);
    CopiesOfOneSave copies;
    copies.copyFile =
        save.copyFile ? save.copyFile : [&durable](const QString &from, const QString &to) {
            return durable.copy(from, to);
        };
    copies.entryReadFromFile = filesOfEntriesReadFromFile(save);
    for (qsizetype i = 0; i < save.lines.size(); ++i) {
        if (save.statuses.value(i) != addedHere)
            continue;
        const EntryCopyReport entry = copyEntryDrawings(save.lines[i], save.sourceFolders.value(i),
                                                        save.libraryFolder, &copies);
        report.copied += entry.copied;
        report.notCopied += entry.notCopied;
        if (entry.refused()) {
            report.refusal = entry.refusal;
            break;
        }
    }
    // The copies are in place and on the disk before the file that names them; a copy whose
    // part could not be put in place is reported with the others.
    const DurableCopies::Outcome committed = durable.finish();
    for (const DurableCopies::FailedCopy &failed : committed.failedCopies) {
        report.copied.removeAll(failed.target);
        report.notCopied.append({failed.target, failed.reason});
    }
    QString folderReason = committed.folderReason;
    QString unsynced = committed.folder;
    // The folders a first save made, and their entries in the library folder.
    if (folderReason.isEmpty() && !report.copied.isEmpty() && !save.libraryFolder.isEmpty()) {
        unsynced = save.libraryFolder;
        folderReason = save.syncFolder(save.libraryFolder);
    }
    if (!folderReason.isEmpty())
        report.fileFailure = QStringLiteral("the copies in %1 cannot be forced to the disk: %2")
                                 .arg(shownPath(unsynced), folderReason);
    if (report.fileWritten())
        report.fileFailure = attributesFile.commit();
    // "Saved" holds after a power cut only once the folder's entry of the new file is on the
    // disk; the file is in place already, so a failure here is reported, not undone.
    if (report.fileWritten()) {
        const QString folder = QFileInfo(save.attributesFile).absolutePath();
        if (const QString reason = save.syncFolder(folder); !reason.isEmpty())
            report.notCopied.append({folder, reason});
    }
    if (report.fileWritten() && !save.libraryFolder.isEmpty()) {
        // Only the lines read from the file: an added entry's copies are this save's own report.
        // The others stay as empty lines, so that each keeps its number.
        QStringList readLines;
        for (qsizetype i = 0; i < save.lines.size(); ++i)
            readLines.append(save.statuses.value(i) == readFromFile ? save.lines[i] : QString());
        report.missingFromFolder = drawingsMissingFrom(readLines, save.libraryFolder);
    }
    return report;
}

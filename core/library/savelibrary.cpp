#include "library/savelibrary.h"

#include "drawingnames/codetables.h"
#include "entry/entryline.h"
#include "library/libraryfile.h"
#include "library/librarysave.h"
#include "library/librarystate.h"
#include "library/sameplace.h"
#include "system/filetest.h"
#include "system/nativepath.h"
#include "system/wholefile.h"

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

// The type folders the added entries' drawings go to, once each.
QStringList typeFoldersWrittenInto(const LibrarySave &save)
{
    QStringList folders;
    const QStringList types = vehicleTypeCodes();
    for (qsizetype i = 0; i < save.lines.size(); ++i) {
        const QString type = typeFolderOf(save.lines[i]);
        const QString folder = joinPath(save.libraryFolder, type);
        if (save.statuses.value(i) == addedHere && types.contains(type) &&
            !folders.contains(folder))
            folders.append(folder);
    }
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
    if (!save.libraryFolder.isEmpty())
        for (const QString &folder : typeFoldersWrittenInto(save))
            removeLeftoverParts(folder);

    CopiesOfOneSave copies;
    copies.copyFile = save.copyFile;
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
    // The copies are on the disk before the file that names them.
    if (!report.copied.isEmpty())
        report.fileFailure = syncFileSystemOf(save.libraryFolder);
    if (report.fileWritten())
        report.fileFailure = attributesFile.commit();
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

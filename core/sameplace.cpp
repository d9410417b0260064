#include "sameplace.h"

#include "librarysave.h"
#include "nativepath.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

QString samePlaceKey(const QString &path)
{
    return QDir::cleanPath(QFileInfo(QDir::fromNativeSeparators(path)).absoluteFilePath())
        .toCaseFolded();
}

QList<LibraryFile> libraryFilesOf(const EntrySource &entry, const QString &libraryFolder,
                                  const FileTest &isFile)
{
    const QString typeFolder = joinPath(libraryFolder, typeFolderOf(entry.line));
    const QString from = entry.fromFile ? typeFolder : entry.sourceFolder;
    QList<LibraryFile> files;
    for (const QString &name : planEntryCopies(entry.line, folderWithSeparator(from), isFile).names)
        files.append({joinPath(typeFolder, name), joinPath(from, name)});
    return files;
}

std::optional<SamePlaceClash> findSamePlaceClash(const QList<EntrySource> &entries,
                                                 const EntrySource &candidate,
                                                 const QString &libraryFolder)
{
    // Each entry of a large library may look for 40 variation drawings: one listing a folder.
    ListedFiles listed;
    QHash<QString, LibraryFile> wanted;
    for (const LibraryFile &file : libraryFilesOf(candidate, libraryFolder, listed.test()))
        wanted.insert(samePlaceKey(file.place), file);
    // Files of different type folders never meet; only entries of the same one are looked at.
    const QString typeFolder = typeFolderOf(candidate.line).toCaseFolded();
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (typeFolderOf(entries[i].line).toCaseFolded() != typeFolder)
            continue;
        for (const LibraryFile &file : libraryFilesOf(entries[i], libraryFolder, listed.test())) {
            const auto found = wanted.constFind(samePlaceKey(file.place));
            if (found != wanted.constEnd() &&
                samePlaceKey(found->source) != samePlaceKey(file.source))
                return SamePlaceClash{i, file, *found};
        }
    }
    return std::nullopt;
}

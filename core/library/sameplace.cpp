#include "library/sameplace.h"

#include "entry/entryline.h"
#include "system/filecopy.h"
#include "system/nativepath.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

QString caseFolded(QStringView text)
{
    QString folded(text.size(), Qt::Uninitialized);
    QChar *out = folded.data();
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= 0x80)
            return text.toString().toCaseFolded();
        *out++ = QChar(u >= u'A' && u <= u'Z' ? char16_t(u + (u'a' - u'A')) : u);
    }
    return folded;
}

QString samePlaceKey(const QString &path)
{
    return caseFolded(
        QDir::cleanPath(QFileInfo(QDir::fromNativeSeparators(path)).absoluteFilePath()));
}

QString samePlaceKeyIn(const QString &folderKey, const QString &name)
{
    // Only a plain name is joined as it is; one with separators or dots is cleaned as a path.
    const bool plain = !name.isEmpty() && name != QLatin1String(".") &&
                       name != QLatin1String("..") && !name.contains(QLatin1Char('/')) &&
                       !name.contains(QLatin1Char('\\'));
    if (!plain)
        return samePlaceKey(joinPath(folderKey, name));
    const QString folder =
        folderKey.endsWith(QLatin1Char('/')) ? folderKey : folderKey + QLatin1Char('/');
    return folder + caseFolded(name);
}

bool carrySameDrawing(const PlacedFile &one, const PlacedFile &other)
{
    return samePlaceKey(one.source) == samePlaceKey(other.source) ||
           (QDir::cleanPath(one.place) == QDir::cleanPath(other.place) &&
            compareFileContents(one.source, other.source).result ==
                ContentComparison::Result::Same);
}

QList<PlacedFile> libraryFilesOf(const EntrySource &entry, const QString &libraryFolder,
                                 const FileTest &isFile)
{
    const QString typeFolder = joinPath(libraryFolder, typeFolderOf(entry.line));
    const QString from = entry.fromFile ? typeFolder : entry.sourceFolder;
    QList<PlacedFile> files;
    for (const QString &name : planEntryCopies(entry.line, folderWithSeparator(from), isFile).names)
        files.append({joinPath(typeFolder, name), joinPath(from, name)});
    return files;
}

std::optional<SamePlaceClash> findSamePlaceClash(const QList<EntrySource> &entries,
                                                 const EntrySource &candidate,
                                                 const QString &libraryFolder, qsizetype leftOut)
{
    // Each entry of a large library may look for 40 variation drawings: one listing a folder.
    ListedFiles listed;
    QHash<QString, PlacedFile> wanted;
    for (const PlacedFile &file : libraryFilesOf(candidate, libraryFolder, listed.test()))
        wanted.insert(samePlaceKey(file.place), file);
    // Files of different type folders never meet; only entries of the same one are looked at.
    const QString typeFolder = caseFolded(typeFolderOf(candidate.line));
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (i == leftOut || caseFolded(typeFolderOf(entries[i].line)) != typeFolder)
            continue;
        for (const PlacedFile &file : libraryFilesOf(entries[i], libraryFolder, listed.test())) {
            const auto found = wanted.constFind(samePlaceKey(file.place));
            if (found == wanted.constEnd() ||
                samePlaceKey(found->source) == samePlaceKey(file.source))
                continue;
            SamePlaceClash clash{i, file, *found, SamePlaceClash::Why::LetterCase, {}, {}};
            if (QDir::cleanPath(found->place) != QDir::cleanPath(file.place))
                return clash;
            const ContentComparison compared = compareFileContents(found->source, file.source);
            if (compared.result == ContentComparison::Result::Same ||
                (compared.missing && entries[i].fromFile && compared.unreadable == file.source))
                continue;
            if (compared.result == ContentComparison::Result::Different) {
                clash.why = SamePlaceClash::Why::ContentsDiffer;
            } else {
                clash.why = SamePlaceClash::Why::CannotBeCompared;
                clash.unreadable = compared.unreadable;
                clash.reason = compared.reason;
            }
            return clash;
        }
    }
    return std::nullopt;
}

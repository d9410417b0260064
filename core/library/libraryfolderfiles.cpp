#include "library/libraryfolderfiles.h"

#include "library/sameplace.h"

#include <QDir>
#include <QDirIterator>

namespace {

QString relativeName(const QString &typeFolder, QStringView name)
{
    QString relative = typeFolder;
    if (!relative.isEmpty())
        relative += QLatin1Char('/');
    relative += name;
    return relative;
}

} // namespace

LibraryFolderFiles::LibraryFolderFiles(const QString &libraryFolder)
    : m_libraryFolder(libraryFolder)
{
}

const LibraryFolderFiles::Listing &LibraryFolderFiles::listingOf(const QString &typeFolder)
{
    const QString foldedType = caseFolded(typeFolder);
    const auto listed = m_types.constFind(foldedType);
    if (listed != m_types.constEnd())
        return *listed;

    if (!m_subfoldersListed) {
        m_subfolders = QDir(m_libraryFolder).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        m_subfoldersListed = true;
    }
    // On Linux "E" and "e" may both be there; Windows finds either under either name.
    QStringList folders;
    if (foldedType.isEmpty())
        folders.append(QString());
    for (const QString &folder : std::as_const(m_subfolders))
        if (!foldedType.isEmpty() && caseFolded(folder) == foldedType)
            folders.append(folder);
    Listing listing;
    // Hidden files are left out, as the save's own file test leaves them out.
    for (const QString &folder : std::as_const(folders)) {
        QDirIterator files(folder.isEmpty() ? m_libraryFolder
                                            : m_libraryFolder + QLatin1Char('/') + folder,
                           QDir::Files);
        while (files.hasNext()) {
            files.next();
            const QString name = files.fileName();
            listing[caseFolded(name)].append(relativeName(folder, name));
        }
    }
    return *m_types.insert(foldedType, listing);
}

LibraryFolderFiles::Found LibraryFolderFiles::find(const QString &typeFolder, QStringView name)
{
    const Listing &listing = listingOf(typeFolder);
    const auto there = listing.constFind(caseFolded(name));
    if (there == listing.constEnd())
        return {Presence::Missing, {}};
    const QString wanted = relativeName(typeFolder, name);
    if (there->contains(wanted))
        return {Presence::Present, wanted};
    return {Presence::OtherCase, there->first()};
}

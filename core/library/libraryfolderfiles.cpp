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
    if (m_lastListing && typeFolder == m_lastType)
        return *m_lastListing;
    m_lastType = typeFolder;
    m_lastListing = &listingIn(typeFolder);
    return *m_lastListing;
}

const LibraryFolderFiles::Listing &LibraryFolderFiles::listingIn(const QString &typeFolder)
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
    // Compared in place: most files are there under their very name, thousands of them.
    const qsizetype nameAt = typeFolder.isEmpty() ? 0 : typeFolder.size() + 1;
    for (const QString &spelling : *there)
        if (spelling.size() == nameAt + name.size() && spelling.endsWith(name) &&
            spelling.startsWith(typeFolder) && (nameAt == 0 || spelling[nameAt - 1] == u'/'))
            return {Presence::Present, spelling};
    return {Presence::OtherCase, there->first()};
}

QStringList LibraryFolderFiles::filesIn(const QString &typeFolder)
{
    QStringList files;
    for (const QStringList &spellings : listingOf(typeFolder))
        files += spellings;
    return files;
}

void LibraryFolderFiles::markNamed(const QString &typeFolder, QStringView name)
{
    m_named.insert(caseFolded(relativeName(typeFolder, name)));
}

bool LibraryFolderFiles::isNamed(const QString &relativeName) const
{
    return m_named.contains(caseFolded(relativeName));
}

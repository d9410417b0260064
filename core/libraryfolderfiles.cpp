#include "libraryfolderfiles.h"

#include <QDir>

namespace {

QString relativeName(const QString &typeFolder, const QString &name)
{
    return typeFolder.isEmpty() ? name : typeFolder + QLatin1Char('/') + name;
}

} // namespace

LibraryFolderFiles::LibraryFolderFiles(const QString &libraryFolder)
    : m_libraryFolder(libraryFolder)
{
}

void LibraryFolderFiles::listTypeFolder(const QString &foldedType)
{
    const QDir library(m_libraryFolder);
    if (!m_subfoldersListed) {
        m_subfolders = library.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        m_subfoldersListed = true;
    }
    // Hidden files and folders are left out, as the save's own file test leaves them out.
    QStringList folders;
    if (foldedType.isEmpty())
        folders.append(QString());
    for (const QString &folder : std::as_const(m_subfolders))
        if (!foldedType.isEmpty() && folder.toCaseFolded() == foldedType)
            folders.append(folder);
    for (const QString &folder : std::as_const(folders)) {
        const QDir typeFolder(folder.isEmpty() ? m_libraryFolder : library.filePath(folder));
        for (const QString &name : typeFolder.entryList(QDir::Files)) {
            const QString relative = relativeName(folder, name);
            m_namesByKey[relative.toCaseFolded()].append(relative);
        }
    }
    m_listedTypes.insert(foldedType, true);
}

LibraryFolderFiles::Found LibraryFolderFiles::find(const QString &typeFolder,
                                                   const QString &name)
{
    const QString foldedType = typeFolder.toCaseFolded();
    if (!m_listedTypes.contains(foldedType))
        listTypeFolder(foldedType);
    const QString wanted = relativeName(typeFolder, name);
    const auto there = m_namesByKey.constFind(wanted.toCaseFolded());
    if (there == m_namesByKey.constEnd())
        return {Presence::Missing, {}};
    if (there->contains(wanted))
        return {Presence::Present, wanted};
    return {Presence::OtherCase, there->first()};
}

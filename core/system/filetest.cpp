#include "system/filetest.h"

#include <QDir>
#include <QFileInfo>

bool isOrdinaryFile(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && !info.isHidden();
}

namespace {

// A name as the file system compares it: ignoring letter case on Windows.
QString fileNameKey(const QString &name)
{
#ifdef Q_OS_WIN
    return name.toCaseFolded();
#else
    return name;
#endif
}

} // namespace

bool ListedFiles::isListedFile(const QString &path)
{
    const QFileInfo file(path);
    const QString folder = fileNameKey(QDir::cleanPath(file.absolutePath()));
    auto listing = m_folders.find(folder);
    if (listing == m_folders.end()) {
        // Hidden and system files, and folders, are not listed: as isOrdinaryFile.
        QSet<QString> names;
        for (const QString &name : QDir(file.absolutePath()).entryList(QDir::Files))
            names.insert(fileNameKey(name));
        listing = m_folders.insert(folder, names);
    }
    return listing->contains(fileNameKey(file.fileName()));
}

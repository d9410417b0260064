#include "system/filetest.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

bool isOrdinaryFile(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && !info.isHidden();
}

QString fileNameKey(const QString &name)
{
#ifdef Q_OS_WIN
    return name.toCaseFolded();
#else
    return name;
#endif
}

bool ListedFiles::isListedFile(const QString &path)
{
    // Split by hand: a QFileInfo for each of tens of thousands of names costs more than the
    // listings. A folder spelt two ways is only listed twice.
    qsizetype cut = path.lastIndexOf(QLatin1Char('/'));
#ifdef Q_OS_WIN
    cut = std::max(cut, path.lastIndexOf(QLatin1Char('\\')));
#endif
    const QString folder = cut < 0 ? QStringLiteral(".") : path.left(cut + 1);
    auto listing = m_folders.find(folder);
    if (listing == m_folders.end()) {
        // Hidden and system files, and folders, are not listed: as isOrdinaryFile.
        QSet<QString> names;
        for (const QString &name : QDir(folder).entryList(QDir::Files, QDir::NoSort))
            names.insert(fileNameKey(name));
        listing = m_folders.insert(folder, names);
    }
    return listing->contains(fileNameKey(path.mid(cut + 1)));
}

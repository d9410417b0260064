#include "system/nativepath.h"

#include <QDir>

#include <algorithm>

QString shownPath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

qsizetype fileNameStart(const QString &path)
{
    return std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QDir::separator())) + 1;
}

QString folderWithSeparator(const QString &folder)
{
    const QString native = shownPath(folder);
    return native.endsWith(QDir::separator()) ? native : native + QDir::separator();
}

QString joinPath(const QString &folder, const QString &name)
{
    return folderWithSeparator(folder) + shownPath(name);
}

QString nativeFolder(const QString &folder)
{
    QString native = shownPath(QDir::cleanPath(QDir(folder).absolutePath()));
    if (native.size() == 2 && native.at(1) == QLatin1Char(':'))
        native += QDir::separator();
    return native;
}

#include "nativepath.h"

#include <QDir>

QString folderWithSeparator(const QString &folder)
{
    const QString native = QDir::toNativeSeparators(folder);
    return native.endsWith(QDir::separator()) ? native : native + QDir::separator();
}

QString joinPath(const QString &folder, const QString &name)
{
    return folderWithSeparator(folder) + QDir::toNativeSeparators(name);
}

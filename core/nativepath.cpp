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

QString nativeFolder(const QString &folder)
{
    QString native = QDir::toNativeSeparators(QDir::cleanPath(QDir(folder).absolutePath()));
    if (native.size() == 2 && native.at(1) == QLatin1Char(':'))
        native += QDir::separator();
    return native;
}

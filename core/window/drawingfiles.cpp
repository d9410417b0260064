#include "window/drawingfiles.h"

#include "window/filemanagerorder.h"

#include <QDir>

QStringList drawingsIn(const QString &folder)
{
    // The pattern is matched without regard to case, so that X.BMP shows as well as x.bmp.
    QStringList names;
    for (const QString &name : QDir(folder).entryList(QDir::Files, QDir::NoSort))
        if (name.endsWith(QLatin1String(".bmp"), Qt::CaseInsensitive))
            names.append(name);
    sortAsFileManager(names);
    return names;
}

#include "filetest.h"

#include <QFileInfo>

bool isOrdinaryFile(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && !info.isHidden();
}

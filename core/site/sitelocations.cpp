#include "site/sitelocations.h"

#include "system/nativepath.h"

#include <QDir>

SiteLocations SiteLocations::standard()
{
#ifdef Q_OS_WIN
    return {QStringLiteral("D:\\root\\pages\\libraries\\"),
            QStringLiteral("D:\\root\\pages\\dn_pavoscr.html"), QStringLiteral("D:\\appo.txt"),
            QStringLiteral("D:\\rr\\scr\\pavo_bahn_env\\Zerbon\\LIB.txt")};
#else
    return onDrive(joinPath(QDir::homePath(), QStringLiteral("D")));
#endif
}

SiteLocations SiteLocations::onDrive(const QString &driveRoot)
{
    const QString pages = joinPath(driveRoot, QStringLiteral("root/pages"));
    return {folderWithSeparator(joinPath(pages, QStringLiteral("libraries"))),
            joinPath(pages, QStringLiteral("dn_pavoscr.html")),
            joinPath(driveRoot, QStringLiteral("appo.txt")),
            joinPath(driveRoot, QStringLiteral("rr/scr/pavo_bahn_env/Zerbon/LIB.txt"))};
}

QString SiteLocations::libraryPage(const QString &libraryName) const
{
    return libraryPagesFolder + libraryName + QLatin1String(".html");
}

QString SiteLocations::picture(const QString &libraryName, const QString &baseName) const
{
    return joinPath(libraryPagesFolder + libraryName, baseName + QLatin1String(".gif"));
}

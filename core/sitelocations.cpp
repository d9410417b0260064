#include "sitelocations.h"

#include <QDir>

SiteLocations SiteLocations::standard()
{
#ifdef Q_OS_WIN
    return {QStringLiteral("D:\\root\\pages\\libraries\\"),
            QStringLiteral("D:\\root\\pages\\dn_pavoscr.html"), QStringLiteral("D:\\appo.txt"),
            QStringLiteral("D:\\rr\\scr\\pavo_bahn_env\\Zerbon\\LIB.txt")};
#else
    return onDrive(QDir::homePath() + QDir::separator() + QLatin1Char('D'));
#endif
}

SiteLocations SiteLocations::onDrive(const QString &driveRoot)
{
    const QChar sep = QDir::separator();
    const QString pages =
        driveRoot + sep + QLatin1String("root") + sep + QLatin1String("pages") + sep;
    return {pages + QLatin1String("libraries") + sep, pages + QLatin1String("dn_pavoscr.html"),
            driveRoot + sep + QLatin1String("appo.txt"),
            driveRoot + sep + QLatin1String("rr") + sep + QLatin1String("scr") + sep +
                QLatin1String("pavo_bahn_env") + sep + QLatin1String("Zerbon") + sep +
                QLatin1String("LIB.txt")};
}

QString SiteLocations::libraryPage(const QString &libraryName) const
{
    return libraryPagesFolder + libraryName + QLatin1String(".html");
}

QString SiteLocations::picture(const QString &libraryName, const QString &baseName) const
{
    return libraryPagesFolder + libraryName + QDir::separator() + baseName + QLatin1String(".gif");
}

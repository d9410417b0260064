#pragma once

#include "site/sitelocations.h"

#include <QDir>
#include <QFile>
#include <QtGlobal>

// Drive letters of the test's own on Windows. Under Wine (scripts/windows.sh) the test's prefix
// maps drive D: to an empty folder for the programs run with TESSARO_SCRATCH_DRIVE_D set, and
// drive N: to a folder that does not exist. Anywhere else, a real Windows computer included,
// D: may be someone's site and the tests leave it alone.
inline bool haveScratchDriveD()
{
#ifdef Q_OS_WIN
    return qEnvironmentVariableIsSet("TESSARO_SCRATCH_DRIVE_D");
#else
    return false;
#endif
}

// The root of a drive that is never ready, next to the scratch drive D:.
inline const char *unreadyDriveRoot()
{
    return "N:\\";
}

// The site's fixed places on the scratch drive D:, cleared of what an earlier test left there.
inline SiteLocations siteOnScratchDriveD()
{
    const SiteLocations site = SiteLocations::standard();
    QDir(QStringLiteral("D:\\root")).removeRecursively();
    QDir(QStringLiteral("D:\\rr")).removeRecursively();
    QFile::remove(site.scratchName);
    return site;
}

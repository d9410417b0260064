#pragma once

#include <QString>

// The places of the web site that offers the libraries for download. The site lives on drive
// D: on Windows; elsewhere a folder named "D" in the user's home folder stands for that drive
// (D:\root\pages\dn_pavoscr.html is ~/D/root/pages/dn_pavoscr.html).
struct SiteLocations
{
    QString libraryPagesFolder; // ends with a separator; holds NAME.html and the folder NAME
    QString indexPage;
    QString scratchName;  // where older versions parked the index page while rewriting it
    QString pageTemplate; // the beginning of every library page

    // The site's fixed places on this system.
    static SiteLocations standard();
    // The same tree under driveRoot, which stands for the root of drive D:.
    static SiteLocations onDrive(const QString &driveRoot);

    QString libraryPage(const QString &libraryName) const;
    // The GIF a library page shows for the drawing whose name up to ".bmp" is baseName.
    QString picture(const QString &libraryName, const QString &baseName) const;

    bool operator==(const SiteLocations &) const = default;
};

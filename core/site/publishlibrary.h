#pragma once

#include "site/htmlpages.h"
#include "site/sitelocations.h"

#include <QString>
#include <QStringList>

// What became of publishing a library on the site.
struct PublishOutcome
{
    QString failure;             // empty when the library page and the index were written
    QStringList missingPictures; // after a success: native paths of the pictures not read
    bool ok() const { return failure.isEmpty(); }
};

// Writes the library page of the attributes file at attributesPath and adds its row to the
// site index. Everything is read and built first: when a file cannot be read, a name cannot
// be stored in the pages' code page or an entry line names no drawing, neither page is
// touched and failure says which file and why. Each page is then written whole beside its old
// version and swapped in, the library page first, so the index never links to a page that
// was not written. A missing picture is not a failure; its row keeps the picture's own size.
PublishOutcome publishLibrary(const SiteLocations &site, const QString &attributesPath,
                              const QString &libraryName, const QString &libraryDescription,
                              const PictureWidth &pictureWidth);

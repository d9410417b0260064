#pragma once

#include "site/sitelocations.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <variant>

// The catalogue page of one library and its row in the site index, as text. Labels,
// descriptions and names go into the HTML exactly as they are: the site's pages are written
// by hand around them and the owner relies on that.

// The library's name from the full path of its attributes file: the text after the last
// separator and before the first ".txt" (letter case ignored). nullopt when either is missing,
// when that ".txt" stands before the last separator (a folder named like "old.txt"), or when
// nothing stands between them. The separator is "/" and the system's own.
std::optional<QString> deriveLibraryName(const QString &path);

// The index lines with the library's row put before every line that is exactly "</table>";
// an indented or upper-case closing tag is not the site's own table and gets nothing.
QStringList insertIndexRow(const QStringList &indexLines, const QString &libraryName,
                           const QString &libraryDescription);

// The width in pixels of the picture at path; nullopt when it is missing or unreadable.
using PictureWidth = std::function<std::optional<int>(const QString &path)>;

// Pictures this wide or narrower keep their own size on the page; wider ones are shown
// 900 x 58. The site measures in hundredths of a millimetre at 96 pixels per inch and
// allows 13500 of them, which is 510 pixels.
bool keepsOwnSize(int pixelWidth);

struct LibraryPage
{
    QString templateText;
    QStringList lines;           // appended after the template, without line ends
    QStringList missingPictures; // native paths; their rows keep the picture's own size

    // The whole page: the template as it is, then every line followed by CR LF.
    QString text() const;
};

// An entry line with no ".bmp" in its drawing's file name (column 59 on), so that no picture
// name can be formed from it.
struct EntryLineFault
{
    int lineNumber = 0; // 1-based
    bool operator==(const EntryLineFault &) const = default;
};

using LibraryPageResult = std::variant<LibraryPage, EntryLineFault>;

// The library page: the template, the heading row with the download link, one row per entry
// line (its picture from the site's library folder and its label) and the closing rows. The
// picture is named after the drawing's file name up to its first ".bmp".
LibraryPageResult writeLibraryPage(const SiteLocations &site, const QString &templateText,
                                   const QStringList &attributeLines, const QString &libraryName,
                                   const QString &libraryDescription,
                                   const PictureWidth &pictureWidth);

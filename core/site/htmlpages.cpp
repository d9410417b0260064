#include "site/htmlpages.h"

#include "entry/entryline.h"
#include "system/nativepath.h"

#include <QDir>

namespace {

const QLatin1String crlf("\r\n");

void appendHeadingRow(QStringList &lines, const QString &name, const QString &description)
{
    lines << QStringLiteral("<tr>")
          << QStringLiteral("<td bgcolor=\"#000000\"><p align=\"center\"><font")
          << QStringLiteral("color=\"#FFFF00\">download</font></p>")
          << QStringLiteral("<p align=\"center\"><a href=\"") + name +
                 QStringLiteral(".zip\"><font")
          << QStringLiteral("color=\"#000080\">") + description + QStringLiteral("</font></a><font")
          << QStringLiteral("color=\"#FFFF00\"> (") + name + QStringLiteral(".zip)</font></p>")
          << QStringLiteral("<p align=\"center\"><font color=\"#FFFF00\">The complete set")
          << QStringLiteral("of base models:</font></p>") << QStringLiteral("</td>")
          << QStringLiteral("</tr>");
}

void appendEntryRow(QStringList &lines, const QString &name, const QString &baseName, bool ownSize,
                    const QString &label)
{
    lines << QStringLiteral("<tr>")
          << QStringLiteral("<td bgcolor=\"#000000\"><p align=\"center\"><img")
          << QStringLiteral("src=\"") + name + QLatin1Char('/') + baseName +
                 QStringLiteral(".gif\"")
          << (ownSize ? QStringLiteral("></p>")
                      : QStringLiteral("width=\"900\" height=\"58\"></p>"))
          << QStringLiteral("<p align=\"center\"><font color=\"#FFFF00\">") + label
          << QStringLiteral("</font></p>") << QStringLiteral("</td>") << QStringLiteral("</tr>");
}

void appendClosingRows(QStringList &lines)
{
    lines << QStringLiteral("<tr>")
          << QStringLiteral("<td><p align=\"center\"><a href=\"../dn_pavoscr.html\"><img")
          << QStringLiteral(
                 "src=\"../../img/ndface.gif\" width=\"150\" height=\"75\" nosave></a></p>")
          << QStringLiteral("</td>") << QStringLiteral("</tr>") << QStringLiteral("</table>")
          << QStringLiteral("<p>&nbsp;</p>") << QStringLiteral("</body>")
          << QStringLiteral("</html>");
}

} // namespace

std::optional<QString> deriveLibraryName(const QString &path)
{
    const qsizetype txt = path.indexOf(QLatin1String(".txt"), 0, Qt::CaseInsensitive);
    const qsizetype nameStart = fileNameStart(path);
    if (txt < 0 || nameStart == 0 || txt <= nameStart)
        return std::nullopt;
    return path.mid(nameStart, txt - nameStart);
}

QStringList insertIndexRow(const QStringList &indexLines, const QString &libraryName,
                           const QString &libraryDescription)
{
    QStringList lines;
    lines.reserve(indexLines.size() + 6);
    for (const QString &line : indexLines) {
        if (line == QLatin1String("</table>")) {
            lines << QStringLiteral("<tr>")
                  << QStringLiteral("<td><p align=\"center\"><a href=\"LIBRARIES/") + libraryName +
                         QStringLiteral(".html\">")
                  << libraryDescription + QStringLiteral("</a>") << QStringLiteral("</p>")
                  << QStringLiteral("</td>") << QStringLiteral("</tr>");
        }
        lines << line;
    }
    return lines;
}

bool keepsOwnSize(int pixelWidth)
{
    return qint64(pixelWidth) * 2540 <= qint64(13500) * 96;
}

QString LibraryPage::text() const
{
    QString page = templateText;
    for (const QString &line : lines)
        page += line + crlf;
    return page;
}

LibraryPageResult writeLibraryPage(const SiteLocations &site, const QString &templateText,
                                   const QStringList &attributeLines, const QString &libraryName,
                                   const QString &libraryDescription,
                                   const PictureWidth &pictureWidth)
{
    LibraryPage page;
    page.templateText = templateText;
    appendHeadingRow(page.lines, libraryName, libraryDescription);
    for (qsizetype i = 0; i < attributeLines.size(); ++i) {
        const QString &line = attributeLines[i];
        const std::optional<QString> stem = drawingStemOf(line);
        if (!stem)
            return EntryLineFault{int(i + 1)};
        const QString &baseName = *stem;
        const QString picture = site.picture(libraryName, baseName);
        const std::optional<int> width = pictureWidth(picture);
        if (!width)
            page.missingPictures.append(shownPath(picture));
        const QString label = labelOf(line);
        appendEntryRow(page.lines, libraryName, baseName, !width || keepsOwnSize(*width), label);
    }
    appendClosingRows(page.lines);
    return page;
}

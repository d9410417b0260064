// A library page from any attribute lines: either the first line whose drawing name (column
// 59 on) holds no ".bmp" is named, or the page is the template followed by one row per entry
// and the closing rows, every line ended by CR LF.
//
// Input: the library's name, its description, the picture widths in entry order (numbers
// joined by ",", "-" for a missing picture), the template, then the attribute lines (LF).

#include "drawingnames/companionnames.h"
#include "fuzzcheck.h"
#include "site/htmlpages.h"

namespace {

constexpr qsizetype headingLines = 10;
constexpr qsizetype entryLines = 8;
constexpr qsizetype closingLines = 9;
constexpr qsizetype nameStart = 58;

std::optional<int> widthAt(const QStringList &widths, qsizetype i)
{
    bool ok = false;
    const int width = widths.value(i % std::max<qsizetype>(widths.size(), 1)).toInt(&ok);
    return ok ? std::optional<int>(width) : std::nullopt;
}

void checkFault(const QStringList &lines, int lineNumber)
{
    check(lineNumber >= 1 && lineNumber <= lines.size(), "the fault names no line");
    for (int i = 0; i < lineNumber - 1; ++i)
        check(findBmp(lines[i], nameStart) >= 0, "a line before the faulty one is faulty too");
    check(findBmp(lines[lineNumber - 1], nameStart) < 0, "the line named faulty has its \".bmp\"",
          lines[lineNumber - 1]);
}

void checkPage(const LibraryPage &page, const QString &templateText, const QStringList &lines,
               const QString &name, const QList<std::optional<int>> &widths)
{
    check(page.templateText == templateText, "the template is changed");
    check(page.lines.size() == headingLines + entryLines * lines.size() + closingLines,
          "the page does not have one row per entry");
    check(page.missingPictures.size() == widths.count(std::nullopt),
          "missing pictures are not all reported");
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString stem = lines[i].mid(nameStart, findBmp(lines[i], nameStart) - nameStart);
        const QString picture = QStringLiteral("src=\"") + name + u'/' + stem + ".gif\"";
        check(page.lines[headingLines + entryLines * i + 2] == picture,
              "an entry's row does not show its drawing's picture", lines[i]);
        const bool ownSize = !widths[i] || keepsOwnSize(*widths[i]);
        check(page.lines[headingLines + entryLines * i + 3] ==
                  (ownSize ? QLatin1String("></p>")
                           : QLatin1String("width=\"900\" height=\"58\"></p>")),
              "a picture is not shown at the size its width asks for", lines[i]);
    }
    QString expected = templateText;
    for (const QString &line : page.lines)
        expected += line + QLatin1String("\r\n");
    check(page.text() == expected,
          "the page text is not the template and its lines ended by CR LF");
    check(page.text().endsWith(QLatin1String("</html>\r\n")), "the page does not end the document");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList fields = fieldsOf(bytesOf(data, size), 5);
    const QString &name = fields[0];
    const QString &description = fields[1];
    const QStringList widths = fields[2].split(u',');
    const QString templateText = fields[3] + QLatin1String("\r\n");
    const QStringList lines = fields[4].isEmpty() ? QStringList() : fields[4].split(u'\n');

    QList<std::optional<int>> answered;
    const PictureWidth pictureWidth = [&](const QString &) {
        answered.append(widthAt(widths, answered.size()));
        return answered.last();
    };
    const LibraryPageResult result =
        writeLibraryPage(SiteLocations::onDrive(QStringLiteral("/site")), templateText, lines, name,
                         description, pictureWidth);
    if (const auto *fault = std::get_if<EntryLineFault>(&result)) {
        checkFault(lines, fault->lineNumber);
        return 0;
    }
    check(answered.size() == lines.size(), "a picture is measured other than once per entry");
    checkPage(std::get<LibraryPage>(result), templateText, lines, name, answered);
    return 0;
}

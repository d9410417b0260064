// An index page of any lines: the library's row goes in before each line that is exactly
// "</table>" and nowhere else, and every line of the page stays, in its order.
//
// Input: the library's name, its description, then the index page's lines (LF).

#include "fuzzcheck.h"
#include "site/htmlpages.h"

namespace {

const QLatin1String closingTag("</table>");
constexpr qsizetype rowLines = 6;

void checkRow(const QStringList &row, const QString &name, const QString &description)
{
    const QString link = QStringLiteral("<td><p align=\"center\"><a href=\"LIBRARIES/") + name +
                         QStringLiteral(".html\">");
    check(row.first() == QLatin1String("<tr>") && row.last() == QLatin1String("</tr>"),
          "the row is not one table row", row.join(u'\n'));
    check(row[1] == link && row[2] == description + QLatin1String("</a>"),
          "the row does not link the library's page with its description", row.join(u'\n'));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList fields = fieldsOf(bytesOf(data, size), 3);
    const QString &name = fields[0];
    const QString &description = fields[1];
    const QStringList index = fields[2].split(u'\n');

    const QStringList page = insertIndexRow(index, name, description);
    qsizetype at = 0;
    for (const QString &line : index) {
        if (line == closingTag) {
            check(at + rowLines <= page.size(), "the page ends inside a row");
            checkRow(page.mid(at, rowLines), name, description);
            at += rowLines;
        }
        check(at < page.size() && page[at] == line, "a line of the index is lost or moved", line);
        ++at;
    }
    check(at == page.size(), "the page has lines the index and its rows do not account for");
    return 0;
}

// A drawing name of any characters: decoding stays inside the name (the build keeps Qt's own
// index checks on, so a character taken from outside it stops the run), and what it tells is
// one of the things a name can tell.

#include "drawingnames/codetables.h"
#include "drawingnames/drawingname.h"
#include "fuzzcheck.h"
#include "text/codepage.h"

namespace {

void checkDecoding(const QString &name)
{
    const DrawingNameInfo info = decodeDrawingName(name);
    if (info.phaseLengthText)
        check(info.phaseLengthText->isEmpty() || *info.phaseLengthText == QLatin1String("6"),
              "the cycle box gets a text other than \"\" or \"6\"", *info.phaseLengthText);

    if (info.refusal != DrawingRefusal::None) {
        check(!drawingRefusalMessage(info.refusal).isEmpty(), "a refusal without its message");
        check(info.label.isEmpty() && !info.countryIndex && !info.typeIndex &&
                  !info.overheadLineYes,
              "a refused name still pre-sets the entry", name);
        return;
    }
    check(!info.countryIndex ||
              (*info.countryIndex >= 0 && *info.countryIndex < countryItems().size()),
          "a country outside the list", name);
    check(!info.typeIndex || (*info.typeIndex >= 0 && *info.typeIndex < vehicleTypeItems().size()),
          "a type outside the list", name);
    check(!info.overheadLineYes || info.typeIndex, "the OL box changes without a known type", name);
    // The label is made of two pieces of the name and one blank between them; a name with
    // fewer than three "_" gives both pieces from its start.
    check(info.label.contains(QLatin1Char(' ')), "the label lacks its joining blank", name);
    check(info.label.size() <= 2 * name.size() + 1,
          "the label is longer than two pieces of the name", name);
    for (const QChar c : info.label)
        check(c == QLatin1Char(' ') || name.contains(c),
              "the label holds a character the name lacks", name);
}

void checkVariationSearch(const QString &name)
{
    const QString folder = QStringLiteral("/drawings/");
    qsizetype asked = 0;
    const bool found = hasVariationDrawings(folder, name, [&](const QString &path) {
        ++asked;
        check(path.startsWith(folder) && path.endsWith(QLatin1String(".bmp")),
              "a variation candidate outside the folder or not a drawing", path);
        return path.endsWith(QLatin1String("_W9.bmp"));
    });
    check(asked == 40 && found, "the search does not ask for all 40 variation drawings", name);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Names come from the file list in the code page; a few more come with other characters.
    const QByteArray bytes = bytesOf(data, size);
    const QString name =
        bytes.startsWith('\xff') ? QString::fromUtf8(bytes.mid(1)) : decodeCodePage(bytes);
    checkDecoding(name);
    checkVariationSearch(name);
    return 0;
}

// An entry of any texts and ticks: composition either refuses with a message or gives a line
// of 58 characters plus the drawing's file name, every field in its columns, that the
// attributes file can store and that stays one line (no control character below 0x20, no DEL).
// Every such line reads back into the window's attributes (entryFromLine) and composes again to
// the very same line: the one exception is a LABEL that begins with a blank, which composition
// trims; a blank ULAND or GT code, which Add refuses to take back, is the one line not read.
//
// Input: one field per line, in this order: drawing file name, label, ticked epochs (digits),
// country, type, overhead line ("Y", "N", "3"), line height, pantograph animation ("Y"),
// direction ("L", "R", "B"), switching, push-pull, double traction ("S", "P", "D"), cycle,
// variations ("Y"), and the companion drawings that exist ("all", or names joined by "|").

#include "entry/composeentry.h"
#include "entry/entryfromline.h"
#include "entry/entryline.h"
#include "fuzzcheck.h"
#include "text/blanks.h"
#include "text/codepage.h"

#include <QRegularExpression>

namespace {

const QString sourceFolder = QStringLiteral("/drawings/");

LibraryEntry entryOf(const QStringList &f)
{
    LibraryEntry entry;
    entry.drawingFileName = f[0];
    entry.sourceFolder = sourceFolder;
    entry.labelText = f[1];
    for (int i = 0; i < 6; ++i)
        entry.epochs[i] = f[2].contains(QChar(u'1' + i));
    entry.countryText = f[3];
    entry.typeText = f[4];
    entry.overheadLineYes = f[5].contains(u'Y');
    entry.overheadLineNo = f[5].contains(u'N');
    entry.overheadLineThirdRail = f[5].contains(u'3');
    entry.lineHeightText = f[6];
    entry.pantographAnimation = f[7].contains(u'Y');
    entry.directionLeft = f[8].contains(u'L');
    entry.directionRight = f[8].contains(u'R');
    entry.directionBoth = f[8].contains(u'B');
    entry.switchingOperation = f[9].contains(u'S');
    entry.pushPull = f[9].contains(u'P');
    entry.doubleTraction = f[9].contains(u'D');
    entry.animationCycleText = f[10];
    entry.variations = f[11].contains(u'Y');
    return entry;
}

QString yesNo(bool flag)
{
    return flag ? QStringLiteral("Y") : QStringLiteral("N");
}

void checkLine(const LibraryEntry &entry, const QString &line)
{
    using namespace EntryFields;
    const QString &name = entry.drawingFileName;
    const auto fail = [&](const char *what) { propertyBroken(what, line); };

    if (line.size() != fixedBlockEnd + name.size() || drawingNameOf(line) != name)
        fail("the file name does not run from column 59 to the end");
    if (!fitsCodePage(line))
        fail("the line holds a character the attributes file cannot store");
    for (const QChar c : line)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            fail("the line holds a character that ends or breaks a line");

    // Blanks only are trimmed; other white space is the label's own.
    const QString trimmedLabel = trimBlanks(entry.labelText);
    const qsizetype labelWidth = EntryFields::label.width;
    const QString label = fieldText(line, EntryFields::label);
    if (trimmedLabel.size() > labelWidth ? label != entry.labelText.left(labelWidth)
                                         : label != trimmedLabel.leftJustified(labelWidth))
        fail("the LABEL field is not the label as the columns take it");

    QString ticked;
    for (int i = 0; i < 6; ++i)
        if (entry.epochs[i])
            ticked += QString::number(i + 1);
    const QString epochs = fieldText(line, epoche);
    if (epochs !=
        (ticked.size() == 1 ? ticked + QLatin1String("  ") : ticked.left(1) + u'-' + ticked.mid(1)))
        fail("the EPOCHE field does not hold the ticked epochs");

    if (fieldText(line, uland) != entry.countryText.left(uland.width).leftJustified(3) ||
        fieldText(line, gt) != entry.typeText.left(gt.width).leftJustified(2))
        fail("the ULAND or GT field is not the code of its box");

    const QString expectedOl = entry.overheadLineYes  ? QStringLiteral("Y")
                               : entry.overheadLineNo ? QStringLiteral("N")
                                                      : QStringLiteral("3");
    if (fieldText(line, ol) != expectedOl)
        fail("the OL field is not the ticked box");

    static const QRegularExpression twoDigits(QStringLiteral("^[4-9][0-9]$"));
    const QString height = fieldText(line, olh);
    if (!twoDigits.match(height).hasMatch() || height.toInt() > 90)
        fail("the OLH field is not a height from 40 to 90");

    const QString expectedDirection = entry.directionLeft    ? QStringLiteral("L")
                                      : entry.directionRight ? QStringLiteral("R")
                                                             : QStringLiteral("B");
    if (fieldText(line, sar) != yesNo(entry.pantographAnimation) ||
        fieldText(line, richtung) != expectedDirection ||
        fieldText(line, rangier) != yesNo(entry.switchingOperation) ||
        fieldText(line, wz) != yesNo(entry.pushPull) ||
        fieldText(line, dt) != yesNo(entry.doubleTraction) ||
        fieldText(line, EntryFields::variations) != yesNo(entry.variations))
        fail("a flag field is not its box");

    const QChar cycle = line.at(phasenlaenge.index());
    if (!(cycle >= u'0' && cycle <= u'9'))
        fail("the PHASENLAENGE field is not one digit");
}

// Edit Entry followed by Replace Entry with nothing changed.
void checkRoundTrip(const QString &line, const FileTest &fileExists)
{
    if (line.startsWith(u' '))
        return;
    const EntryReading reading = entryFromLine(line, sourceFolder);
    if (const auto *field = std::get_if<UnreadableField>(&reading)) {
        if ((field->name != QLatin1String("ULAND") && field->name != QLatin1String("GT")) ||
            !trimBlanks(field->held).isEmpty())
            propertyBroken("a composed line does not read back", line);
        return;
    }
    const ComposedEntry again = composeEntry(std::get<LibraryEntry>(reading), fileExists);
    if (const auto *refusal = std::get_if<EntryRefusal>(&again))
        propertyBroken("a line read back is refused",
                       line + QLatin1String(": ") + refusal->message);
    else if (std::get<QString>(again) != line)
        propertyBroken("a line read back composes otherwise", std::get<QString>(again));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList fields = fieldsOf(bytesOf(data, size), 13);
    const LibraryEntry entry = entryOf(fields);
    const QStringList existing = fields[12].split(u'|');
    const bool allExist = fields[12] == QLatin1String("all");
    const FileTest fileExists = [&](const QString &path) {
        check(path.startsWith(sourceFolder), "a companion drawing is looked for elsewhere", path);
        return allExist || existing.contains(path.mid(sourceFolder.size()));
    };

    const ComposedEntry composed = composeEntry(entry, fileExists);
    if (const auto *refusal = std::get_if<EntryRefusal>(&composed)) {
        check(!refusal->message.isEmpty(), "a refusal without a message");
        return 0;
    }
    checkLine(entry, std::get<QString>(composed));
    checkRoundTrip(std::get<QString>(composed), fileExists);
    return 0;
}

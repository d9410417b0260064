#include "entry/entryfromline.h"

#include "entry/entryfields.h"
#include "entry/entryline.h"
#include "text/blanks.h"

namespace {

bool isDigit(QChar c, char lowest = '0')
{
    return c >= QLatin1Char(lowest) && c <= QLatin1Char('9');
}

UnreadableField unreadable(const QString &line, const EntryField &field)
{
    return {QString::fromLatin1(field.name), field.column, field.width, fieldText(line, field)};
}

// One or two epochs as composition writes them: "4  " or "2-5", ascending.
bool readEpochs(const QString &text, std::array<bool, 6> &epochs)
{
    const auto epoch = [](QChar c) { return c >= u'1' && c <= u'6'; };
    if (text.size() != 3 || !epoch(text[0]))
        return false;
    epochs[text[0].unicode() - u'1'] = true;
    if (text.mid(1) == QLatin1String("  "))
        return true;
    if (text[1] != u'-' || !epoch(text[2]) || text[2] <= text[0])
        return false;
    epochs[text[2].unicode() - u'1'] = true;
    return true;
}

} // namespace

EntryReading entryFromLine(const QString &line, const QString &sourceFolder)
{
    using namespace EntryFields;
    LibraryEntry entry;
    entry.sourceFolder = sourceFolder;

    if (line.size() < label.lastColumn())
        return unreadable(line, label);
    entry.labelText = trimTrailingBlanks(fieldText(line, label));

    if (!readEpochs(fieldText(line, epoche), entry.epochs))
        return unreadable(line, epoche);

    // A blank code would be refused by Add ("Select the country ULAND!"), so the box could not
    // give it back.
    entry.countryText = fieldText(line, uland);
    if (entry.countryText.size() != uland.width || trimBlanks(entry.countryText).isEmpty())
        return unreadable(line, uland);
    entry.typeText = fieldText(line, gt);
    if (entry.typeText.size() != gt.width || trimBlanks(entry.typeText).isEmpty())
        return unreadable(line, gt);

    const QString overheadLine = fieldText(line, ol);
    if (overheadLine.size() != 1 || !QByteArray(ol.letters).contains(overheadLine[0].toLatin1()))
        return unreadable(line, ol);
    entry.overheadLineYes = overheadLine == QLatin1String("Y");
    entry.overheadLineNo = overheadLine == QLatin1String("N");
    entry.overheadLineThirdRail = overheadLine == QLatin1String("3");

    entry.lineHeightText = fieldText(line, olh);
    if (entry.lineHeightText.size() != 2 || !isDigit(entry.lineHeightText[0]) ||
        !isDigit(entry.lineHeightText[1]))
        return unreadable(line, olh);

    const auto flag = [&](const EntryField &field, bool &yes) {
        const QString text = fieldText(line, field);
        yes = text == QLatin1String("Y");
        return yes || text == QLatin1String("N");
    };
    if (!flag(sar, entry.pantographAnimation))
        return unreadable(line, sar);

    const QString direction = fieldText(line, richtung);
    if (direction.size() != 1 || !QByteArray(richtung.letters).contains(direction[0].toLatin1()))
        return unreadable(line, richtung);
    entry.directionLeft = direction == QLatin1String("L");
    entry.directionRight = direction == QLatin1String("R");
    entry.directionBoth = direction == QLatin1String("B");

    if (!flag(rangier, entry.switchingOperation))
        return unreadable(line, rangier);
    if (!flag(wz, entry.pushPull))
        return unreadable(line, wz);
    if (!flag(dt, entry.doubleTraction))
        return unreadable(line, dt);

    entry.animationCycleText = fieldText(line, phasenlaenge);
    if (entry.animationCycleText.size() != 1 || !isDigit(entry.animationCycleText[0]))
        return unreadable(line, phasenlaenge);

    if (!flag(EntryFields::variations, entry.variations))
        return unreadable(line, EntryFields::variations);

    entry.drawingFileName = drawingNameOf(line);
    if (!namesDrawing(line))
        return UnreadableField{QStringLiteral("file name"), drawingFileNameColumn, 0,
                               entry.drawingFileName};
    return entry;
}

#include "entry/entryline.h"

#include "drawingnames/companionnames.h"
#include "text/blanks.h"

#include <algorithm>

namespace {

constexpr qsizetype nameStart = EntryFields::drawingFileNameColumn - 1;
// The save searches the marks of the companion names from the country column on.
constexpr qsizetype searchStart = EntryFields::uland.index();

QString nameUpTo(const QString &line, qsizetype end)
{
    return line.mid(nameStart, std::max<qsizetype>(0, end - nameStart));
}

bool isYes(const QString &line, const EntryField &field)
{
    return fieldText(line, field) == QLatin1String("Y");
}

} // namespace

QString fieldText(const QString &line, const EntryField &field)
{
    return line.mid(field.index(), field.width);
}

QString labelOf(const QString &line)
{
    return trimBlanks(fieldText(line, EntryFields::label));
}

QString typeFolderOf(const QString &line)
{
    return trimBlanks(fieldText(line, EntryFields::gt));
}

bool namesDrawing(const QString &line)
{
    return !trimmedDrawingNameOf(line).isEmpty();
}

QString drawingNameOf(const QString &line)
{
    return line.mid(nameStart);
}

QString trimmedDrawingNameOf(const QString &line)
{
    return trimBlanks(drawingNameOf(line));
}

std::optional<QString> drawingStemOf(const QString &line)
{
    // From the drawing's name on: a label may itself hold ".bmp".
    const qsizetype bmp = findBmp(line, nameStart);
    if (bmp < 0)
        return std::nullopt;
    return nameUpTo(line, bmp);
}

bool isAnimated(const QString &line)
{
    const QString digit = fieldText(line, EntryFields::phasenlaenge);
    return digit.size() == 1 && digit[0] >= QLatin1Char('1') && digit[0] <= QLatin1Char('9');
}

bool asksPantograph(const QString &line)
{
    return isYes(line, EntryFields::sar);
}

bool asksVariations(const QString &line)
{
    return isYes(line, EntryFields::variations);
}

CopyPlan planEntryCopies(const QString &line, const QString &sourceFolder, const FileTest &isFile)
{
    CopyPlan plan;
    plan.add(trimmedDrawingNameOf(line), DrawingRole::Drawing);

    if (isAnimated(line)) {
        const qsizetype match = findFrameZero(line, searchStart);
        if (match < 0) {
            plan.unserved = UnservedFlag::Phasenlaenge;
            return plan;
        }
        const QString root = nameUpTo(line, match + 1); // up to and including the "_"
        for (int k = 1; k <= 3; ++k)
            plan.add(root + QString::number(k) + QLatin1String(".bmp"),
                     DrawingRole::AnimationFrame);
    }

    const bool pantograph = asksPantograph(line);
    const bool variations = asksVariations(line);
    const qsizetype extension = (pantograph || variations) ? findBmp(line, searchStart) : -1;
    const QString base = nameUpTo(line, extension);

    if (pantograph) {
        if (extension < 0) {
            plan.unserved = UnservedFlag::Sar;
            return plan;
        }
        plan.add(pantographDrawingName(base), DrawingRole::PantographDrawing);
    }

    if (variations) {
        if (extension < 0) {
            plan.unserved = UnservedFlag::Variations;
            return plan;
        }
        for (const QString &candidate : variationCandidateNames(base))
            if (isFile(sourceFolder + candidate))
                plan.add(candidate, DrawingRole::VariationDrawing);
    }
    return plan;
}

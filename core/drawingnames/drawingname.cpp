#include "drawingnames/drawingname.h"

#include "drawingnames/codetables.h"
#include "drawingnames/companionnames.h"
#include "text/blanks.h"

#include <QStringList>

namespace {

// The naming rules count positions from 1 and look at characters relative to the first
// ".bmp"; these helpers keep that counting and never reach outside the name.

// The count characters from position from, or nullopt when any of them lies outside the name.
std::optional<QString> charactersAt(const QString &name, qsizetype from, qsizetype count)
{
    if (from < 1 || from - 1 + count > name.size())
        return std::nullopt;
    return name.mid(from - 1, count);
}

// Up to count characters from position from (at least 1); a count below 1 takes nothing.
QString segment(const QString &name, qsizetype from, qsizetype count)
{
    return count < 1 ? QString() : name.mid(from - 1, count);
}

// Position of the first "_" at or after position from, 0 when there is none.
qsizetype findUnderscore(const QString &name, qsizetype from)
{
    return name.indexOf(QLatin1Char('_'), from - 1) + 1;
}

bool isVariationSuffix(const QString &threeCharacters)
{
    const QChar direction = threeCharacters.at(1);
    const QChar digit = threeCharacters.at(2);
    return threeCharacters.at(0) == QLatin1Char('_') &&
           QStringLiteral("EWNS").contains(direction) && digit >= QLatin1Char('0') &&
           digit <= QLatin1Char('9');
}

std::optional<int> indexIn(const QStringList &codes, const QString &code)
{
    const qsizetype index = codes.indexOf(code);
    return index < 0 ? std::nullopt : std::optional<int>(int(index));
}

} // namespace

QString drawingRefusalMessage(DrawingRefusal refusal)
{
    switch (refusal) {
    case DrawingRefusal::None:
        break;
    case DrawingRefusal::AnimationFrame:
        return QStringLiteral("Drawing Animation: choose the '_0' base drawing");
    case DrawingRefusal::PantographDrawing:
        return QStringLiteral(
            "Panthografs Animation: choose the base drawing and set the SAR flag!");
    case DrawingRefusal::VariationDrawing:
        return QStringLiteral(
            "Variation drawing: choose the base drawing and set the VARIATIONS flag!");
    }
    return {};
}

DrawingNameInfo decodeDrawingName(const QString &fileName)
{
    DrawingNameInfo info;
    const qsizetype trimmedLength = trimBlanks(fileName).size();
    // Position of the first ".bmp"; a name without one is all stem and ends just before p.
    const qsizetype found = findBmp(fileName);
    const qsizetype p = found < 0 ? fileName.size() + 1 : found + 1;

    if (trimmedLength > 6) {
        const std::optional<QString> frame = charactersAt(fileName, p - 2, 2);
        if (frame == QLatin1String("_1") || frame == QLatin1String("_2") ||
            frame == QLatin1String("_3")) {
            info.refusal = DrawingRefusal::AnimationFrame;
            return info;
        }
        info.phaseLengthText = frame == QLatin1String("_0") ? QStringLiteral("6") : QString();
    }
    if (trimmedLength > 7) {
        const std::optional<QString> pantograph = charactersAt(fileName, p - 4, 4);
        if (pantograph && pantograph->toUpper() == QLatin1String("_SAR")) {
            info.refusal = DrawingRefusal::PantographDrawing;
            return info;
        }
        const std::optional<QString> variation = charactersAt(fileName, p - 3, 3);
        if (variation && isVariationSuffix(*variation)) {
            info.refusal = DrawingRefusal::VariationDrawing;
            return info;
        }
    }

    // Each search starts after the "_" the previous one found; after a search that found
    // none it starts again at position 1, which is what names with fewer than three "_"
    // decode by.
    QString label = fileName;
    qsizetype u = findUnderscore(fileName, 1);
    if (u > 0)
        info.countryIndex = indexIn(countryCodes(), segment(fileName, 1, u - 1));

    qsizetype s = u + 1;
    u = findUnderscore(fileName, s);
    if (u > 0)
        label = segment(fileName, s, u - s);

    s = u + 1;
    u = findUnderscore(fileName, s);
    if (u > 0) {
        info.typeIndex = indexIn(vehicleTypeCodes(), segment(fileName, s, u - s));
        if (info.typeIndex) {
            switch (overheadLineEffectOfType(*info.typeIndex)) {
            case OverheadLineEffect::Ticked:
                info.overheadLineYes = true;
                break;
            case OverheadLineEffect::Unticked:
                info.overheadLineYes = false;
                break;
            case OverheadLineEffect::Unchanged:
                break;
            }
        }
    }

    s = u + 1;
    u = findUnderscore(fileName, s);
    const qsizetype closingLength = u > 0 ? u - s : p - s;
    info.label = trimBlanks(label) + QLatin1Char(' ') + segment(fileName, s, closingLength);
    return info;
}

bool hasVariationDrawings(const QString &folder, const QString &fileName,
                          const FileTest &fileExists)
{
    const QStringList candidates = variationCandidateNames(drawingStem(fileName));
    for (const QString &candidate : candidates) {
        if (fileExists(folder + candidate))
            return true;
    }
    return false;
}

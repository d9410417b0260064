#include "drawingnames/codetables.h"

QStringList vehicleTypeItems()
{
    return {QStringLiteral("D  - Steam Locomotive"),
            QStringLiteral("DT - Steam Railcar"),
            QStringLiteral("E  - Electrical Locomotive"),
            QStringLiteral("EA - Accumulator Car"),
            QStringLiteral("ES - Tramway"),
            QStringLiteral("ET - Electrical Multiple Unit"),
            QStringLiteral("FC - Freight Car"),
            QStringLiteral("PC - Passenger Car"),
            QStringLiteral("V  - Diesel Locomotive"),
            QStringLiteral("VB - Bus"),
            QStringLiteral("VT - Diesel Multiple Unit"),
            QStringLiteral("VZ - Amphibious Vehicle"),
            QStringLiteral("X  - Special Vehicle and Other")};
}

QStringList countryItems()
{
    return {QStringLiteral("A   - Austria"),
            QStringLiteral("B   - Belgium"),
            QStringLiteral("CH  - Switzerland"),
            QStringLiteral("DK  - Denmark"),
            QStringLiteral("F   - France"),
            QStringLiteral("FRG - Germany"),
            QStringLiteral("GDR - Germany (ex DDR)"),
            QStringLiteral("H   - Hungary"),
            QStringLiteral("I   - Italy"),
            QStringLiteral("JP  - Japan"),
            QStringLiteral("NL  - Netherlands"),
            QStringLiteral("P   - Portugal"),
            QStringLiteral("PL  - Poland"),
            QStringLiteral("SP  - Spain"),
            QStringLiteral("USA - United States Of America")};
}

namespace {

QStringList leadingCodes(const QStringList &items, int width)
{
    QStringList codes;
    codes.reserve(items.size());
    for (const QString &item : items)
        codes.append(item.left(width).trimmed());
    return codes;
}

} // namespace

QStringList vehicleTypeCodes()
{
    return leadingCodes(vehicleTypeItems(), 2);
}

QStringList countryCodes()
{
    return leadingCodes(countryItems(), 3);
}

OverheadLineEffect overheadLineEffectOfType(int typeIndex)
{
    const QString code = vehicleTypeCodes().value(typeIndex);
    if (code == QLatin1String("E") || code == QLatin1String("ES") || code == QLatin1String("ET"))
        return OverheadLineEffect::Ticked;
    if (code == QLatin1String("FC") || code == QLatin1String("PC") || code.isEmpty())
        return OverheadLineEffect::Unchanged;
    return OverheadLineEffect::Unticked;
}

#pragma once

#include <QString>
#include <QStringList>

// The items of the type list cboGT, in list order; the code stands in the first two characters.
QStringList vehicleTypeItems();
// The items of the country list cboUland, in list order; the code stands in the first three.
QStringList countryItems();

// The vehicle-type codes in list order (D, DT, E, ... X): each names one type folder.
QStringList vehicleTypeCodes();
// The country codes in list order (A, B, CH, ... USA).
QStringList countryCodes();

// Whether ticking a recognised type puts the overhead-line "Y" box on, off, or leaves it.
enum class OverheadLineEffect
{
    Ticked,
    Unticked,
    Unchanged
};
OverheadLineEffect overheadLineEffectOfType(int typeIndex);

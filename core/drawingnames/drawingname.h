#pragma once

#include "system/filetest.h"

#include <QString>

#include <optional>

// What a drawing's file name tells by the naming convention
// COUNTRY_description_TYPE_description.bmp, and whether it names a companion file instead of
// a base drawing.

// Why a name is not accepted as a base drawing.
enum class DrawingRefusal
{
    None,
    AnimationFrame,
    PantographDrawing,
    VariationDrawing
};

// The warning that sends the user to the base drawing; empty for DrawingRefusal::None.
QString drawingRefusalMessage(DrawingRefusal refusal);

struct DrawingNameInfo
{
    DrawingRefusal refusal = DrawingRefusal::None;
    // New text of the animation-cycle box: "6" for an animated base drawing (stem ends "_0"),
    // "" otherwise; absent for names too short to tell. Also set for pantograph and variation
    // refusals, which are shown after the box has taken it.
    std::optional<QString> phaseLengthText;
    std::optional<int> countryIndex;     // position in countryItems()
    std::optional<int> typeIndex;        // position in vehicleTypeItems()
    std::optional<bool> overheadLineYes; // tick (true) or untick (false) the OL "Y" box
    QString label;                       // empty when the name is refused
};

// Decodes a file name (without folder); reads no files.
//
// Names the convention leaves open are decoded without reading outside the name:
// - a rule that would take characters before the first one does not match (the
//   animation-frame rule then gives an empty cycle text, like any name not ending "_0");
// - a name without ".bmp" is all stem: the rules look at its last characters and the last
//   segment runs to its end;
// - when the third "_" lies beyond the first ".bmp", the closing segment is empty, so the
//   label gets a blank and nothing more.
DrawingNameInfo decodeDrawingName(const QString &fileName);

// Whether one of the 40 variation drawings stem_N0.bmp .. stem_W9.bmp exists in folder
// (which ends with the separator). The candidates are asked in the order N0..N9, S0..S9,
// E0..E9, W0..W9 and the search stops at the first that exists.
bool hasVariationDrawings(const QString &folder, const QString &fileName,
                          const FileTest &fileExists = isOrdinaryFile);

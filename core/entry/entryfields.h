#pragma once

#include <QtGlobal>

#include <array>

// The fields of an entry line's fixed block (columns 1 to 58), each where it stands and what it
// may hold; the drawing's file name runs from column 59 to the end of the line. Every reader and
// writer of entry lines takes its columns from here.

// What a field may hold.
enum class FieldValues
{
    Text,        // LABEL: any text, filled with spaces
    Epochs,      // one epoch "4  " or two "2-5"
    CountryCode, // a code of the country table, filled with spaces
    TypeCode,    // a code of the type table, filled with spaces
    LineHeight,  // two digits from lowestLineHeight to highestLineHeight
    Letters,     // one of letters
};

struct EntryField
{
    const char *name; // as the format names it
    qsizetype column; // 1-based
    qsizetype width;
    FieldValues values;
    const char *letters = ""; // FieldValues::Letters: the letters the field may hold

    constexpr qsizetype lastColumn() const { return column + width - 1; }
    constexpr qsizetype index() const { return column - 1; } // 0-based, for QString::mid
};

namespace EntryFields {
inline constexpr EntryField label{"LABEL", 1, 40, FieldValues::Text};
inline constexpr EntryField epoche{"EPOCHE", label.lastColumn() + 1, 3, FieldValues::Epochs};
inline constexpr EntryField uland{"ULAND", epoche.lastColumn() + 1, 3, FieldValues::CountryCode};
inline constexpr EntryField gt{"GT", uland.lastColumn() + 1, 2, FieldValues::TypeCode};
inline constexpr EntryField ol{"OL", gt.lastColumn() + 1, 1, FieldValues::Letters, "YN3"};
inline constexpr EntryField olh{"OLH", ol.lastColumn() + 1, 2, FieldValues::LineHeight};
inline constexpr EntryField sar{"SAR", olh.lastColumn() + 1, 1, FieldValues::Letters, "YN"};
inline constexpr EntryField richtung{"RICHTUNG", sar.lastColumn() + 1, 1, FieldValues::Letters,
                                     "LRB"};
inline constexpr EntryField rangier{"RANGIER", richtung.lastColumn() + 1, 1, FieldValues::Letters,
                                    "YN"};
inline constexpr EntryField wz{"WZ", rangier.lastColumn() + 1, 1, FieldValues::Letters, "YN"};
inline constexpr EntryField dt{"DT", wz.lastColumn() + 1, 1, FieldValues::Letters, "YN"};
inline constexpr EntryField phasenlaenge{"PHASENLAENGE", dt.lastColumn() + 1, 1,
                                         FieldValues::Letters, "0123456789"};
inline constexpr EntryField variations{"VARIATIONS", phasenlaenge.lastColumn() + 1, 1,
                                       FieldValues::Letters, "YN"};

// The fixed block in column order.
inline constexpr std::array<EntryField, 13> fixedBlock{
    label, epoche, uland, gt, ol, olh, sar, richtung, rangier, wz, dt, phasenlaenge, variations};

inline constexpr qsizetype fixedBlockEnd = variations.lastColumn(); // 58
inline constexpr qsizetype drawingFileNameColumn = fixedBlockEnd + 1;

// The overhead line heights OLH may give.
inline constexpr int lowestLineHeight = 40;
inline constexpr int highestLineHeight = 90;
} // namespace EntryFields

// Maximum number of entries in one library.
constexpr int maxLibraryEntries = 1000;

#pragma once

#include <QtGlobal>

// 1-based columns of an entry line; the drawing file name runs from column 59 to the end.
namespace EntryColumn {
constexpr qsizetype label = 1;
constexpr qsizetype labelWidth = 40;
constexpr qsizetype epoche = 41;
constexpr qsizetype uland = 44;
constexpr qsizetype ulandWidth = 3;
constexpr qsizetype gt = 47;
constexpr qsizetype gtWidth = 2;
constexpr qsizetype ol = 49;
constexpr qsizetype olh = 50;
constexpr qsizetype sar = 52;
constexpr qsizetype richtung = 53;
constexpr qsizetype rangier = 54;
constexpr qsizetype wz = 55;
constexpr qsizetype dt = 56;
constexpr qsizetype phasenlaenge = 57;
constexpr qsizetype variations = 58;
constexpr qsizetype drawingFileName = 59;
} // namespace EntryColumn

// Maximum number of entries in one library.
constexpr int maxLibraryEntries = 1000;

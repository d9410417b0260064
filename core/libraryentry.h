#pragma once

#include "filetest.h"

#include <QString>

#include <array>
#include <optional>
#include <variant>

// The attributes of one drawing as the window's controls hold them.
struct LibraryEntry
{
    QString drawingFileName;      // no folder
    QString sourceFolder;         // ends with the separator
    QString labelText;            // as typed
    std::array<bool, 6> epochs{}; // epoch 1 at [0] .. epoch 6 at [5]
    QString countryText;
    QString typeText;
    bool overheadLineYes = false;
    bool overheadLineNo = false;
    bool overheadLineThirdRail = false;
    QString lineHeightText;
    bool pantographAnimation = false;
    bool directionLeft = false;
    bool directionRight = false;
    bool directionBoth = false;
    bool switchingOperation = false;
    bool pushPull = false;
    bool doubleTraction = false;
    QString animationCycleText;
    bool variations = false;
};

// Why an entry was not composed: the message to show and the control to correct.
struct EntryRefusal
{
    QString message;
    QString control; // objectName of a control or check box group; empty: focus stays
    int member = -1; // member index within a check box group, -1 for other controls

    bool operator==(const EntryRefusal &) const = default;
};

using ComposedEntry = std::variant<QString, EntryRefusal>;

// Checks the attributes in their fixed order and builds the fixed-column entry line, or
// returns the first refusal. Asks fileExists about the companion drawings; nothing else.
ComposedEntry composeEntry(const LibraryEntry &entry, const FileTest &fileExists);

// A numeric box's text as the entry checks read it: a decimal number rounded to a whole
// number (empty counts as 0); nullopt when it does not fit a 16-bit signed integer.
std::optional<int> readWholeNumber(const QString &text);

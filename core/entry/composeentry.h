#pragma once

#include "entry/libraryentry.h"
#include "system/filetest.h"

#include <QString>

#include <optional>
#include <variant>

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

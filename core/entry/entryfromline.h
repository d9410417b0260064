#pragma once

#include "entry/libraryentry.h"

#include <QString>

#include <variant>

// A field of a line that the window's controls cannot hold as Add to Library would read it back.
struct UnreadableField
{
    QString name;         // as the format names it ("EPOCHE"), or "file name"
    qsizetype column = 0; // 1-based
    qsizetype width = 0;  // 0: to the end of the line
    QString held;         // what the line holds there

    bool operator==(const UnreadableField &) const = default;
};

using EntryReading = std::variant<LibraryEntry, UnreadableField>;

// The attributes that give the line again when composed, read field by field in column order;
// the first field that does not read back is named. LABEL is the field without its trailing
// blanks, ULAND and GT their codes as they stand, numbers as their digits. sourceFolder is taken
// as given. A LABEL that begins with a blank reads, but composition trims it: only such a line
// comes back other than it was.
EntryReading entryFromLine(const QString &line, const QString &sourceFolder);

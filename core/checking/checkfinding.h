#pragma once

#include <QList>
#include <QString>

// One problem a check finds in an attributes file: its line (1-based; 0 for the file as a
// whole), whether the display program is sure to go wrong (an error) or may (a warning), and
// what is wrong and what was expected.
struct CheckFinding
{
    enum class Kind
    {
        Error,
        Warning
    };
    int line = 0;
    Kind kind = Kind::Error;
    QString text;

    bool operator==(const CheckFinding &) const = default;
};

using CheckFindings = QList<CheckFinding>;

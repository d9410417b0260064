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

// "error" or "warning", as every report of findings names a finding's kind.
QString kindName(CheckFinding::Kind kind);
// "error: TEXT": a finding as every report shows it after its place ("Swiss.txt:3: ", "line 3: ").
QString findingText(const CheckFinding &finding);
// "1 error, 2 warnings in 70 entries": the last line of every report of findings.
QString findingsCountLine(qsizetype errors, qsizetype warnings, qsizetype entries);

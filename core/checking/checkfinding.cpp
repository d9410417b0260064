#include "checking/checkfinding.h"

QString kindName(CheckFinding::Kind kind)
{
    return kind == CheckFinding::Kind::Error ? QStringLiteral("error") : QStringLiteral("warning");
}

QString findingText(const CheckFinding &finding)
{
    return kindName(finding.kind) + QLatin1String(": ") + finding.text;
}

namespace {

QString counted(qsizetype count, const char *one, const char *many)
{
    return QStringLiteral("%1 %2").arg(count).arg(QLatin1String(count == 1 ? one : many));
}

} // namespace

QString findingsCountLine(qsizetype errors, qsizetype warnings, qsizetype entries)
{
    return QStringLiteral("%1, %2 in %3")
        .arg(counted(errors, "error", "errors"), counted(warnings, "warning", "warnings"),
             counted(entries, "entry", "entries"));
}

#include "library/savereport.h"

#include "system/nativepath.h"

#include <QDir>

QString notCopiedMessage(const QList<FileProblem> &problems, int maxLines)
{
    QString text = QStringLiteral("These files and folders could NOT be copied or made:");
    const qsizetype shown = std::min<qsizetype>(problems.size(), maxLines);
    for (qsizetype i = 0; i < shown; ++i)
        text += QLatin1Char('\r') + shownPath(problems[i].path) + QLatin1String(": ") +
                problems[i].reason;
    if (problems.size() > shown)
        text += QLatin1Char('\r') + QStringLiteral("and %1 more").arg(problems.size() - shown);
    return text;
}

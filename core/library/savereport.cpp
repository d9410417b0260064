#include "library/savereport.h"

#include "entry/entryfields.h"
#include "system/nativepath.h"
#include "text/blanks.h"
#include "text/codepage.h"

#include <QDir>

QString listedLines(const QString &heading, const QStringList &lines, int maxLines)
{
    QString text = heading;
    const qsizetype shown = std::min<qsizetype>(lines.size(), maxLines);
    for (qsizetype i = 0; i < shown; ++i)
        text += QLatin1Char('\r') + lines[i];
    if (lines.size() > shown)
        text += QLatin1Char('\r') + QStringLiteral("and %1 more").arg(lines.size() - shown);
    return text;
}

QString notCopiedMessage(const QList<FileProblem> &problems, int maxLines)
{
    QStringList lines;
    for (const FileProblem &problem : problems)
        lines.append(shownPath(problem.path) + QLatin1String(": ") + problem.reason);
    return listedLines(QStringLiteral("These files and folders could NOT be copied or made:"),
                       lines, maxLines);
}

QString copiedBeforeMessage(const QStringList &copied, int maxLines)
{
    QStringList lines;
    for (const QString &path : copied)
        lines.append(shownPath(path));
    return listedLines(QStringLiteral("These drawings were copied into the library folder before:"),
                       lines, maxLines);
}

QString utf8LinesMessage(const QString &heading, const QList<int> &lines,
                         const QList<QByteArray> &lineBytes)
{
    QStringList named;
    for (const int line : lines)
        named.append(
            QStringLiteral("line %1: %2")
                .arg(line)
                .arg(trimBlanks(
                    decodeAsWritten(lineBytes.value(line - 1)).left(EntryFields::label.width))));
    return listedLines(heading, named, 5);
}

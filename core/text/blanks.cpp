#include "text/blanks.h"

QString trimTrailingBlanks(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.left(end);
}

QString trimBlanks(const QString &text)
{
    const QString untilLast = trimTrailingBlanks(text);
    qsizetype first = 0;
    while (first < untilLast.size() && untilLast.at(first) == QLatin1Char(' '))
        ++first;
    return untilLast.mid(first);
}

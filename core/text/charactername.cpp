#include "text/charactername.h"

#include <QList>

QString characterName(char32_t c)
{
    if (QChar::isPrint(c))
        return QLatin1Char('"') + QString::fromUcs4(&c, 1) + QLatin1Char('"');
    return QStringLiteral("U+%1").arg(quint32(c), 4, 16, QLatin1Char('0')).toUpper();
}

QString quotedText(const QString &text)
{
    QString quoted(QLatin1Char('"'));
    for (const char32_t c : text.toUcs4()) {
        if (c == U' ' || QChar::isPrint(c))
            quoted += QString::fromUcs4(&c, 1);
        else
            quoted += QLatin1Char('<') + characterName(c) + QLatin1Char('>');
    }
    return quoted + QLatin1Char('"');
}

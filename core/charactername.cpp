#include "charactername.h"

QString characterName(char32_t c)
{
    if (QChar::isPrint(c))
        return QLatin1Char('"') + QString::fromUcs4(&c, 1) + QLatin1Char('"');
    return QStringLiteral("U+%1").arg(quint32(c), 4, 16, QLatin1Char('0')).toUpper();
}

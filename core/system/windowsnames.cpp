#include "system/windowsnames.h"

#include <QStringList>

namespace {

bool isDeviceName(const QString &stem)
{
    const QString upper = stem.toUpper();
    if (QStringList{"CON", "PRN", "AUX", "NUL"}.contains(upper))
        return true;
    return upper.size() == 4 &&
           (upper.startsWith(QLatin1String("COM")) || upper.startsWith(QLatin1String("LPT"))) &&
           upper[3] >= QLatin1Char('1') && upper[3] <= QLatin1Char('9');
}

} // namespace

QString windowsNameProblem(const QString &name)
{
    if (name.endsWith(QLatin1Char(' ')))
        return QStringLiteral("it ends in a blank");
    if (name.endsWith(QLatin1Char('.')))
        return QStringLiteral("it ends in a dot");
    // Windows ignores blanks before the extension: "CON .txt" is the device too.
    QString stem = name.left(name.indexOf(QLatin1Char('.')));
    while (stem.endsWith(QLatin1Char(' ')))
        stem.chop(1);
    if (isDeviceName(stem))
        return QStringLiteral("%1 is the name of a device").arg(stem.toUpper());
    return {};
}

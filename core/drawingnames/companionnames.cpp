#include "drawingnames/companionnames.h"

qsizetype findBmp(const QString &text, qsizetype from)
{
    return text.indexOf(QLatin1String(".bmp"), from, Qt::CaseInsensitive);
}

qsizetype findFrameZero(const QString &text, qsizetype from)
{
    return text.indexOf(QLatin1String("_0.bmp"), from, Qt::CaseInsensitive);
}

QString drawingStem(const QString &fileName)
{
    const qsizetype p = findBmp(fileName);
    return p < 0 ? fileName : fileName.left(p);
}

QString pantographDrawingName(const QString &stem)
{
    return stem + QLatin1String("_SAR.bmp");
}

QStringList animationFrameNames(const QString &fileName)
{
    const qsizetype p = findFrameZero(fileName);
    if (p < 0)
        return {};
    const QString root = fileName.left(p);
    QStringList frames;
    for (int k = 1; k <= 3; ++k)
        frames.append(root + QLatin1Char('_') + QString::number(k) + QLatin1String(".bmp"));
    return frames;
}

QStringList variationDirections()
{
    return {QStringLiteral("N"), QStringLiteral("S"), QStringLiteral("E"), QStringLiteral("W")};
}

QStringList variationCandidateNames(const QString &stem)
{
    // Built in place: a check of a large library forms 40 of these names for every entry.
    QStringList names;
    names.reserve(40);
    for (const QString &direction : variationDirections())
        for (char digit = '0'; digit <= '9'; ++digit) {
            QString name;
            name.reserve(stem.size() + 7);
            name += stem;
            name += QLatin1Char('_');
            name += direction;
            name += QLatin1Char(digit);
            name += QLatin1String(".bmp");
            names.append(name);
        }
    return names;
}

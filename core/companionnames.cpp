#include "companionnames.h"

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
    QStringList names;
    names.reserve(40);
    for (const QString &direction : variationDirections())
        for (int n = 0; n <= 9; ++n)
            names.append(stem + QLatin1Char('_') + direction + QString::number(n) +
                         QLatin1String(".bmp"));
    return names;
}

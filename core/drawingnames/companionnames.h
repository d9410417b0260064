#pragma once

#include <QString>
#include <QStringList>

// Companion drawings of a base drawing, by the naming convention of the drawings:
// stem_SAR.bmp (pantograph), R_1.bmp .. R_3.bmp for R_0.bmp (animation frames) and
// stem_Dn.bmp with D one of N, S, E, W and n a digit (variations). Searches for ".bmp" and
// "_0.bmp" ignore letter case and find the first occurrence; names formed here always end in
// ".bmp" in lower case.

// Position (0-based) of the first ".bmp" at or after from, or -1.
qsizetype findBmp(const QString &text, qsizetype from = 0);
// Position (0-based) of the first "_0.bmp" at or after from, or -1.
qsizetype findFrameZero(const QString &text, qsizetype from = 0);

// The name up to, not including, its first ".bmp"; the whole name when it has none.
QString drawingStem(const QString &fileName);

QString pantographDrawingName(const QString &stem);

// The frames 1, 2 and 3 of an animated base drawing (its name up to "_0.bmp", then "_k.bmp");
// empty when the name holds no "_0.bmp".
QStringList animationFrameNames(const QString &fileName);

// The direction letters of variation drawings, in search order.
QStringList variationDirections();
// The 40 candidate variation drawings of a stem: N0..N9, S0..S9, E0..E9, W0..W9.
QStringList variationCandidateNames(const QString &stem);

#pragma once

#include <QStringList>

// Sorts names as the Windows file list does: letter case (and accents) ignored, runs of digits
// compared as numbers (a2 before a10), and space and punctuation before digits before letters,
// in code order among themselves, so that "." comes before "_" and a base drawing
// (X.bmp) before its companions (X_SAR.bmp). Names equal by these rules keep a fixed order.
void sortAsFileManager(QStringList &names);

#pragma once

#include <QImage>

// The pictures of the program's windows, drawn here rather than taken from elsewhere so that
// they can be redrawn when their text or look changes. Each function returns the picture in the
// form it is stored in: 24-bit pictures as RGB32 (written as 24-bit bitmaps), indexed ones as
// Indexed8 with their colour table.

// The railcar of the about window, 161 x 58, on the black of the track band.
QImage drawRailcar();
// The small portrait of the about window, 54 x 53, 256 colours.
QImage drawPortrait();
// The page of the help window, 700 x 450.
QImage drawHelpPage();
// The main window's icon, 32 x 32, 16 colours.
QImage drawWindowIcon();

// Maps a true-colour picture onto at most 256 of its own most frequent colours; the colour
// table is filled up to exactly tableSize entries.
QImage toIndexed(const QImage &picture, int tableSize);

#pragma once

#include <QFont>

// The fixed-pitch font of the library list and the code boxes: the design's "Courier New"
// where the system has it, else the DejaVu Sans Mono built into the program, so that the
// columns of the entry lines line up on every system (Wine, for one, has no fixed-pitch
// stand-in of its own).
QFont libraryListFont();

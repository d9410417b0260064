#pragma once

#include "checking/checkfinding.h"
#include "library/libraryfile.h"

#include <QByteArray>
#include <QString>

// The checks of a line of an attributes file that need nothing but the line: what the display
// program reads in it, byte by byte and column by column.

// How a finding names where in the line it is: "column 49" or "columns 44-46".
QString columnsText(qsizetype first, qsizetype width);

// Characters the display program misreads: UTF-8 text (one finding for the line), control
// characters, bytes without a character in the code page, and a line not ended by CR LF.
// lineNumber is 1-based.
CheckFindings checkLineCharacters(int lineNumber, const QByteArray &bytes, LineEnd end);

// The fixed block (columns 1 to 58) and the file name after it, on the line as decoded. An
// empty line is only warned about; a line too short for the block is one error.
CheckFindings checkEntryFields(int lineNumber, const QString &line);

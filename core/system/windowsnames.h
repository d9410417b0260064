#pragma once

#include <QString>

// A library is made for Windows, whatever system saves it: a file or folder name that Windows
// would store otherwise than as given (it drops a final blank or dot) or takes for a device
// (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9, with or without an extension) must not
// reach the disk.

// Why Windows would not keep name (for instance "it ends in a blank"); empty when it would.
QString windowsNameProblem(const QString &name);

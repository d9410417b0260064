#pragma once

#include <QString>

// Every path the program shows or stores is built by one rule: joined with the system's own
// separator ("\" on Windows, "/" elsewhere), whatever separators its parts came with.

// folder ending with exactly the separator it already had or one added; an empty folder gives
// the separator alone.
QString folderWithSeparator(const QString &folder);

// name in folder.
QString joinPath(const QString &folder, const QString &name);

// folder as the lists show and store it: absolute, cleaned, with the system's separators; a
// drive letter alone gets its separator ("C:" is the drive's current folder, "C:\" its root).
QString nativeFolder(const QString &folder);

#pragma once

#include <QString>

// Every path the program shows or stores is built by one rule: joined with the system's own
// separator ("\" on Windows, "/" elsewhere), whatever separators its parts came with.

// path as the program shows and stores it: with the system's separators, nothing else changed.
QString shownPath(const QString &path);

// Where the file name of path begins: after its last separator, "/" or the system's own; 0
// when it has none.
qsizetype fileNameStart(const QString &path);

// folder ending with exactly the separator it already had or one added; an empty folder gives
// the separator alone.
QString folderWithSeparator(const QString &folder);

// name in folder.
QString joinPath(const QString &folder, const QString &name);

// folder as the lists show and store it: absolute, cleaned, with the system's separators; a
// drive letter alone gets its separator ("C:" is the drive's current folder, "C:\" its root).
QString nativeFolder(const QString &folder);

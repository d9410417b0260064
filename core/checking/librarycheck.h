#pragma once

#include "checking/checkfinding.h"
#include "library/libraryfile.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class LibraryFolderFiles;

// What checking an attributes file found, before its library is shared: every problem by line,
// as the display program would meet it.
struct LibraryCheck
{
    QString readError;      // the system's reason when the file could not be read; empty when read
    int entries = 0;        // its lines
    CheckFindings findings; // in line order, those of the file as a whole first
};

// Checks the file and the library folder beside it (libraryFolderOf): every line's characters
// and fields, the drawings and companions each line promises in its type folder, and files
// that two lines name differently but that are one file on Windows. Reads, never writes.
LibraryCheck checkLibraryFile(const QString &path);

// The same checks of content read from a file, with the drawings looked for in files, the
// files of libraryFolder; without files the drawings are not looked for.
CheckFindings checkLibraryContent(const LibraryFileContent &content, const QString &libraryFolder,
                                  LibraryFolderFiles *files);

// The library as the window holds it, saved or not: each line with its bytes, whether it was
// added in the window ("N") or read from the attributes file ("O"), and the folder an added
// line's drawings come from.
struct LibraryInWindow
{
    QStringList lines;
    QList<QByteArray> lineBytes;
    QStringList statuses;
    QStringList sourceFolders;
    QString attributesFile; // empty while the library has never been saved
    QString libraryFolder;  // empty while the library has never been saved
};

// The checks of checkLibraryFile on a library in the window: every line's characters and
// fields; the drawings of a line read from the file in the library folder, those of a line
// added in the window in its source folder, where the save copies them from (each finding says
// where it looked); then, without a line, the library folder's own findings: the part files a
// save cut short left, drawings that no line names, a missing library folder. Reads, never
// writes.
CheckFindings checkLibraryInWindow(const LibraryInWindow &library);

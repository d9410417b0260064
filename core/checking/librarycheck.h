#pragma once

#include "checking/checkfinding.h"
#include "library/libraryfile.h"

#include <QString>

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

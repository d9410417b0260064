#pragma once

#include "library/missingdrawings.h"
#include "library/savereport.h"
#include "system/filecopy.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Saving a library as one operation: the attributes file, the library folders and the drawings
// of the entries added since the last save. The window asks for the file and reports; this does
// the file work.

struct LibrarySave
{
    QStringList lines;           // the entry lines in list order
    QList<QByteArray> lineBytes; // the same lines as the attributes file is to hold them
    QStringList statuses;        // per line: "N" added in the window, "O" read from the file
    QStringList sourceFolders;   // per line: the folder an added entry's drawings come from
    QString attributesFile;
    QString libraryFolder;
    bool firstSave = false; // the library folder, "consists" and the type folders are made
    FileCopy copyFile{};    // a stand-in for the save's own durable copies, or empty
    // Makes the renames into a folder durable: the type folders' before the attributes file's
    // rename, the attributes file's folder after it.
    FolderSync syncFolder = syncFolderToDisk;
};

struct LibrarySaveReport
{
    QString fileFailure;          // why the attributes file was not written
    QStringList copied;           // the drawings copied into the library folder, in copy order
    QString refusal;              // the refusal that ended the copying, or empty
    QList<FileProblem> notCopied; // folders not made and drawings not copied, with the reason
    // Once the file is in place: the drawings that lines read from the file name and the library
    // folder lacks, which no save of those lines copies.
    QList<MissingDrawing> missingFromFolder;

    bool fileWritten() const { return fileFailure.isEmpty(); }
};

// The attributes file is the save's last word: at every moment the file on disk is the old one
// or names only drawings that are in the library folder, after a power cut too. In this order:
// its new content is written to its part file (".~Swiss.txt.tessaro-part") and forced to disk
// (when that fails nothing else is done); the library folders are made on a first save; the
// part files a save cut short left in "consists" and the type folders are removed; the
// drawings and companions of each added entry are copied in list order into its type folder as
// one save (copyEntryDrawings with one CopiesOfOneSave: an equal drawing is not copied twice, a
// file of an entry read from the attributes file is not replaced by another drawing), a refusal
// ending the copying after the copies before it; the copies' parts are forced to disk a batch
// at a time and renamed into place, and each type folder that received one is synced, then the
// library folder (DurableCopies); the part is renamed over the attributes file (written through
// on Windows); and its folder is synced. Only the save's own files are forced to the disk,
// never the whole volume. Then the library folder is looked at once for the drawings of the
// lines read from the file.
LibrarySaveReport saveLibraryFiles(const LibrarySave &save);

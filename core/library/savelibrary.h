#pragma once

#include "library/savereport.h"

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
};

struct LibrarySaveReport
{
    QString fileFailure;          // why the attributes file was not written; then nothing was
    QString refusal;              // the refusal that ended the copying, or empty
    QList<FileProblem> notCopied; // folders not made and drawings not copied, with the reason

    bool fileWritten() const { return fileFailure.isEmpty(); }
    bool complete() const { return fileWritten() && refusal.isEmpty() && notCopied.isEmpty(); }
};

// Writes the attributes file whole (a failure leaves the old file and copies nothing), makes
// the library folders on a first save, then copies the drawings and companions of each added
// entry in list order into its type folder, as one save (copyEntryDrawings with one
// CopiesOfOneSave): an equal drawing is not copied twice, and a file of an entry read from the
// attributes file is not replaced by another drawing. A refusal ends the copying after the
// copies before it.
LibrarySaveReport saveLibraryFiles(const LibrarySave &save);

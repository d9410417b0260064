#pragma once

#include "entry/entryline.h"
#include "library/savereport.h"
#include "system/filecopy.h"
#include "system/filetest.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// The library folder and the drawings of a save. Paths are joined with the separator; folders
// given here may end with one or not.

// Makes the library folder, its "consists" folder and one folder per type code, in that order.
// Folders that exist already are used as they are. When the library folder itself cannot be
// made nothing else is tried.
QList<FileProblem> makeLibraryFolders(const QString &libraryFolder, const QStringList &typeCodes);

// The three reasons for which the copy of an entry stops the save.
QString animationRefusal();  // "Check Animation Drawing and PHASENLAENGE parameter!"
QString pantographRefusal(); // "Check Animation Drawing and SAR parameter!"
QString variationsRefusal(); // "Check Animation Drawing and Variations Files!"
// The refusal for a flag whose files an entry's copy plan cannot name; empty for None.
QString refusalFor(UnservedFlag unserved);

// What one save has copied so far, by target (samePlaceKey): a later copy to the same file from
// another source would replace a drawing of the same save, unless it holds the same bytes under
// the same name. The files of the entries read from the attributes file, by samePlaceKey to
// the entry's number (from 1): a copy onto one of them lands only when it holds the same
// drawing, which may have been edited since it was added. The save's look-ups of variation
// drawings go through one listing of each source folder.
struct CopiesOfOneSave
{
    struct Copy
    {
        QString target;
        QString source;
    };
    QHash<QString, Copy> copied;
    QHash<QString, qsizetype> entryReadFromFile;
    ListedFiles sourceFiles;
    FileCopy copyFile = copyFileReplacing; // the save gives its own durable copies
};

struct EntryCopyReport
{
    QStringList copied;           // target paths, in copy order
    QList<FileProblem> notCopied; // the path that failed (source or target) and why
    QString refusal;              // one of the three refusals, or empty

    bool refused() const { return !refusal.isEmpty(); }
    bool complete() const { return !refused() && notCopied.isEmpty(); }
};

// Copies the drawing of one entry line and the companion drawings its flags call for from
// sourceFolder into the entry's type folder (columns 47-48) of libraryFolder, made when it is
// missing. Every file that cannot be copied is reported and the others are still copied; a
// refusal ends the entry after the copies before it. With save, a file that an earlier entry of
// the same save copied is not copied again: silently from the same source or from a file of the
// same name and bytes, reported from another; and a file of an entry read from the attributes
// file is replaced only by the same bytes (so not at all), reported otherwise.
EntryCopyReport copyEntryDrawings(const QString &line, const QString &sourceFolder,
                                  const QString &libraryFolder, CopiesOfOneSave *save = nullptr);

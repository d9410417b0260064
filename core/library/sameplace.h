#pragma once

#include "system/filetest.h"

#include <QList>
#include <QString>

#include <optional>

// The same-place rule: two paths name one file when Windows would take them for one, cleaned,
// with either separator and letter case ignored. A library is made for Windows, so the rule
// holds on every system.

// text as the rule compares it: QString::toCaseFolded, with ASCII folded without Unicode's
// tables (a check of a large library folds tens of thousands of names).
QString caseFolded(QStringView text);

// The form of a path under which two paths of one file compare equal: absolute, cleaned,
// case-folded.
QString samePlaceKey(const QString &path);

// samePlaceKey of the file name in the folder whose key is folderKey, without asking the system
// for the folder again: for the thousands of files of one library folder.
QString samePlaceKeyIn(const QString &folderKey, const QString &name);

// One file an entry puts into the library folder (its place there), and the file it is copied
// from; not the attributes file (libraryfile.h).
struct PlacedFile
{
    QString place;
    QString source;
};

// Whether two files meant for one place of the library folder carry one drawing: the same
// source, or names spelt alike whose sources hold the same bytes.
bool carrySameDrawing(const PlacedFile &one, const PlacedFile &other);

// An entry of the library list and where its drawings come from: an entry added in the window
// from its source folder; an entry read from the attributes file from its own copies in the
// library folder (fromFile; its folder slot may be stale and is never read).
struct EntrySource
{
    QString line;
    QString sourceFolder;
    bool fromFile = false;
};

// The files the entry puts into libraryFolder: in its type folder (columns 47-48), its drawing
// and every companion its flags call for, in copy order. isFile says which variation drawings
// exist.
QList<PlacedFile> libraryFilesOf(const EntrySource &entry, const QString &libraryFolder,
                                 const FileTest &isFile = isOrdinaryFile);

// An entry's file that is also a file of another entry, from a source that is not the same
// drawing: why the two are two drawings.
struct SamePlaceClash
{
    enum class Why
    {
        LetterCase,      // the two lines spell the file's name differently
        ContentsDiffer,  // spelt alike, but the two files hold different bytes
        CannotBeCompared // one of the two could not be read (unreadable, reason)
    };
    qsizetype otherEntry = -1; // index into the entries searched
    PlacedFile other;
    PlacedFile candidate;
    Why why = Why::LetterCase;
    QString unreadable;
    QString reason;
};

// The first of entries one of whose files is also one of candidate's files and is not the same
// drawing. The same drawing is the same source again, or a source that holds the same bytes
// as the other entry's file (for an entry read from the file: its copy in the library folder)
// when both lines spell the name alike. A library copy that is missing is no clash: the save
// puts it back. The entry leftOut (the one the candidate is to replace) is not looked at.
std::optional<SamePlaceClash> findSamePlaceClash(const QList<EntrySource> &entries,
                                                 const EntrySource &candidate,
                                                 const QString &libraryFolder,
                                                 qsizetype leftOut = -1);

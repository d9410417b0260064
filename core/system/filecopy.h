#pragma once

#include <QFileDevice>
#include <QString>
#include <QStringList>

#include <functional>

// File operations of a save that say why they failed, in the system's own words. Every path
// may be longer than Windows' classic limit of 260 characters. The copies here write through the
// system's own calls, and read each part back against its source, because a save makes
// thousands of them (under Wine every question Qt asks costs a round trip); writeWholeFile
// (wholefile.h) is the other careful writer, for the few whole files the program composes.

// How a copy ended: empty reason on success; otherwise the reason, and whether it was the
// target side (its folder, the part file, the rename) that failed rather than the source.
struct CopyOutcome
{
    QString reason;
    bool atTarget = false;
    bool ok() const { return reason.isEmpty(); }
};

// Copies source to target, replacing a target that exists. The data goes to a part file beside
// the target, every write checked and the part read back and compared with the source, forced
// to the disk, and only then is the part renamed over the target and its folder synced: the
// target is at every moment either the old file, byte for byte, or the whole new one, and no
// part file is left behind. A save copies many files at once through DurableCopies
// (durablecopies.h), which this is one copy of.
CopyOutcome copyFileReplacing(const QString &source, const QString &target);

// How a save copies one file: a stand-in that tests put in the place of the save's own copies.
using FileCopy = std::function<CopyOutcome(const QString &source, const QString &target)>;

// The part file beside target (".~Swiss.txt.tessaro-part") that a copy or a whole file is
// written to before it takes target's place.
QString partFileOf(const QString &target);
// Writes data to part, reads it back and forces it to the disk on every system; on failure the
// part is removed and the reason returned.
QString writeDurablePart(const QString &part, const QByteArray &data);
void removePartFile(const QString &part);
// replaceFile whose rename is on the disk when it returns where the system can say so (Windows:
// MOVEFILE_WRITE_THROUGH); elsewhere syncFolderToDisk of the target's folder makes it so.
QString replaceFileDurably(const QString &from, const QString &to);
// Forces the folder's entries (a rename into it) to the disk: fsync of the folder on Linux and
// macOS, nothing on Windows. Returns the system's reason on failure.
QString syncFolderToDisk(const QString &folder);
using FolderSync = std::function<QString(const QString &folder)>;

// The part files of copyFileReplacing (".~Re44.bmp.tessaro-part") in folder, which only copies
// cut short leave behind, in name order.
QStringList leftoverParts(const QString &folder);
void removeLeftoverParts(const QString &folder);

// Whether two files hold the same bytes. Sizes are compared first, then the bytes up to the
// first difference. A file that cannot be read is named with the system's reason, and whether
// it is missing.
struct ContentComparison
{
    enum class Result
    {
        Same,
        Different,
        Unreadable
    };
    Result result = Result::Same;
    QString unreadable; // the path that could not be read
    QString reason;
    bool missing = false;
};
ContentComparison compareFileContents(const QString &first, const QString &second);

// Puts the file from in the place of the file to in one step, replacing it when it exists.
// Returns the reason on failure, empty on success.
QString replaceFile(const QString &from, const QString &to);

// Whether both paths lead to one existing file or folder.
bool isSameFile(const QString &first, const QString &second);

// Makes the folder and any missing parents; an existing folder is no failure. Returns the
// reason on failure, empty on success.
QString makeFolder(const QString &path);

// Writes all of data to an unbuffered device, going on after a short write until the system
// says why it stops. Returns the reason on failure, empty on success. (A buffered QSaveFile
// commits a file whose last flush came up short as if it were whole.)
QString writeAllToDevice(QFileDevice &device, const char *data, qint64 size);

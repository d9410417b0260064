#pragma once

#include <QByteArray>
#include <QString>

// The one way the program writes a whole file that it composes in memory (attributes file,
// library page, site index); copies of drawings go through copyFileReplacing (filecopy.h),
// which is made for thousands of files and checks each copy against its source.
//
// The bytes go to the program's own part file beside the old file (".~Swiss.txt.tessaro-part",
// named as the copies' parts are), every write's result checked, read back and forced to disk,
// and only then swapped in by one rename: the file is at every moment either the old one, byte
// for byte, or the whole new one, and no part file is left behind.

// A whole file written now and put in place later: the part file is written and forced to disk
// when it is made, so that whatever stops the file from being written shows before other work
// relies on it, and it replaces the old file only at commit(). One never committed is discarded.
class PendingWholeFile
{
public:
    PendingWholeFile(const QString &path, const QByteArray &bytes);
    PendingWholeFile(const PendingWholeFile &) = delete;
    PendingWholeFile &operator=(const PendingWholeFile &) = delete;
    ~PendingWholeFile();

    // Why the part file could not be written; empty when it was.
    QString failure() const { return m_failure; }
    // Puts the part file in the old file's place, written through on Windows; elsewhere the
    // rename is on the disk once the folder is synced (syncFolderToDisk). Returns the system's
    // reason on failure (then the old file stays), an empty text on success.
    QString commit();

private:
    QString m_path;
    QString m_part;
    QString m_failure;
    bool m_committed = false;
};

// Writes the file at once, its folder synced. Returns the system's reason on failure, an empty
// text on success.
QString writeWholeFile(const QString &path, const QByteArray &bytes);

#pragma once

#include "system/filecopy.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class SystemFile;

// The copies of one save, made durable together, in this order: each copy's part file is
// written beside its target and read back against the source (copy); a batch at a time the
// parts are forced to the disk (on Linux their write-back was started as each was written, so
// the disk takes them together) and then renamed over their targets; finish() commits the last
// batch and syncs each folder that received a copy, once. Only the program's own files are
// forced: nothing waits for what other programs write to the same disk. A part never committed
// is removed.
class DurableCopies
{
public:
    explicit DurableCopies(FolderSync syncFolder = syncFolderToDisk);
    DurableCopies(const DurableCopies &) = delete;
    DurableCopies &operator=(const DurableCopies &) = delete;
    ~DurableCopies();

    // Reads source and writes target's part file. The target is replaced only when its batch is
    // committed; an empty reason says the part is written.
    CopyOutcome copy(const QString &source, const QString &target);

    struct FailedCopy
    {
        QString target;
        QString reason;
    };
    struct Outcome
    {
        QList<FailedCopy> failedCopies; // targets that kept their old file, or stayed missing
        QString folder;                 // the first folder that could not be synced
        QString folderReason;
    };
    // Commits every pending part and syncs the folders. Copies that failed to commit are named
    // with the reason.
    Outcome finish();

private:
    struct Pending;
    void commitBatch();

    FolderSync m_syncFolder;
    std::vector<std::unique_ptr<Pending>> m_pending;
    QStringList m_folders; // folders that received a copy, in the order of their first
    Outcome m_outcome;
};

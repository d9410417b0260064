#include "system/durablecopies.h"

#include "system/systemfile.h"

#include <QFileInfo>

namespace {

// Open parts wait for their batch: far below the open files a process may hold (1024 by
// default on Linux), large enough that the disk writes many together.
constexpr std::size_t batchFiles = 128;

} // namespace

struct DurableCopies::Pending
{
    SystemFile part;
    QString partName;
    QString target;
};

DurableCopies::DurableCopies(FolderSync syncFolder) : m_syncFolder(std::move(syncFolder)) {}

DurableCopies::~DurableCopies()
{
    for (const std::unique_ptr<Pending> &pending : m_pending) {
        pending->part.close();
        removePartFile(pending->partName);
    }
}

CopyOutcome DurableCopies::copy(const QString &source, const QString &target)
{
    // A drawing is read whole: bitmaps are small, and the one buffer serves the check too.
    QByteArray data;
    {
        SystemFile from;
        if (!from.open(source, SystemFile::Use::Read) || !from.readToEnd(data))
            return {from.reason(), false};
    }
    auto pending = std::make_unique<Pending>();
    pending->partName = partFileOf(target);
    pending->target = target;
    if (const QString reason = writePartFile(pending->part, pending->partName, data);
        !reason.isEmpty()) {
        pending->part.close();
        removePartFile(pending->partName);
        return {reason, true};
    }
    pending->part.startWriteBack();
    m_pending.push_back(std::move(pending));
    if (m_pending.size() >= batchFiles)
        commitBatch();
    return {};
}

void DurableCopies::commitBatch()
{
    // Every part of the batch on the disk first, then the renames: a target is at every moment
    // its old file or the whole new one, after a power cut too.
    for (const std::unique_ptr<Pending> &pending : m_pending) {
        QString reason;
        if (!pending->part.syncToDisk() || !pending->part.close())
            reason = pending->part.reason();
        if (reason.isEmpty())
            reason = replaceFile(pending->partName, pending->target);
        if (!reason.isEmpty()) {
            removePartFile(pending->partName);
            m_outcome.failedCopies.append({pending->target, reason});
            continue;
        }
        if (const QString folder = QFileInfo(pending->target).absolutePath();
            !m_folders.contains(folder))
            m_folders.append(folder);
    }
    m_pending.clear();
}

DurableCopies::Outcome DurableCopies::finish()
{
    commitBatch();
    // The renames themselves on the disk: each folder once, after all its renames.
    for (const QString &folder : std::as_const(m_folders))
        if (const QString reason = m_syncFolder(folder);
            !reason.isEmpty() && m_outcome.folderReason.isEmpty()) {
            m_outcome.folder = folder;
            m_outcome.folderReason = reason;
        }
    m_folders.clear();
    Outcome outcome = m_outcome;
    m_outcome = {};
    return outcome;
}

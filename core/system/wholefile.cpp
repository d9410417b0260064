#include "system/wholefile.h"

#include "system/filecopy.h"

#include <QFileInfo>

PendingWholeFile::PendingWholeFile(const QString &path, const QByteArray &bytes)
    : m_path(path), m_part(partFileOf(path))
{
    // A rename over a folder fails only at commit(): said here, before other work relies on it.
    const QFileInfo target(path);
    if (target.isDir())
        m_failure = QStringLiteral("a folder has its name");
#ifdef Q_OS_WIN
    // A read-only file is the person's word that it stays as it is. Windows refuses to rename
    // over it only at commit(), and Wine not at all.
    else if (target.exists() && !target.isWritable())
        m_failure = QStringLiteral("the file is read-only");
#endif
    else // a part file that a save cut short left is written over
        m_failure = writeDurablePart(m_part, bytes);
}

PendingWholeFile::~PendingWholeFile()
{
    if (!m_committed && m_failure.isEmpty())
        removePartFile(m_part);
}

QString PendingWholeFile::commit()
{
    if (!m_failure.isEmpty())
        return m_failure; // the part file is gone, the old file stays
    const QString reason = replaceFileDurably(m_part, m_path);
    if (reason.isEmpty())
        m_committed = true;
    return reason;
}

QString writeWholeFile(const QString &path, const QByteArray &bytes)
{
    PendingWholeFile file(path, bytes);
    if (const QString reason = file.commit(); !reason.isEmpty())
        return reason;
    return syncFolderToDisk(QFileInfo(path).absolutePath());
}

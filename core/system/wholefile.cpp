#include "system/wholefile.h"

#include "system/filecopy.h"

#ifdef Q_OS_UNIX
#include <unistd.h>

#include <cerrno>
#include <cstring>
#endif

namespace {

// QSaveFile syncs before its rename but ignores the result; a file system that reports a lost
// write only then (network shares among them) must not pass for a written file. Windows gives
// no descriptor to sync here; its file systems report a full disk at the write itself.
QString syncToDisk([[maybe_unused]] QSaveFile &file)
{
#ifdef Q_OS_UNIX
    if (::fsync(file.handle()) != 0)
        return QString::fromLocal8Bit(std::strerror(errno));
#endif
    return {};
}

} // namespace

PendingWholeFile::PendingWholeFile(const QString &path, const QByteArray &bytes) : m_file(path)
{
    // Unbuffered: a buffered QSaveFile flushes its last bytes only inside commit(), which does
    // not see that flush come up short, and commits a cut file as if it were whole.
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        m_failure = m_file.errorString();
    else
        m_failure = writeAllToDevice(m_file, bytes.constData(), bytes.size());
    if (m_failure.isEmpty())
        m_failure = syncToDisk(m_file);
}

QString PendingWholeFile::commit()
{
    if (!m_failure.isEmpty())
        return m_failure; // the part file is discarded, the old file stays
    if (!m_file.commit())
        return m_file.errorString();
    return {};
}

QString writeWholeFile(const QString &path, const QByteArray &bytes)
{
    PendingWholeFile file(path, bytes);
    return file.commit();
}

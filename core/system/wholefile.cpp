#include "system/wholefile.h"

#include "system/filecopy.h"

#include <QSaveFile>

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

QString writeWholeFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    // Unbuffered: a buffered QSaveFile flushes its last bytes only inside commit(), which does
    // not see that flush come up short, and commits a cut file as if it were whole.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    if (QString reason = writeAllToDevice(file, bytes.constData(), bytes.size()); !reason.isEmpty())
        return reason; // the part file is discarded, the old file stays
    if (QString reason = syncToDisk(file); !reason.isEmpty())
        return reason;
    if (!file.commit())
        return file.errorString();
    return {};
}

#include "filecopy.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <filesystem>
#include <system_error>

namespace {

std::filesystem::path fileSystemPath(const QString &path)
{
    return std::filesystem::path(path.toStdU16String());
}

QString systemReason(const std::error_code &error)
{
    return QString::fromLocal8Bit(error.message());
}

// Most drawings are a few tens of kilobytes: one read and one write each.
constexpr qint64 copyChunk = 64 * 1024;

constexpr QFileDevice::Permissions drawingPermissions =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
    QFileDevice::WriteUser | QFileDevice::ReadGroup | QFileDevice::ReadOther;

QString copyData(QFile &from, QFileDevice &to)
{
    QByteArray buffer(copyChunk, Qt::Uninitialized);
    for (;;) {
        const qint64 got = from.read(buffer.data(), buffer.size());
        if (got < 0)
            return from.errorString();
        if (got == 0)
            return {};
        if (QString reason = writeAll(to, buffer.constData(), got); !reason.isEmpty())
            return reason;
    }
}

// Copies through Qt's own reads and writes, so that a failure is told in the system's own words
// (the kernel copy reports a short write, a full disk among them, as an input/output error).
QString copyCarefully(const QString &source, const QString &target)
{
    QFile from(source);
    if (!from.open(QIODevice::ReadOnly))
        return from.errorString();

    QString partName;
    {
        QTemporaryFile part(QFileInfo(target).path() + QLatin1String("/.tessaro-copy-XXXXXX"));
        // Unbuffered, so that every short write is seen with its reason (QTemporaryFile keeps
        // the open with a mode protected; QFile's is the same virtual).
        if (!static_cast<QFile &>(part).open(QIODevice::ReadWrite | QIODevice::Unbuffered))
            return part.errorString();
        // A temporary file is private to its owner; a drawing of the library is not.
        part.setPermissions(drawingPermissions);
        if (QString reason = copyData(from, part); !reason.isEmpty())
            return reason; // part removes its file

        // A new drawing takes its name in one step that never replaces anything; should a file
        // of that name appear meanwhile, the copy is reported rather than lost silently.
        if (!QFileInfo::exists(target)) {
            if (!part.rename(target))
                return part.errorString();
            part.setAutoRemove(false);
            return {};
        }
        partName = part.fileName(); // gives the file a name on disk from here on
        part.setAutoRemove(false);
    } // closed: a file still open cannot be renamed everywhere

    // QFile::rename refuses to replace an existing file; the standard library's rename replaces
    // it in one step (rename(2), MoveFileEx with replace on Windows).
    std::error_code error;
    std::filesystem::rename(fileSystemPath(partName), fileSystemPath(target), error);
    if (error) {
        QFile::remove(partName);
        return systemReason(error);
    }
    return {};
}

} // namespace

QString copyFileReplacing(const QString &source, const QString &target)
{
    // The data goes to a part file beside the target, then one rename puts it in the target's
    // place (rename(2), MoveFileEx with replace on Windows): the target is at every moment
    // either the old drawing or the whole new one. QSaveFile would do the same swap but forces
    // each file to disk first, which for thousands of drawings is most of a save's time.
    // copy_file lets the system copy in the kernel and keeps the drawing's permissions.
    const std::filesystem::path from = fileSystemPath(source);
    const std::filesystem::path to = fileSystemPath(target);
    std::filesystem::path part = to;
    part.replace_filename(u".~" + to.filename().u16string() + u".tessaro-part");

    std::error_code error;
    // A part file left by an interrupted save is ours to overwrite.
    std::filesystem::copy_file(from, part, std::filesystem::copy_options::overwrite_existing,
                               error);
    if (!error)
        std::filesystem::rename(part, to, error);
    if (error) {
        std::error_code ignored;
        std::filesystem::remove(part, ignored);
        // Once more the careful way, which either succeeds or says why in the system's words.
        return copyCarefully(source, target);
    }
    return {};
}

QString writeAll(QFileDevice &device, const char *data, qint64 size)
{
    while (size > 0) {
        const qint64 written = device.write(data, size);
        if (written <= 0)
            return device.errorString();
        data += written;
        size -= written;
    }
    return {};
}

QString makeFolder(const QString &path)
{
    std::error_code error;
    std::filesystem::create_directories(fileSystemPath(path), error);
    if (error)
        return systemReason(error);
    return {};
}

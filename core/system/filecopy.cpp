#include "system/filecopy.h"

#include "system/nativepath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <optional>
#include <tuple>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>
#endif

namespace {

#ifdef Q_OS_WIN
// The system's own text for a Windows error code.
QString windowsReason(DWORD code)
{
    wchar_t *text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
    QString reason = length ? QString::fromWCharArray(text, length).trimmed()
                            : QStringLiteral("Windows error %1").arg(code);
    LocalFree(text);
    return reason;
}

// The path in the form that Windows' file calls take at any length ("\\?\C:\..." or
// "\\?\UNC\server\share\..."): absolute, cleaned, with backslashes.
std::wstring longPath(const QString &path)
{
    const QString native = shownPath(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
    QString prefixed;
    if (native.startsWith(QLatin1String("\\\\?\\")))
        prefixed = native;
    else if (native.startsWith(QLatin1String("\\\\")))
        prefixed = QLatin1String("\\\\?\\UNC\\") + native.mid(2);
    else
        prefixed = QLatin1String("\\\\?\\") + native;
    return prefixed.toStdWString();
}

bool isFolder(const std::wstring &path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
#endif

// A file opened by the system's own calls, for the copies of a save: Qt's file class asks the
// system more than a copy needs (its size, its kind), and under Wine each question is a round
// trip that doubled the time of a save. Every result is checked; reason() says why one failed.
class SystemFile
{
public:
    enum class Use
    {
        Read,
        Create
    };

    SystemFile() = default;
    SystemFile(const SystemFile &) = delete;
    SystemFile &operator=(const SystemFile &) = delete;
    ~SystemFile() { close(); }

    // Create makes the file, or empties one that exists, for writing and reading back.
    bool open(const QString &path, Use use)
    {
#ifdef Q_OS_WIN
        const bool create = use == Use::Create;
        m_handle = CreateFileW(
            longPath(path).c_str(), create ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ,
            create ? 0 : FILE_SHARE_READ, nullptr, create ? CREATE_ALWAYS : OPEN_EXISTING,
            FILE_ATTRIBUTE_NORMAL, nullptr);
        return m_handle != INVALID_HANDLE_VALUE || fail();
#else
        const int flags = use == Use::Create ? O_RDWR | O_CREAT | O_TRUNC : O_RDONLY;
        m_fd = ::open(QFile::encodeName(path).constData(), flags | O_CLOEXEC, 0666);
        return m_fd >= 0 || fail();
#endif
    }

    // The file's bytes, as many as it holds when asked: one read where the system gives them
    // all at once (a read that only finds the end costs Wine a round trip).
    bool readToEnd(QByteArray &data)
    {
        const qint64 total = size();
        return total >= 0 && readFromStart(data, total);
    }

    // Up to size bytes from the file's start, wherever it stands; fewer where it is shorter.
    bool readFromStart(QByteArray &data, qint64 size)
    {
        return readFrom(0, data, size);
    }

    // Up to size bytes from offset on; fewer where the file ends before.
    bool readFrom(qint64 offset, QByteArray &data, qint64 size)
    {
        data.resize(size);
        qint64 have = 0;
        while (have < size) {
            const qint64 got = readAt(data.data() + have, size - have, offset + have);
            if (got < 0)
                return false;
            if (got == 0)
                break;
            have += got;
        }
        data.resize(have);
        return true;
    }

    // All of data, going on after a short write until the system says why it stops.
    bool writeWholeBuffer(const QByteArray &data)
    {
        const char *next = data.constData();
        qint64 left = data.size();
        while (left > 0) {
            const qint64 written = write(next, left);
            if (written < 0)
                return false;
            if (written == 0) {
                m_reason = QStringLiteral("the system wrote nothing and gave no reason");
                return false;
            }
            next += written;
            left -= written;
        }
        return true;
    }

    // The file's data on the disk itself, not only in the system's cache, before the part takes
    // the target's place: a copy is then the old file or the whole new one after a power cut
    // too. On Windows each part is flushed; elsewhere the save syncs the library's file system
    // once before its attributes file names the copies (syncFileSystemOf), which costs a
    // fraction of a sync for each file.
    bool flushToDisk()
    {
#ifdef Q_OS_WIN
        return FlushFileBuffers(m_handle) || fail();
#else
        return true;
#endif
    }

    // The file's data on the disk itself on every system: for a whole file that nothing syncs
    // after it.
    bool syncToDisk()
    {
#ifdef Q_OS_WIN
        return flushToDisk();
#else
        return ::fsync(m_fd) == 0 || fail();
#endif
    }

    // Some systems report a lost write only when the file is closed.
    bool close()
    {
#ifdef Q_OS_WIN
        if (m_handle == INVALID_HANDLE_VALUE)
            return true;
        const bool closed = CloseHandle(m_handle);
        m_handle = INVALID_HANDLE_VALUE;
#else
        if (m_fd < 0)
            return true;
        const bool closed = ::close(m_fd) == 0;
        m_fd = -1;
#endif
        return closed || fail();
    }

    QString reason() const
    {
        return m_reason;
    }

    // The file's size in bytes; -1, with the reason kept, when the system cannot tell.
    qint64 size()
    {
#ifdef Q_OS_WIN
        LARGE_INTEGER size{};
        if (!GetFileSizeEx(m_handle, &size)) {
            fail();
            return -1;
        }
        return size.QuadPart;
#else
        struct stat status;
        if (::fstat(m_fd, &status) != 0) {
            fail();
            return -1;
        }
        return status.st_size;
#endif
    }

private:
    qint64 readAt(char *data, qint64 size, qint64 offset)
    {
#ifdef Q_OS_WIN
        OVERLAPPED at{};
        at.Offset = DWORD(offset);
        at.OffsetHigh = DWORD(offset >> 32);
        DWORD got = 0;
        if (!ReadFile(m_handle, data, DWORD(size), &got, &at)) {
            if (GetLastError() == ERROR_HANDLE_EOF)
                return 0;
            fail();
            return -1;
        }
        return got;
#else
        return counted([&] { return ::pread(m_fd, data, size_t(size), off_t(offset)); });
#endif
    }

    qint64 write(const char *data, qint64 size)
    {
#ifdef Q_OS_WIN
        DWORD written = 0;
        if (!WriteFile(m_handle, data, DWORD(size), &written, nullptr)) {
            fail();
            return -1;
        }
        return written;
#else
        return counted([&] { return ::write(m_fd, data, size_t(size)); });
#endif
    }

#ifndef Q_OS_WIN
    // The bytes a read or write call moved, called again while a signal interrupts it; -1,
    // with the reason kept, when it fails.
    template <class Call> qint64 counted(Call call)
    {
        for (;;) {
            const ssize_t moved = call();
            if (moved >= 0)
                return moved;
            if (errno != EINTR) {
                fail();
                return -1;
            }
        }
    }
#endif

    // Keeps the system's reason for the call that just failed; always false.
    bool fail()
    {
#ifdef Q_OS_WIN
        m_reason = windowsReason(GetLastError());
#else
        m_reason = qt_error_string(errno);
#endif
        return false;
    }

#ifdef Q_OS_WIN
    HANDLE m_handle = INVALID_HANDLE_VALUE;
#else
    int m_fd = -1;
#endif
    QString m_reason;
};

constexpr QLatin1String partPrefix(".~");
constexpr QLatin1String partSuffix(".tessaro-part");

bool isPartFileName(const QString &name)
{
    return name.startsWith(partPrefix) && name.endsWith(partSuffix) &&
           name.size() > partPrefix.size() + partSuffix.size();
}

QString partNameOf(const QString &target)
{
    const QFileInfo info(target);
    return info.path() + QLatin1Char('/') + partPrefix + info.fileName() + partSuffix;
}

// A part file goes whatever its attributes: a read-only one (left by an older version, or by a
// copy that kept the source's attributes) would otherwise stay behind in the library.
void removePart(const QString &part)
{
    if (!QFileInfo::exists(part))
        return;
    QFile::setPermissions(part, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QFile::remove(part);
}

// Writes data to a new part file and reads it back: a write that a runtime reported whole but
// the disk did not keep shows here, not in the library. A part file that an interrupted save
// left, even a read-only one, is replaced.
QString writePart(const QString &partName, const QByteArray &data, bool durable = false)
{
    SystemFile part;
    if (!part.open(partName, SystemFile::Use::Create)) {
        if (!QFileInfo::exists(partName))
            return part.reason();
        removePart(partName);
        if (!part.open(partName, SystemFile::Use::Create))
            return part.reason();
    }
    QByteArray back;
    if (!part.writeWholeBuffer(data) || !part.readFromStart(back, data.size()) ||
        !(durable ? part.syncToDisk() : part.flushToDisk()) || !part.close())
        return part.reason();
    if (back != data)
        return QStringLiteral("the copy does not read back as the source (%1 of %2 bytes kept)")
            .arg(back.size())
            .arg(data.size());
    return {};
}

} // namespace

QString partFileOf(const QString &target)
{
    return partNameOf(target);
}

QString writeDurablePart(const QString &part, const QByteArray &data)
{
    const QString reason = writePart(part, data, true);
    if (!reason.isEmpty())
        removePart(part);
    return reason;
}

void removePartFile(const QString &part)
{
    removePart(part);
}

QString replaceFileDurably(const QString &from, const QString &to)
{
#ifdef Q_OS_WIN
    // Write-through: the rename is on the disk when the call returns.
    if (!MoveFileExW(longPath(from).c_str(), longPath(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return windowsReason(GetLastError());
    return {};
#else
    return replaceFile(from, to);
#endif
}

QString syncFolderToDisk([[maybe_unused]] const QString &folder)
{
#ifdef Q_OS_WIN
    return {}; // the rename was written through
#else
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return qt_error_string(errno);
    const bool synced = ::fsync(fd) == 0;
    const int error = errno;
    ::close(fd);
    return synced ? QString() : qt_error_string(error);
#endif
}

CopyOutcome copyFileReplacing(const QString &source, const QString &target)
{
    // A drawing is read whole: bitmaps are small, and the one buffer serves the check too.
    QByteArray data;
    {
        SystemFile from;
        if (!from.open(source, SystemFile::Use::Read) || !from.readToEnd(data))
            return {from.reason(), false};
    }
    const QString partName = partNameOf(target);
    QString reason = writePart(partName, data);
    if (reason.isEmpty())
        reason = replaceFile(partName, target);
    if (!reason.isEmpty())
        removePart(partName);
    return {reason, true};
}

QString syncFileSystemOf([[maybe_unused]] const QString &folder)
{
#if defined(Q_OS_LINUX)
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return qt_error_string(errno);
    const bool synced = ::syncfs(fd) == 0;
    const QString reason = synced ? QString() : qt_error_string(errno);
    ::close(fd);
    return reason;
#elif defined(Q_OS_UNIX)
    ::sync();
    return {};
#else
    return {}; // each part was flushed before its rename
#endif
}

QStringList leftoverParts(const QString &folder)
{
    QStringList parts;
    const QStringList names =
        QDir(folder).entryList({partPrefix + QLatin1Char('*') + partSuffix},
                               QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString &name : names)
        if (isPartFileName(name))
            parts.append(folder + QLatin1Char('/') + name);
    return parts;
}

void removeLeftoverParts(const QString &folder)
{
    for (const QString &part : leftoverParts(folder))
        removePart(part);
}

ContentComparison compareFileContents(const QString &first, const QString &second)
{
    SystemFile files[2];
    const QString paths[2] = {first, second};
    qint64 sizes[2] = {};
    for (int i = 0; i < 2; ++i) {
        if (!files[i].open(paths[i], SystemFile::Use::Read) || (sizes[i] = files[i].size()) < 0)
            return {ContentComparison::Result::Unreadable, paths[i], files[i].reason(),
                    !QFileInfo::exists(paths[i])};
    }
    if (sizes[0] != sizes[1])
        return {ContentComparison::Result::Different, {}, {}, false};
    // Drawings are small, but a folder of them may be large: a piece at a time, stopping at
    // the first piece that differs.
    constexpr qint64 piece = 1 << 16;
    QByteArray read[2];
    for (qint64 at = 0; at < sizes[0]; at += piece) {
        for (int i = 0; i < 2; ++i)
            if (!files[i].readFrom(at, read[i], qMin(piece, sizes[0] - at)))
                return {ContentComparison::Result::Unreadable, paths[i], files[i].reason(), false};
        if (read[0] != read[1])
            return {ContentComparison::Result::Different, {}, {}, false};
    }
    return {ContentComparison::Result::Same, {}, {}, false};
}

QString replaceFile(const QString &from, const QString &to)
{
    // QFile::rename refuses to replace an existing file; the system's rename replaces it in one
    // step.
#ifdef Q_OS_WIN
    if (!MoveFileExW(longPath(from).c_str(), longPath(to).c_str(), MOVEFILE_REPLACE_EXISTING))
        return windowsReason(GetLastError());
#else
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        return qt_error_string(errno);
#endif
    return {};
}

bool isSameFile(const QString &first, const QString &second)
{
#ifdef Q_OS_WIN
    // Names alone do not tell: letter case, short names and other paths to one folder.
    const auto identity =
        [](const QString &path) -> std::optional<std::tuple<DWORD, DWORD, DWORD>> {
        const HANDLE file = CreateFileW(
            longPath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
            nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return std::nullopt;
        BY_HANDLE_FILE_INFORMATION info{};
        const bool known = GetFileInformationByHandle(file, &info);
        CloseHandle(file);
        if (!known)
            return std::nullopt;
        return std::tuple{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
    };
    const auto one = identity(first);
    return one && one == identity(second);
#else
    std::error_code error;
    return std::filesystem::equivalent(std::filesystem::path(first.toStdU16String()),
                                       std::filesystem::path(second.toStdU16String()), error) &&
           !error;
#endif
}

QString writeAllToDevice(QFileDevice &device, const char *data, qint64 size)
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
#ifdef Q_OS_WIN
    // Each missing folder from the root down, by the long form of its path.
    const std::wstring whole = longPath(path);
    if (isFolder(whole))
        return {};
    // Past "\\?\C:\" or "\\?\UNC\server\share\" every separator ends a folder to make.
    const bool unc = whole.rfind(L"\\\\?\\UNC\\", 0) == 0;
    std::size_t at = unc ? whole.find(L'\\', whole.find(L'\\', 8) + 1) : whole.find(L'\\', 4);
    while (at != std::wstring::npos) {
        at = whole.find(L'\\', at + 1);
        const std::wstring folder = whole.substr(0, at);
        if (folder.empty() || folder.back() == L'\\' || isFolder(folder))
            continue;
        if (!CreateDirectoryW(folder.c_str(), nullptr) && !isFolder(folder))
            return windowsReason(GetLastError());
    }
    return {};
#else
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path.toStdU16String()), error);
    if (error)
        return QString::fromLocal8Bit(error.message());
    return {};
#endif
}

#pragma once

// The system's own file calls behind the copies of a save, for the few files of core/system
// that write drawings; the rest of the program uses Qt's files.

#include "system/nativepath.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#ifdef Q_OS_WIN
#include <qt_windows.h>

#include <string>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

#ifdef Q_OS_WIN
// The system's own text for a Windows error code.
inline QString windowsReason(DWORD code)
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
inline std::wstring longPath(const QString &path)
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

inline bool isFolder(const std::wstring &path)
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

    // Starts writing the file's data to the disk without waiting for it (Linux), so that the
    // data of many files is on its way together and the later syncToDisk of each finds little
    // left to do. Nothing elsewhere: Windows has no such call.
    void startWriteBack()
    {
#ifdef Q_OS_LINUX
        ::sync_file_range(m_fd, 0, 0, SYNC_FILE_RANGE_WRITE);
#endif
    }

    // The file's data, and what is needed to read it back, on the disk itself, not only in the
    // system's cache.
    bool syncToDisk()
    {
#ifdef Q_OS_WIN
        return FlushFileBuffers(m_handle) || fail();
#else
        return ::fdatasync(m_fd) == 0 || fail();
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

// Writes data to the part file partName through part, which it opens (a part file that an
// interrupted save left, even a read-only one, is replaced), and reads it back: a write that a
// runtime reported whole but the disk did not keep shows here, not in the library. The part
// stays open for the caller to force to the disk. Returns the system's reason on failure.
QString writePartFile(SystemFile &part, const QString &partName, const QByteArray &data);

#pragma once

// Real files for tests: whole-file reads and writes, and a full disk made on demand.

#include <QByteArray>
#include <QFile>
#include <QString>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#endif

// The file's bytes; "<unreadable>" when it is missing or cannot be read, so that a missing
// file never passes for an empty one.
inline QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The system's own words for a write on a full disk.
inline QString diskFullReason()
{
#ifdef Q_OS_WIN
    return qt_error_string(ERROR_DISK_FULL);
#else
    return QString::fromLocal8Bit(std::strerror(ENOSPC));
#endif
}

// Permissions do not stop the superuser, so tests of unwritable folders skip under it.
inline bool runningAsRoot()
{
#ifdef Q_OS_UNIX
    return ::geteuid() == 0;
#else
    return false;
#endif
}

#ifdef Q_OS_UNIX
// While it lives, every write of this process past limit bytes fails as on a full disk,
// whoever runs the test.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t limit)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = m_old;
        lowered.rlim_cur = limit;
        ::setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    // The system's own words for a write past the limit.
    static QString reason() { return QString::fromLocal8Bit(std::strerror(EFBIG)); }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};
#endif

#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#if defined(Q_OS_LINUX)
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#elif defined(Q_OS_WIN)
#include "hostcommand.h"

#include <QStorageInfo>
#endif

// A small RAM file system of its own, mounted on an empty folder for the life of the object,
// so that a test can fill it up or make it read-only. Only the superuser may mount; why a
// volume could not be had is in failure().
//
// On Windows this works under Wine only: the folder (a drive letter of the test's prefix, such
// as the E: that cmake/wine-run.sh maps) stands for a folder of the host, which Wine names, and
// the host mounts the file system there (Wine starts host programs). Windows then sees a full
// or read-only volume exactly as it would see a real one.
class MountedVolume
{
public:
    MountedVolume(const QString &folder, qint64 bytes) : m_folder(folder)
    {
#if defined(Q_OS_LINUX)
        if (::geteuid() != 0) {
            m_failure = QStringLiteral("mounting a file system needs the superuser");
            return;
        }
        const QByteArray options = "size=" + QByteArray::number(bytes) + ",mode=0755";
        if (::mount("tessaro-test", hostFolder().constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                    options.constData()) != 0) {
            m_failure = QStringLiteral("this system does not let the test mount a file system (%1)")
                            .arg(QString::fromLocal8Bit(std::strerror(errno)));
            return;
        }
        m_mounted = true;
#elif defined(Q_OS_WIN)
        if (hostFolder().isEmpty()) {
            m_failure = QStringLiteral("only the host of a Wine prefix can mount a RAM file system "
                                       "behind a Windows folder, and this is not Wine");
            return;
        }
        HostCommand::start("mount -t tmpfs -o size=" + QByteArray::number(bytes) +
                           ",mode=0755 tessaro-test '" + hostFolder() + "'");
        m_bytes = bytes;
        if (!HostCommand::waitFor([this] { return isOwnVolume(); })) {
            m_failure = QStringLiteral("the host did not mount a RAM file system behind %1 "
                                       "(mounting needs the superuser there)")
                            .arg(QDir::toNativeSeparators(m_folder));
            return;
        }
        m_mounted = true;
#else
        Q_UNUSED(bytes);
        m_failure = QStringLiteral("only Linux, or Wine on Linux, mounts a RAM file system here");
#endif
    }
    ~MountedVolume()
    {
        if (!m_mounted)
            return;
#if defined(Q_OS_LINUX)
        ::umount2(hostFolder().constData(), MNT_DETACH);
#elif defined(Q_OS_WIN)
        HostCommand::start("umount -l '" + hostFolder() + "'");
        // The next test may mount here again: not before this one is gone.
        HostCommand::waitFor([this] { return !isOwnVolume(); });
#endif
    }
    MountedVolume(const MountedVolume &) = delete;
    MountedVolume &operator=(const MountedVolume &) = delete;

    // Where a test's own volume goes: on Windows drive E:, which cmake/wine-run.sh maps to an
    // empty folder of the host; elsewhere the folder "volume" in testFolder, made here.
    static QString folderIn(const QString &testFolder)
    {
#ifdef Q_OS_WIN
        Q_UNUSED(testFolder);
        return QStringLiteral("E:/");
#else
        const QString folder = testFolder + QLatin1String("/volume");
        QDir().mkpath(folder);
        return folder;
#endif
    }

    bool mounted() const
    {
        return m_mounted;
    }
    QString failure() const
    {
        return m_failure;
    }

    bool makeReadOnly()
    {
#if defined(Q_OS_LINUX)
        return ::mount(nullptr, hostFolder().constData(), nullptr, MS_REMOUNT | MS_RDONLY,
                       nullptr) == 0;
#elif defined(Q_OS_WIN)
        // The probe below opens a file for writing, and a remount meets such a file with
        // "mount point is busy": the host tries again until the probe is closed.
        HostCommand::start("i=0; until mount -o remount,ro '" + hostFolder() +
                           "'; do i=$((i+1)); [ $i -lt 50 ] || exit 1; sleep 0.2; done");
        return HostCommand::waitFor([this] {
            QFile probe(m_folder + QLatin1String("/.read-only-probe"));
            if (!probe.open(QIODevice::WriteOnly))
                return true;
            probe.remove();
            return false;
        });
#else
        return false;
#endif
    }

    // Writes a filler file in steps of one page until the volume is full, then gives back
    // spare bytes (whole pages) so that exactly that much room is left.
    bool fill(const QString &fillerPath, qint64 spare = 0)
    {
        QFile filler(fillerPath);
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return false;
        const QByteArray page(4096, 'x');
        while (filler.write(page) == page.size()) {
        }
        filler.close();
        return spare == 0 || filler.resize(std::max<qint64>(0, filler.size() - spare));
    }

private:
#if defined(Q_OS_WIN)
    QByteArray hostFolder() const
    {
        return HostCommand::unixNameOf(m_folder);
    }

    bool isOwnVolume() const
    {
        const QStorageInfo volume(m_folder);
        return volume.isValid() && volume.bytesTotal() <= m_bytes + 4096;
    }
#else
    QByteArray hostFolder() const
    {
        return QFile::encodeName(m_folder);
    }
#endif

    QString m_folder;
    qint64 m_bytes = 0;
    bool m_mounted = false;
    QString m_failure;
};

#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#ifdef Q_OS_LINUX
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

// A small RAM file system of its own, mounted on an empty folder for the life of the object,
// so that a test can fill it up or make it read-only. Only the superuser may mount; why a
// volume could not be had is in failure().
class MountedVolume
{
public:
    MountedVolume(const QString &folder, qint64 bytes) : m_folder(folder.toLocal8Bit())
    {
        if (::geteuid() != 0) {
            m_failure = QStringLiteral("mounting a file system needs the superuser");
            return;
        }
        const QByteArray options = "size=" + QByteArray::number(bytes) + ",mode=0755";
        if (::mount("tessaro-test", m_folder.constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                    options.constData()) != 0) {
            m_failure = QStringLiteral("this system does not let the test mount a file system (%1)")
                            .arg(QString::fromLocal8Bit(std::strerror(errno)));
            return;
        }
        m_mounted = true;
    }
    ~MountedVolume()
    {
        if (m_mounted)
            ::umount2(m_folder.constData(), MNT_DETACH);
    }
    MountedVolume(const MountedVolume &) = delete;
    MountedVolume &operator=(const MountedVolume &) = delete;

    bool mounted() const { return m_mounted; }
    QString failure() const { return m_failure; }

    bool makeReadOnly()
    {
        return ::mount(nullptr, m_folder.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) ==
               0;
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
    QByteArray m_folder;
    bool m_mounted = false;
    QString m_failure;
};
#endif

#include "drivelist.h"

#include "system/nativepath.h"

#include <QDir>
#include <QSignalBlocker>
#include <QStorageInfo>

#include <algorithm>

namespace {

#ifndef Q_OS_WIN
// Kernel and container file systems that hold no user's files.
bool isPseudoFileSystem(const QStorageInfo &volume)
{
    static const QList<QByteArray> pseudo = {
        "proc",       "sysfs",     "devtmpfs", "devpts",  "cgroup",      "cgroup2",
        "securityfs", "pstore",    "debugfs",  "tracefs", "configfs",    "fusectl",
        "mqueue",     "hugetlbfs", "bpf",      "autofs",  "binfmt_misc", "efivarfs",
        "rpc_pipefs", "nsfs",      "squashfs", "ramfs",   "selinuxfs",   "overlay_internal"};
    if (pseudo.contains(volume.fileSystemType()))
        return true;
    const QString root = volume.rootPath();
    // Memory-backed file systems hold scratch files, not a user's drawings.
    if (volume.fileSystemType() == "tmpfs")
        return true;
    return root.startsWith(QLatin1String("/proc")) || root.startsWith(QLatin1String("/sys")) ||
           root.startsWith(QLatin1String("/dev")) || root.startsWith(QLatin1String("/snap"));
}

#endif

#ifdef Q_OS_WIN
constexpr Qt::CaseSensitivity pathCase = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity pathCase = Qt::CaseSensitive;
#endif

} // namespace

DriveList::DriveList(QWidget *parent) : QComboBox(parent)
{
    setEditable(false);
    setDriveRoots(hostDriveRoots());
    connect(this, &QComboBox::currentIndexChanged, this, [this](int index) {
        const QString root = itemData(index).toString();
        if (root == m_current)
            return;
        m_current = root;
        Q_EMIT driveChanged();
    });
}

QStringList DriveList::hostDriveRoots()
{
    QStringList roots;
#ifdef Q_OS_WIN
    for (const QFileInfo &drive : QDir::drives())
        roots.append(nativeFolder(drive.absolutePath()));
#else
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || isPseudoFileSystem(volume))
            continue;
        const QString root = nativeFolder(volume.rootPath());
        if (!roots.contains(root))
            roots.append(root);
    }
    if (!roots.contains(QStringLiteral("/")))
        roots.prepend(QStringLiteral("/"));
    std::sort(roots.begin(), roots.end());
#endif
    return roots;
}

void DriveList::setDriveRoots(const QStringList &roots)
{
    const QSignalBlocker blocker(this);
    clear();
    for (const QString &root : roots) {
        const QString native = nativeFolder(root);
        const QStorageInfo volume(native);
        const QString name = volume.isValid() ? volume.displayName() : QString();
        // A volume without a label is named by its root, on Windows with "/" ("C:/"): that is
        // no name worth showing beside the root itself.
        const QString shown = name.isEmpty() || shownPath(name) == native
                                  ? native
                                  : native + QLatin1String(" [") + name + QLatin1Char(']');
        addItem(shown, native);
    }
    const QString wanted = driveOf(QDir::currentPath());
    const int index = findData(wanted);
    setCurrentIndex(index >= 0 ? index : 0);
    m_current = itemData(currentIndex()).toString();
}

QStringList DriveList::driveRoots() const
{
    QStringList roots;
    for (int i = 0; i < count(); ++i)
        roots.append(itemData(i).toString());
    return roots;
}

QString DriveList::drive() const
{
    return m_current;
}

void DriveList::setDrive(const QString &root)
{
    int index = findData(nativeFolder(root));
    if (index < 0) {
        // Not a listed drive (one that has gone away meanwhile): list it so it can be picked.
        addItem(nativeFolder(root), nativeFolder(root));
        index = count() - 1;
    }
    setCurrentIndex(index);
}

QString DriveList::driveOf(const QString &path) const
{
    const QString native = shownPath(QDir::cleanPath(path));
    QString best;
    for (int i = 0; i < count(); ++i) {
        const QString root = itemData(i).toString();
        const QString prefix = folderWithSeparator(root);
        const bool holds = native.compare(root, pathCase) == 0 ||
                           native.startsWith(prefix, pathCase) ||
                           native + QDir::separator() == prefix;
        if (holds && root.size() > best.size())
            best = root;
    }
    return best;
}

#include "folderwatch.h"

#include <QDir>
#include <QFileInfo>

namespace {

// Copying many drawings changes a folder thousands of times; the list is read again this long
// after the first change, once for all changes made meanwhile, not once for each.
constexpr int settleMs = 150;

} // namespace

FolderWatch::FolderWatch(QObject *parent) : QObject(parent)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(settleMs);
    connect(&m_settle, &QTimer::timeout, this, &FolderWatch::changed);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, [this] {
        if (!m_settle.isActive())
            m_settle.start();
    });
}

void FolderWatch::watch(const QString &folder)
{
    const QString path = QDir::cleanPath(QDir(folder).absolutePath());
    if (m_watcher.directories() == QStringList{path})
        return;
    if (!m_watcher.directories().isEmpty())
        m_watcher.removePaths(m_watcher.directories());
    m_settle.stop();
    // A folder that cannot be read is not watched; the list shows it as it was read.
    if (QFileInfo(path).isDir())
        m_watcher.addPath(path);
}

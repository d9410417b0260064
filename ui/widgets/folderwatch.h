#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

// Watches one folder for entries made, renamed or removed, and tells a little after a change,
// once for all the changes of that moment, so that a list showing the folder can read it again.
class FolderWatch : public QObject
{
    Q_OBJECT

public:
    explicit FolderWatch(QObject *parent);

    // Watches folder instead of the folder watched so far.
    void watch(const QString &folder);
    // A change was seen and not yet told: what was read of the folder may be out of date.
    bool changeWaiting() const { return m_settle.isActive(); }

Q_SIGNALS:
    void changed();

private:
    QFileSystemWatcher m_watcher;
    QTimer m_settle;
};

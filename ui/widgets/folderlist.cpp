#include "folderlist.h"

#include "folderwatch.h"
#include "system/nativepath.h"
#include "window/filemanagerorder.h"

#include <QDir>
#include <QKeyEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>

namespace {

// The folder and its ancestors, root first.
QStringList chainOf(const QString &folder)
{
    QStringList chain;
    QDir dir(folder);
    chain.prepend(nativeFolder(dir.absolutePath()));
    while (dir.cdUp())
        chain.prepend(nativeFolder(dir.absolutePath()));
    return chain;
}

QString shownName(const QString &nativePath)
{
    const QString name = QDir(nativePath).dirName();
    return name.isEmpty() ? nativePath : name;
}

} // namespace

FolderList::FolderList(QWidget *parent) : QListWidget(parent), m_watch(new FolderWatch(this))
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemActivated, this, &FolderList::openItem);
    connect(m_watch, &FolderWatch::changed, this, &FolderList::refresh);
    fill(QDir::currentPath());
}

bool FolderList::setPath(const QString &folder)
{
    const QString before = m_path;
    if (!fill(folder))
        return false;
    if (m_path != before)
        Q_EMIT pathChanged();
    return true;
}

void FolderList::refresh()
{
    const QString underCursor =
        currentItem() ? currentItem()->data(Qt::UserRole).toString() : QString();
    const int scrolled = verticalScrollBar()->value();
    if (!fill(m_path))
        return;
    const QSignalBlocker blocker(this);
    for (int row = 0; row < count(); ++row)
        if (item(row)->data(Qt::UserRole).toString() == underCursor)
            setCurrentRow(row);
    verticalScrollBar()->setValue(scrolled);
}

void FolderList::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentItem()) {
        openItem(currentItem());
        return;
    }
    QListWidget::keyPressEvent(event);
}

void FolderList::openItem(QListWidgetItem *item)
{
    if (item)
        setPath(item->data(Qt::UserRole).toString());
}

bool FolderList::fill(const QString &folder)
{
    const QString native = nativeFolder(folder);
    QDir dir(native);
    if (!dir.exists() || !dir.isReadable())
        return false;
    QStringList subFolders = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    sortAsFileManager(subFolders);

    const QSignalBlocker blocker(this);
    clear();
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);
    const QStringList chain = chainOf(native);
    int depth = 0;
    for (const QString &ancestor : chain) {
        auto *item = new QListWidgetItem(
            openIcon, QString(depth * 2, QLatin1Char(' ')) + shownName(ancestor), this);
        item->setData(Qt::UserRole, ancestor);
        ++depth;
    }
    QListWidgetItem *current = item(count() - 1);
    // The open folder stands out from one that a single click only put the cursor on. Only the
    // weight is set, so the list's own font still applies.
    QFont open;
    open.setBold(true);
    current->setFont(open);
    for (const QString &name : subFolders) {
        auto *child =
            new QListWidgetItem(closedIcon, QString(depth * 2, QLatin1Char(' ')) + name, this);
        child->setData(Qt::UserRole, nativeFolder(dir.absoluteFilePath(name)));
    }
    setCurrentItem(current);
    m_path = native;
    m_watch->watch(native);
    return true;
}

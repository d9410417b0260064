#include "filelist.h"

#include "filemanagerorder.h"

#include <QDir>
#include <QSignalBlocker>

FileList::FileList(QWidget *parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemSelectionChanged, this, [this] {
        if (!selectedItems().isEmpty())
            Q_EMIT selectionMoved();
    });
    setPath(QDir::currentPath());
}

QStringList FileList::drawingsIn(const QString &folder)
{
    // The pattern is matched without regard to case, so that X.BMP shows as well as x.bmp.
    QStringList names;
    for (const QString &name : QDir(folder).entryList(QDir::Files))
        if (name.endsWith(QLatin1String(".bmp"), Qt::CaseInsensitive))
            names.append(name);
    sortAsFileManager(names);
    return names;
}

void FileList::setPath(const QString &folder)
{
    const QSignalBlocker blocker(this);
    clear();
    addItems(drawingsIn(folder));
    setCurrentRow(-1);
    clearSelection();
    m_path = QDir::toNativeSeparators(folder);
}

QString FileList::selectedFileName() const
{
    const QList<QListWidgetItem *> selected = selectedItems();
    return selected.isEmpty() ? QString() : selected.constFirst()->text();
}

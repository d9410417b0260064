#include "entrylistkeys.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QListWidget>

EntryListKeys::EntryListKeys(QListWidget *list) : QObject(list), m_list(list)
{
    list->installEventFilter(this);
    list->viewport()->installEventFilter(this);
    connect(list, &QListWidget::itemDoubleClicked, this, &EntryListKeys::editRequested);
}

bool EntryListKeys::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ContextMenu) {
        const auto *menu = static_cast<QContextMenuEvent *>(event);
        QPoint at = menu->globalPos();
        if (menu->reason() == QContextMenuEvent::Mouse) {
            if (QListWidgetItem *item = m_list->itemAt(m_list->viewport()->mapFromGlobal(at)))
                m_list->setCurrentItem(item);
        } else if (const QListWidgetItem *current = m_list->currentItem()) {
            // From the keyboard: beside the current entry, as Windows places it.
            at = m_list->viewport()->mapToGlobal(m_list->visualItemRect(current).bottomLeft());
        } else {
            at = m_list->mapToGlobal(QPoint(0, 0));
        }
        Q_EMIT menuRequested(at);
        return true;
    }
    if (watched != m_list || event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::NoModifier) {
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            Q_EMIT editRequested();
            return true;
        case Qt::Key_Delete:
            Q_EMIT removeRequested();
            return true;
        default:
            return false;
        }
    }
    if (modifiers == Qt::ControlModifier &&
        (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
        Q_EMIT moveRequested(key->key() == Qt::Key_Up ? -1 : 1);
        return true;
    }
    return false;
}

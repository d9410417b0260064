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

void EntryListKeys::requestMenuFromKeyboard()
{
    // Beside the current entry, as Windows places it; at the list's corner without one.
    const QListWidgetItem *current = m_list->currentItem();
    Q_EMIT menuRequested(
        current ? m_list->viewport()->mapToGlobal(m_list->visualItemRect(current).bottomLeft())
                : m_list->mapToGlobal(QPoint(0, 0)));
}

bool EntryListKeys::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ContextMenu) {
        const auto *menu = static_cast<QContextMenuEvent *>(event);
        if (menu->reason() != QContextMenuEvent::Mouse) {
            requestMenuFromKeyboard();
            return true;
        }
        if (QListWidgetItem *item =
                m_list->itemAt(m_list->viewport()->mapFromGlobal(menu->globalPos())))
            m_list->setCurrentItem(item);
        Q_EMIT menuRequested(menu->globalPos());
        return true;
    }
    if (watched != m_list || event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    // Taken here rather than left to the system's context-menu event, which not every platform
    // makes of these keys.
    if ((key->key() == Qt::Key_Menu && modifiers == Qt::NoModifier) ||
        (key->key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier)) {
        requestMenuFromKeyboard();
        return true;
    }
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

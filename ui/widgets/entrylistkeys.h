#pragma once

#include <QObject>
#include <QPoint>

class QListWidget;

// What a Windows list lets one do to its current item, for the library list: Enter and a double
// click edit it, Delete removes it, Ctrl+Up and Ctrl+Down move it, and a right click, Shift+F10
// or the Menu key ask for its context menu. A right click makes the item under the mouse
// current first. Every other key and click goes to the list as before.
class EntryListKeys : public QObject
{
    Q_OBJECT

public:
    explicit EntryListKeys(QListWidget *list);

Q_SIGNALS:
    void editRequested();
    void removeRequested();
    void moveRequested(int step); // -1 up, +1 down
    void menuRequested(const QPoint &globalPosition);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void requestMenuFromKeyboard();

    QListWidget *m_list;
};

#pragma once

#include <QListWidget>

class FolderWatch;

// The folder list: the current folder's ancestors, from the drive's root down, then its
// sub-folders. Double-click or Enter opens the folder under the cursor; the list's value is
// the path of the open folder, which is shown in bold. Sub-folders made, renamed or removed on
// disk while the list shows them appear and disappear by themselves.
class FolderList : public QListWidget
{
    Q_OBJECT

public:
    explicit FolderList(QWidget *parent = nullptr);

    // The open folder in native form, without a final separator except for a root.
    QString path() const { return m_path; }
    // Opens folder; runs pathChanged only when the path really changes. Returns false, and
    // leaves the list as it was, when the folder cannot be read.
    bool setPath(const QString &folder);

    // Reads the open folder again, keeping the folder under the cursor and the scroll
    // position; emits nothing.
    void refresh();

Q_SIGNALS:
    void pathChanged();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void openItem(QListWidgetItem *item);
    bool fill(const QString &folder);

    QString m_path;
    FolderWatch *m_watch = nullptr;
};

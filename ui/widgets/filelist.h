#pragma once

#include <QListWidget>

class FolderWatch;

// The file list: the drawings ("*.bmp", whatever the letter case of the extension) of one
// folder, sorted as a file manager sorts them. At most one item is selected. Drawings made,
// renamed or removed on disk while the list shows them appear and disappear by themselves.
class FileList : public QListWidget
{
    Q_OBJECT

public:
    explicit FileList(QWidget *parent = nullptr);

    QString path() const { return m_path; }
    // Lists folder's drawings with no item selected; emits nothing.
    void setPath(const QString &folder);
    // Reads the folder again, keeping the selected drawing (while it is there) and the scroll
    // position; emits nothing.
    void refresh();

    // Selects the drawing named name (letter case ignored where the system ignores it) as the
    // program's own choice: emits nothing. False, with nothing selected, when it is not listed.
    bool selectFileQuietly(const QString &name);
    // The selected file name, or an empty text.
    QString selectedFileName() const;

Q_SIGNALS:
    // The selection moved to another file, by mouse or keyboard.
    void selectionMoved();

protected:
    void changeEvent(QEvent *event) override;

private:
    void fill(const QString &folder);
    void fitRowsToWidestName();

    QString m_path;
    FolderWatch *m_watch = nullptr;
};

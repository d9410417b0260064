#pragma once

#include <QListWidget>
#include <QSet>

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

    // Whether path is an ordinary file (isOrdinaryFile), answered from the list's own reading of
    // its folder for the drawings of that folder: the selection and Add ask for up to 40
    // variation drawings each, and a folder may hold thousands. Elsewhere, and while a change
    // of the folder waits to be read, the system answers.
    bool holdsFile(const QString &path) const;

Q_SIGNALS:
    // The selection moved to another file, by mouse or keyboard.
    void selectionMoved();

protected:
    void changeEvent(QEvent *event) override;

private:
    void fill(const QString &folder);
    void fitRowsToWidestName();

    QString m_path;
    QString m_listedFolder;        // the folder read last, cleaned, with "/"
    QSet<QString> m_listed;        // its drawings' fileNameKey
    mutable QString m_askedFolder; // the folder holdsFile was asked about last, as given
    mutable bool m_askedFolderListed = false;
    FolderWatch *m_watch = nullptr;
};

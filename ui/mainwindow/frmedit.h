#pragma once

#include "library/entrytables.h"
#include "library/sameplace.h"
#include "modalexchange.h"
#include "site/sitelocations.h"

#include <QMainWindow>
#include <QStringList>

#include <array>
#include <memory>
#include <optional>

class QCheckBox;
class QCloseEvent;
class QComboBox;
class QMenu;
struct LibraryEntry;

namespace Ui {
class FrmEdit;
}

// The main window: the library being composed, the drawing being looked at and the attribute
// controls from which an entry is composed. Every command is one handler of this window.
class FrmEdit : public QMainWindow
{
    Q_OBJECT

    // The entries: their lines (shown by lstLibraryFile), bytes, folders and statuses. First,
    // since entryFolder and entryStatus below name two of its tables.
    EntryTables m_entries;

public:
    // Shows real Qt dialogs.
    explicit FrmEdit(QWidget *parent = nullptr);
    // Routes every message box, input box, file dialog and busy pointer through exchange.
    explicit FrmEdit(std::unique_ptr<ModalExchange> exchange, QWidget *parent = nullptr);
    ~FrmEdit() override;

    // Library state.
    QString libraryMode;   // "---" no library, "NEW" created and never saved, "UPD" read or written
    QString libraryFile;   // the typed name, later the full path of the attributes file
    QString libraryFolder; // the attributes file's path cut before the first "." of its name
    qint16 entryCount = 0;
    // Per entry in list order: the folder its drawing is copied from.
    QStringList &entryFolder = m_entries.entryFolder;
    // Per entry in list order: "N" added here, "O" read from the file.
    QStringList &entryStatus = m_entries.entryStatus;

    // Drawing state.
    QString sourceFolder;    // the folder whose drawings File1 lists
    QString drawingFileName; // the drawing last selected in File1, without folder
    QString drawingFolder;   // the folder File1 showed when drawingFileName was selected

    // Where the HTML command publishes; tests point it at a temporary site tree.
    SiteLocations siteLocations = SiteLocations::standard();

    // Check box groups, one array each; members are named group + "_" + index.
    std::array<QCheckBox *, 7> chkEPO{}; // members 1..6, no member 0
    std::array<QCheckBox *, 3> chkOL{};
    std::array<QCheckBox *, 2> chkSAR{};
    std::array<QCheckBox *, 3> chkLR{};
    std::array<QCheckBox *, 2> chkSW{};
    std::array<QCheckBox *, 2> chkPP{};
    std::array<QCheckBox *, 2> chkDT{};
    std::array<QCheckBox *, 2> chkVR{};

    ModalExchange &exchange() { return *m_exchange; }

    // Handlers of the controls and menu items.
    void addEntry();
    void eraseLastEntry();
    // The library list's own commands, on its current entry (its context menu and keys).
    void editEntry();
    void replaceEntry(); // the entry editEntry loaded, wherever it now stands
    void removeEntry();
    void moveEntry(int step); // -1 up, +1 down
    // The checks of tessaro-check on the library as the list holds it (F7, the list's menu).
    void checkLibrary();
    void newLibrary();
    void openLibrary();
    void saveLibrary();
    void exitProgram();
    void publishHtml();
    void showHelp();
    void showAbout();
    void driveChanged();
    void folderChanged();
    void fileSelected();
    void showDrawing();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void loadWindow();
    void collectCheckBoxGroups();
    void connectHandlers();
    void applyDesignFonts();
    void complementRule(const std::array<QCheckBox *, 2> &group, int index);
    void singleChoiceRule(const std::array<QCheckBox *, 3> &group, int index);
    LibraryEntry entryFromControls() const;
    // The line the form describes, through every check of Add (the same-place rule leaving out
    // the entry replacing would replace), or nullopt once a refusal was shown.
    std::optional<QString> lineFromForm(qsizetype replacing);
    // Shows a mend of the entry tables in the list and follows it with the current entry, the
    // edited entry and entryCount.
    void showMend(const EntryMend &mend);
    // The entry's drawing made the chosen drawing, without the pre-sets of a selection; and
    // every attribute control set from the entry.
    void chooseEntryDrawing(const QString &folder, const QString &fileName);
    void setControls(const LibraryEntry &entry);
    void connectEntryMenu();
    void focusControl(const QString &control, int member);
    void showLibraryFileCaption();
    bool askDiscardChanges();
    // Entries added or erased since the last open or completed save, or a new library never
    // saved: work that only the window holds.
    bool hasUnsavedWork() const;
    // The list's items are the entry lines: one changed from outside the mends (by a test,
    // an accessibility client) is taken into the tables, in the code page.
    void takeLinesFromList();
    // The entries of the list with where their drawings come from.
    QList<EntrySource> entrySources() const;

    std::unique_ptr<Ui::FrmEdit> ui;
    std::unique_ptr<ModalExchange> m_exchange;
    bool m_exitConfirmed = false;
    bool m_entriesChanged = false; // since the last open or completed save
    qsizetype m_editedEntry = -1;  // the entry editEntry loaded, while it is in the list
    QMenu *m_entryMenu = nullptr;
};

#pragma once

#include "library/sameplace.h"
#include "modalexchange.h"
#include "site/sitelocations.h"

#include <QMainWindow>
#include <QStringList>

#include <array>
#include <memory>

class QCheckBox;
class QCloseEvent;
struct LibraryEntry;

namespace Ui {
class FrmEdit;
}

// The main window: the library being composed, the drawing being looked at and the attribute
// controls from which an entry is composed. Every command is one handler of this window.
class FrmEdit : public QMainWindow
{
    Q_OBJECT

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
    QStringList entryFolder; // per entry in list order: the folder its drawing is copied from
    QStringList entryStatus; // per entry in list order: "N" added here, "O" read from the file

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
    void focusControl(const QString &control, int member);
    void showLibraryFileCaption();
    bool askDiscardChanges();
    // Entries added or erased since the last open or completed save, or a new library never
    // saved: work that only the window holds.
    bool hasUnsavedWork() const;
    // Puts the library's entries read from a file into the list, each with the bytes it was
    // read from, its status and its folder slot.
    void setEntries(const QStringList &lines, const QList<QByteArray> &lineBytes,
                    const QString &status);
    // The entry lines of the list as a save writes them: a line read from the file as the
    // bytes it was read from, a line added here in the code page.
    QList<QByteArray> entryLineBytes() const;
    // The entries of the list (the first entryCount) with where their drawings come from.
    QList<EntrySource> entrySources() const;

    std::unique_ptr<Ui::FrmEdit> ui;
    std::unique_ptr<ModalExchange> m_exchange;
    bool m_exitConfirmed = false;
    bool m_entriesChanged = false; // since the last open or completed save
};

#include "frmedit.h"

#include "checking/linecheck.h"
#include "entry/entryfromline.h"
#include "entry/entryline.h"
#include "entrylistkeys.h"
#include "library/librarystate.h"
#include "system/nativepath.h"
#include "text/blanks.h"
#include "ui_frmedit.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QMenu>

// The library list's commands mend one entry where it stands: they are reached by its context
// menu and its keys only, so that the window of the design stays as it was for everyone else.

namespace {

QString cannotEditMessage(qsizetype entry, const UnreadableField &field)
{
    const QString columns = field.width > 0 ? columnsText(field.column, field.width)
                                            : QStringLiteral("column %1 on").arg(field.column);
    return QStringLiteral("Entry %1 cannot be edited: its %2 (%3) holds \"%4\", which the form "
                          "cannot show as Add to Library would write it.")
        .arg(QString::number(entry + 1), field.name, columns, field.held);
}

// The combo box item whose code (its first width characters) is code, shown as when chosen from
// the list; a code of no item as typed text.
void showCode(QComboBox *box, const QString &code, qsizetype width)
{
    for (int i = 0; i < box->count(); ++i)
        if (box->itemText(i).left(width) == code) {
            box->setCurrentIndex(i);
            return;
        }
    box->setCurrentIndex(-1);
    box->setEditText(code);
}

// Each box of a group ticked or unticked; the unticking first, so that the interlocks never see
// two ticked boxes of a single-choice group.
template <std::size_t N>
void tickOnly(const std::array<QCheckBox *, N> &group, const std::array<bool, N> &ticked)
{
    for (std::size_t i = 0; i < N; ++i)
        if (!ticked[i])
            group[i]->setChecked(false);
    for (std::size_t i = 0; i < N; ++i)
        if (ticked[i])
            group[i]->setChecked(true);
}

} // namespace

void FrmEdit::editEntry()
{
    const qsizetype row = ui->lstLibraryFile->currentRow();
    if (libraryMode == noLibrary || row < 0 || row >= m_entries.count())
        return;
    takeLinesFromList();
    const QString &line = m_entries.lines.at(row);
    // An entry read from the file has its drawing in its type folder of the library folder;
    // one added here in the folder it was added from.
    const QString folder = m_entries.entryStatus.at(row) == addedHere
                               ? m_entries.entryFolder.at(row)
                               : joinPath(libraryFolder, typeFolderOf(line));
    const EntryReading reading = entryFromLine(line, folderWithSeparator(folder));
    if (const auto *field = std::get_if<UnreadableField>(&reading)) {
        exchange().message(MessageKind::Warning, cannotEditMessage(row, *field));
        return;
    }
    const LibraryEntry &entry = std::get<LibraryEntry>(reading);
    m_editedEntry = row;
    chooseEntryDrawing(folder, entry.drawingFileName);
    setControls(entry);
    if (drawingFileName.isEmpty())
        exchange().message(MessageKind::Warning,
                           shownPath(joinPath(folder, trimBlanks(entry.drawingFileName))) +
                               QLatin1String(" doesn't exist!"));
}

void FrmEdit::chooseEntryDrawing(const QString &folder, const QString &fileName)
{
    drawingFileName.clear();
    if (QFileInfo(folder).isDir()) {
        const QString drive = ui->Drive1->driveOf(shownPath(folder));
        if (!drive.isEmpty() && drive != ui->Drive1->drive())
            ui->Drive1->setDrive(drive);
        if (ui->dirSourceBMP->setPath(shownPath(folder)) &&
            ui->File1->path() != ui->dirSourceBMP->path())
            folderChanged();
        sourceFolder = folderWithSeparator(ui->dirSourceBMP->path());
        if (ui->File1->selectFileQuietly(trimBlanks(fileName))) {
            drawingFileName = fileName;
            drawingFolder = sourceFolder;
            showDrawing();
            return;
        }
    } else {
        ui->File1->selectFileQuietly(QString());
    }
    ui->picView->clear();
}

void FrmEdit::setControls(const LibraryEntry &entry)
{
    ui->txtDescription->setText(entry.labelText);
    for (int i = 1; i <= 6; ++i)
        chkEPO[i]->setChecked(entry.epochs[i - 1]);
    showCode(ui->cboUland, entry.countryText, entry.countryText.size());
    showCode(ui->cboGT, entry.typeText, entry.typeText.size());
    tickOnly(chkOL,
             std::array{entry.overheadLineYes, entry.overheadLineNo, entry.overheadLineThirdRail});
    ui->txtPixels->setText(entry.lineHeightText);
    tickOnly(chkSAR, std::array{entry.pantographAnimation, !entry.pantographAnimation});
    tickOnly(chkLR, std::array{entry.directionLeft, entry.directionRight, entry.directionBoth});
    tickOnly(chkSW, std::array{entry.switchingOperation, !entry.switchingOperation});
    tickOnly(chkPP, std::array{entry.pushPull, !entry.pushPull});
    tickOnly(chkDT, std::array{entry.doubleTraction, !entry.doubleTraction});
    ui->txtCycle->setText(entry.animationCycleText);
    tickOnly(chkVR, std::array{entry.variations, !entry.variations});
}

void FrmEdit::replaceEntry()
{
    if (libraryMode == noLibrary || m_editedEntry < 0)
        return;
    if (const std::optional<QString> line = lineFromForm(m_editedEntry))
        showMend(replaceEntryLine(m_entries, m_editedEntry, *line, sourceFolder));
}

void FrmEdit::removeEntry()
{
    const qsizetype row = ui->lstLibraryFile->currentRow();
    if (libraryMode == noLibrary || row < 0 || row >= m_entries.count())
        return;
    const QString question = QStringLiteral("Remove entry %1 (\"%2\") from the library?")
                                 .arg(QString::number(row + 1), labelOf(m_entries.lines.at(row))) +
                             QLatin1Char('\r') +
                             QStringLiteral("Its drawings stay in the library folder.");
    if (exchange().message(MessageKind::Warning, question, MessageButtons::OkCancel) ==
        MessageAnswer::Ok)
        showMend(removeEntryLine(m_entries, row));
}

void FrmEdit::moveEntry(int step)
{
    if (libraryMode != noLibrary)
        showMend(moveEntryLine(m_entries, ui->lstLibraryFile->currentRow(), step));
}

void FrmEdit::connectEntryMenu()
{
    m_entryMenu = new QMenu(this);
    m_entryMenu->setObjectName(QStringLiteral("mnuEntry"));
    const auto item = [this](const char *name, const QString &text, auto handler) {
        QAction *action = m_entryMenu->addAction(text);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    // The key that does the same stands after a tab, as Windows shows it.
    QAction *edit =
        item("menuEditEntry", QStringLiteral("&Edit Entry\tEnter"), [this] { editEntry(); });
    QAction *replace =
        item("menuReplaceEntry", QStringLiteral("&Replace Entry"), [this] { replaceEntry(); });
    QAction *remove =
        item("menuRemoveEntry", QStringLiteral("Re&move Entry\tDel"), [this] { removeEntry(); });
    m_entryMenu->addSeparator();
    QAction *up =
        item("menuMoveUp", QStringLiteral("Move &Up\tCtrl+Up"), [this] { moveEntry(-1); });
    QAction *down =
        item("menuMoveDown", QStringLiteral("Move &Down\tCtrl+Down"), [this] { moveEntry(1); });
    m_entryMenu->addSeparator();
    QAction *check =
        item("menuCheckLibrary", QStringLiteral("Check &Library"), [this] { checkLibrary(); });
    // F7 reaches it from anywhere in the main window; the menu shows the key.
    check->setShortcut(Qt::Key_F7);
    check->setShortcutContext(Qt::WindowShortcut);
    addAction(check);
    connect(m_entryMenu, &QMenu::aboutToShow, this, [=, this] {
        const bool open = libraryMode != noLibrary;
        const int row = ui->lstLibraryFile->currentRow();
        const bool entry = open && row >= 0 && row < m_entries.count();
        edit->setEnabled(entry);
        replace->setEnabled(open && m_editedEntry >= 0);
        remove->setEnabled(entry);
        up->setEnabled(entry && row > 0);
        down->setEnabled(entry && row < m_entries.count() - 1);
        check->setEnabled(open);
    });
    // Outside the menu each command judges for itself whether it applies, so that the state
    // shown last never holds back a command whose time has come.
    connect(m_entryMenu, &QMenu::aboutToHide, this, [this] {
        for (QAction *action : m_entryMenu->actions())
            action->setEnabled(true);
    });

    auto *keys = new EntryListKeys(ui->lstLibraryFile);
    connect(keys, &EntryListKeys::editRequested, this, &FrmEdit::editEntry);
    connect(keys, &EntryListKeys::removeRequested, this, &FrmEdit::removeEntry);
    connect(keys, &EntryListKeys::moveRequested, this, &FrmEdit::moveEntry);
    connect(keys, &EntryListKeys::menuRequested, this,
            [this](const QPoint &at) { m_entryMenu->popup(at); });
}

#include "frmedit.h"

#include "entry/composeentry.h"
#include "entry/entryfields.h"
#include "entry/entryline.h"
#include "system/filetest.h"
#include "system/nativepath.h"
#include "text/blanks.h"
#include "text/codepage.h"
#include "ui_frmedit.h"

#include <QCheckBox>
#include <QDir>

namespace {

// Where a list item keeps the bytes its line was read from.
constexpr int readBytesRole = Qt::UserRole;

QString noLibraryMessage()
{
    return QStringLiteral("Open a New or an Existing Source Library!");
}

// The per-entry tables grow with the list; a freed slot is overwritten by the next entry.
void storeSlot(QStringList &table, int slot, const QString &value)
{
    while (table.size() <= slot)
        table.append(QString());
    table[slot] = value;
}

} // namespace

LibraryEntry FrmEdit::entryFromControls() const
{
    LibraryEntry entry;
    entry.drawingFileName = drawingFileName;
    entry.sourceFolder = sourceFolder;
    entry.labelText = ui->txtDescription->text();
    for (int i = 1; i <= 6; ++i)
        entry.epochs[i - 1] = chkEPO[i]->isChecked();
    entry.countryText = ui->cboUland->currentText();
    entry.typeText = ui->cboGT->currentText();
    entry.overheadLineYes = chkOL[0]->isChecked();
    entry.overheadLineNo = chkOL[1]->isChecked();
    entry.overheadLineThirdRail = chkOL[2]->isChecked();
    entry.lineHeightText = ui->txtPixels->text();
    entry.pantographAnimation = chkSAR[0]->isChecked();
    entry.directionLeft = chkLR[0]->isChecked();
    entry.directionRight = chkLR[1]->isChecked();
    entry.directionBoth = chkLR[2]->isChecked();
    entry.switchingOperation = chkSW[0]->isChecked();
    entry.pushPull = chkPP[0]->isChecked();
    entry.doubleTraction = chkDT[0]->isChecked();
    entry.animationCycleText = ui->txtCycle->text();
    entry.variations = chkVR[0]->isChecked();
    return entry;
}

void FrmEdit::addEntry()
{
    sourceFolder = folderWithSeparator(sourceFolder);
    if (libraryMode == QLatin1String("---")) {
        exchange().message(MessageKind::Warning, noLibraryMessage());
        return;
    }
    if (entryCount >= maxLibraryEntries) {
        exchange().message(MessageKind::Warning,
                           QStringLiteral("The library is full: it holds %1 entries, the most a "
                                          "library can hold!")
                               .arg(maxLibraryEntries));
        return;
    }
    const ComposedEntry composed = composeEntry(entryFromControls(), isOrdinaryFile);
    if (const auto *refusal = std::get_if<EntryRefusal>(&composed)) {
        exchange().message(MessageKind::Warning, refusal->message);
        focusControl(refusal->control, refusal->member);
        return;
    }
    const QString line = std::get<QString>(composed);
    // After a folder change the preview still shows the drawing chosen before, but the file
    // list shows another folder, where nothing is selected; a file of the same name there
    // would be another drawing, which the save would copy without a word.
    if (folderWithSeparator(drawingFolder) != sourceFolder) {
        exchange().message(MessageKind::Warning, QStringLiteral("Select a bitmap FileName!"));
        focusControl(QStringLiteral("File1"), -1);
        return;
    }
    // The save copies the drawing from here; one that was removed or renamed since it was
    // chosen would give an entry whose drawing the library never holds.
    if (const QString drawing = joinPath(sourceFolder, trimBlanks(drawingFileName));
        !isOrdinaryFile(drawing)) {
        exchange().message(MessageKind::Warning,
                           shownPath(drawing) + QLatin1String(" doesn't exist!"));
        focusControl(QStringLiteral("File1"), -1);
        return;
    }
    // Two different drawings must not end as one file of the library folder: Windows, and the
    // display program, take names that differ only in letter case for one file.
    if (const std::optional<SamePlaceClash> clash =
            findSamePlaceClash(entrySources(), {line, sourceFolder, false}, libraryFolder)) {
        const QString otherLine = ui->lstLibraryFile->item(int(clash->otherEntry))->text();
        QString why;
        switch (clash->why) {
        case SamePlaceClash::Why::LetterCase:
            why = QStringLiteral("whose name differs in letter case");
            break;
        case SamePlaceClash::Why::ContentsDiffer:
            why = QStringLiteral("and their contents differ");
            break;
        case SamePlaceClash::Why::CannotBeCompared:
            why = QStringLiteral("and %1 cannot be read to compare them: %2")
                      .arg(shownPath(clash->unreadable), clash->reason);
            break;
        }
        exchange().message(
            MessageKind::Warning,
            QStringLiteral("%1 would be the same file of the library folder as %2 of entry %3 "
                           "(\"%4\"), %5.")
                    .arg(shownPath(clash->candidate.source), shownPath(clash->other.source),
                         QString::number(clash->otherEntry + 1), labelOf(otherLine), why) +
                QLatin1Char('\r') + QStringLiteral("Rename one of the two drawings!"));
        focusControl(QStringLiteral("File1"), -1);
        return;
    }
    ui->lstLibraryFile->addItem(line);
    ui->lstLibraryFile->setCurrentRow(ui->lstLibraryFile->count() - 1);
    ++entryCount;
    storeSlot(entryFolder, entryCount - 1, sourceFolder);
    storeSlot(entryStatus, entryCount - 1, QStringLiteral("N"));
    m_entriesChanged = true;
}

void FrmEdit::eraseLastEntry()
{
    if (libraryMode == QLatin1String("---")) {
        exchange().message(MessageKind::Warning, noLibraryMessage());
        return;
    }
    QListWidget *list = ui->lstLibraryFile;
    if (list->count() == 0)
        return;
    delete list->takeItem(list->count() - 1);
    list->setCurrentRow(list->count() - 1);
    entryCount = qMax<qint16>(0, entryCount - 1);
    m_entriesChanged = true;
}

void FrmEdit::setEntries(const QStringList &lines, const QList<QByteArray> &lineBytes,
                         const QString &status)
{
    ui->lstLibraryFile->clear();
    entryCount = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        ++entryCount;
        auto *item = new QListWidgetItem(lines[i], ui->lstLibraryFile);
        item->setData(readBytesRole, lineBytes.value(i));
        storeSlot(entryStatus, entryCount - 1, status);
        if (entryFolder.size() < entryCount)
            entryFolder.append(QString());
    }
}

QList<QByteArray> FrmEdit::entryLineBytes() const
{
    QList<QByteArray> lines;
    for (int i = 0; i < ui->lstLibraryFile->count(); ++i) {
        const QListWidgetItem *item = ui->lstLibraryFile->item(i);
        const QVariant read = item->data(readBytesRole);
        lines.append(read.isValid() ? read.toByteArray() : encodeCodePage(item->text()));
    }
    return lines;
}

QList<EntrySource> FrmEdit::entrySources() const
{
    QList<EntrySource> entries;
    for (int i = 0; i < entryCount && i < ui->lstLibraryFile->count(); ++i)
        entries.append({ui->lstLibraryFile->item(i)->text(), entryFolder.value(i),
                        entryStatus.value(i) != QLatin1String("N")});
    return entries;
}

#include "frmedit.h"

#include "entry/composeentry.h"
#include "entry/entryfields.h"
#include "entry/entryline.h"
#include "library/librarystate.h"
#include "system/filetest.h"
#include "system/nativepath.h"
#include "text/blanks.h"
#include "text/codepage.h"
#include "ui_frmedit.h"

#include <QCheckBox>
#include <QDir>

namespace {

QString noLibraryMessage()
{
    return QStringLiteral("Open a New or an Existing Source Library!");
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
    if (libraryMode == noLibrary) {
        exchange().message(MessageKind::Warning, noLibraryMessage());
        return;
    }
    if (m_entries.isFull()) {
        exchange().message(MessageKind::Warning,
                           QStringLiteral("The library is full: it holds %1 entries, the most a "
                                          "library can hold!")
                               .arg(maxLibraryEntries));
        return;
    }
    if (const std::optional<QString> line = lineFromForm(-1))
        showMend(appendEntryLine(m_entries, *line, sourceFolder));
}

std::optional<QString> FrmEdit::lineFromForm(qsizetype replacing)
{
    takeLinesFromList();
    sourceFolder = folderWithSeparator(sourceFolder);
    const ComposedEntry composed = composeEntry(
        entryFromControls(), [this](const QString &path) { return ui->File1->holdsFile(path); });
    if (const auto *refusal = std::get_if<EntryRefusal>(&composed)) {
        exchange().message(MessageKind::Warning, refusal->message);
        focusControl(refusal->control, refusal->member);
        return std::nullopt;
    }
    const QString line = std::get<QString>(composed);
    // After a folder change the preview still shows the drawing chosen before, but the file
    // list shows another folder, where nothing is selected; a file of the same name there
    // would be another drawing, which the save would copy without a word.
    if (folderWithSeparator(drawingFolder) != sourceFolder) {
        exchange().message(MessageKind::Warning, QStringLiteral("Select a bitmap FileName!"));
        focusControl(QStringLiteral("File1"), -1);
        return std::nullopt;
    }
    // The save copies the drawing from here; one that was removed or renamed since it was
    // chosen would give an entry whose drawing the library never holds.
    if (const QString drawing = joinPath(sourceFolder, trimBlanks(drawingFileName));
        !isOrdinaryFile(drawing)) {
        exchange().message(MessageKind::Warning,
                           shownPath(drawing) + QLatin1String(" doesn't exist!"));
        focusControl(QStringLiteral("File1"), -1);
        return std::nullopt;
    }
    // Two different drawings must not end as one file of the library folder: Windows, and the
    // display program, take names that differ only in letter case for one file.
    if (const std::optional<SamePlaceClash> clash = findSamePlaceClash(
            entrySources(), {line, sourceFolder, false}, libraryFolder, replacing)) {
        const QString otherLine = m_entries.lines.at(clash->otherEntry);
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
        return std::nullopt;
    }
    return line;
}

void FrmEdit::eraseLastEntry()
{
    if (libraryMode == noLibrary) {
        exchange().message(MessageKind::Warning, noLibraryMessage());
        return;
    }
    if (m_entries.count() > 0)
        showMend(removeEntryLine(m_entries, m_entries.count() - 1));
}

void FrmEdit::showMend(const EntryMend &mend)
{
    QListWidget *list = ui->lstLibraryFile;
    switch (mend.kind) {
    case EntryMend::Kind::Refused:
        return;
    case EntryMend::Kind::Append:
        list->addItem(m_entries.lines.at(mend.at));
        break;
    case EntryMend::Kind::Replace:
        list->item(int(mend.at))->setText(m_entries.lines.at(mend.at));
        break;
    case EntryMend::Kind::Remove:
        delete list->takeItem(int(mend.at));
        if (m_editedEntry == mend.at)
            m_editedEntry = -1;
        else if (m_editedEntry > mend.at)
            --m_editedEntry;
        break;
    case EntryMend::Kind::Move:
        list->insertItem(int(mend.to), list->takeItem(int(mend.at)));
        if (m_editedEntry == mend.at)
            m_editedEntry = mend.to;
        else if (m_editedEntry == mend.to)
            m_editedEntry = mend.at;
        break;
    case EntryMend::Kind::ReadAll:
        list->clear();
        list->addItems(m_entries.lines);
        m_editedEntry = -1;
        break;
    }
    entryCount = qint16(m_entries.count());
    if (mend.kind != EntryMend::Kind::ReadAll) {
        list->setCurrentRow(int(mend.to));
        m_entriesChanged = true;
    }
}

void FrmEdit::takeLinesFromList()
{
    const QListWidget *list = ui->lstLibraryFile;
    for (int i = 0; i < list->count() && i < m_entries.count(); ++i)
        if (const QString text = list->item(i)->text(); text != m_entries.lines.at(i)) {
            m_entries.lines[i] = text;
            m_entries.lineBytes[i] = encodeCodePage(text);
        }
}

QList<EntrySource> FrmEdit::entrySources() const
{
    QList<EntrySource> entries;
    for (qsizetype i = 0; i < m_entries.count(); ++i)
        entries.append(
            {m_entries.lines[i], m_entries.entryFolder[i], m_entries.entryStatus[i] != addedHere});
    return entries;
}

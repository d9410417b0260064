#include "frmedit.h"

#include "checking/librarycheck.h"
#include "frmcheck.h"
#include "library/librarystate.h"
#include "ui_frmedit.h"

void FrmEdit::checkLibrary()
{
    if (libraryMode == noLibrary)
        return;
    takeLinesFromList();
    CheckFindings findings;
    {
        BusyPointer busy(exchange());
        // A library never saved has neither its file nor its folder yet.
        const bool saved = libraryMode != newLibraryMode;
        findings = checkLibraryInWindow({m_entries.lines, m_entries.lineBytes, entryStatus,
                                         entryFolder, saved ? libraryFile : QString(),
                                         saved ? libraryFolder : QString()});
    }
    if (findings.isEmpty()) {
        exchange().message(MessageKind::Information,
                           QStringLiteral("No errors found in %1 entries.").arg(m_entries.count()));
        return;
    }
    FrmCheck window(findings, m_entries.count(), this);
    if (window.exec() != QDialog::Accepted || window.chosenLine() <= 0)
        return;
    QListWidget *list = ui->lstLibraryFile;
    list->setCurrentRow(window.chosenLine() - 1);
    list->scrollToItem(list->currentItem());
    list->setFocus();
}

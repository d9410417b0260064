#include "frmedit.h"

#include "attributesfiledialog.h"
#include "entry/entryfields.h"
#include "entry/entryline.h"
#include "library/libraryfile.h"
#include "library/librarystate.h"
#include "library/missingdrawings.h"
#include "library/savereport.h"
#include "system/nativepath.h"
#include "text/blanks.h"
#include "text/codepage.h"
#include "ui_frmedit.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

// The first few drawings a library file names that its folder lacks, with their lines.
QString missingDrawingsMessage(const QString &file, const QList<MissingDrawing> &missing)
{
    QStringList lines;
    for (const MissingDrawing &drawing : missing)
        lines.append(QStringLiteral("line %1: %2").arg(drawing.line).arg(shownPath(drawing.path)));
    return listedLines(QStringLiteral("%1 names drawings that its library folder does not hold, "
                                      "first on line %2: the display program will not find them.")
                           .arg(file)
                           .arg(missing.first().line),
                       lines, 5);
}

QString discardQuestion()
{
    return QStringLiteral("You are working on Source Library.") + QLatin1Char('\r') +
           QStringLiteral("Discard the changes?");
}

} // namespace

bool FrmEdit::hasUnsavedWork() const
{
    return libraryMode == newLibraryMode || m_entriesChanged;
}

bool FrmEdit::askDiscardChanges()
{
    return exchange().message(MessageKind::Warning, discardQuestion(), MessageButtons::OkCancel) ==
           MessageAnswer::Ok;
}

void FrmEdit::newLibrary()
{
    // The question comes before the name box: a new library replaces the list.
    if (hasUnsavedWork() && !askDiscardChanges())
        return;
    const QString name =
        exchange().inputBox(QStringLiteral("Name the Library:"), applicationTitle());
    // A blank name is refused before it is stored: a blank libraryFile would make the next save
    // write nothing while reporting success.
    if (trimBlanks(name).isEmpty()) {
        exchange().message(MessageKind::Warning,
                           QStringLiteral("New Source Library NOT Generated!"));
        return;
    }
    libraryFile = name;
    showLibraryFileCaption();
    libraryMode = newLibraryMode;
    showMend(readEntryLines(m_entries, {}, {}));
    m_entriesChanged = false;
}

void FrmEdit::openLibrary()
{
    // An opened file replaces the list: work that no save has put on disk is not dropped
    // without the question, asked before the file dialog.
    if (hasUnsavedWork() && !askDiscardChanges())
        return;
    const std::optional<QString> chosen =
        chooseAttributesFile(exchange(), existingAttributesFileRequest());
    if (!chosen)
        return;
    const QString path = shownPath(*chosen);

    // The whole file is read and judged before anything changes: a partial load would lose
    // the rest of the file at the next save.
    LibraryFileContent content;
    std::optional<QString> folder;
    {
        BusyPointer busy(exchange());
        content = readLibraryFile(path);
        folder = libraryFolderOf(path);
    }
    if (!content.ok()) {
        exchange().message(MessageKind::Warning,
                           QStringLiteral("%1 cannot be read: %2").arg(path, content.error));
        return;
    }
    if (!folder) {
        exchange().message(MessageKind::Warning,
                           QStringLiteral("%1 cannot be opened as a library: its file name has no "
                                          "\".\", so it names no library folder.")
                               .arg(path));
        return;
    }
    if (content.lines.size() > maxLibraryEntries) {
        exchange().message(MessageKind::Warning,
                           QStringLiteral("%1 cannot be opened: it holds %2 entries, more than the "
                                          "%3 a library can hold.")
                               .arg(path)
                               .arg(content.lines.size())
                               .arg(maxLibraryEntries));
        return;
    }

    BusyPointer busy(exchange());
    libraryFile = path;
    showLibraryFileCaption();
    libraryFolder = *folder;
    showMend(readEntryLines(m_entries, content.lines, content.lineBytes));
    m_entriesChanged = false;
    busy.release();
    libraryMode = updateMode;
    // Notepad saves UTF-8 by default; such a file opens and is saved back as it is, but the
    // display program reads single-byte text and will show these lines wrong. With the
    // person's OK its lines are turned into the code page, which the next save writes.
    if (content.firstUtf8Line > 0 &&
        exchange().message(MessageKind::Warning,
                           QStringLiteral("%1 is UTF-8 text, first on line %2: the display "
                                          "program reads single-byte text and will misread it.")
                                   .arg(path)
                                   .arg(content.firstUtf8Line) +
                               QLatin1Char('\r') +
                               QStringLiteral("Its lines are saved back unchanged.") +
                               QLatin1Char('\r') +
                               QStringLiteral("Turn them into single-byte text for the display "
                                              "program?"),
                           MessageButtons::OkCancel) == MessageAnswer::Ok) {
        const qsizetype utf8Lines = utf8LinesOf(content.lineBytes).size();
        const QList<int> kept = turnUtf8Lines(content);
        showMend(readEntryLines(m_entries, content.lines, content.lineBytes));
        m_entriesChanged = kept.size() < utf8Lines;
        if (!kept.isEmpty())
            exchange().message(
                MessageKind::Warning,
                utf8LinesMessage(QStringLiteral("These lines hold characters that %1 lacks and "
                                                "stay as they were read:")
                                     .arg(codePageName()),
                                 kept, content.lineBytes));
    }
    // A save cut short before it copied every drawing left a file that names drawings its
    // library folder lacks; the entries stay as they are, read from the file. A UTF-8 line is
    // read as its editor shows it.
    QStringList asWritten;
    for (const QByteArray &bytes : std::as_const(content.lineBytes))
        asWritten.append(decodeAsWritten(bytes));
    if (QFileInfo(libraryFolder).isDir()) {
        if (const QList<MissingDrawing> missing = drawingsMissingFrom(asWritten, libraryFolder);
            !missing.isEmpty())
            exchange().message(MessageKind::Warning, missingDrawingsMessage(path, missing));
    } else if (std::any_of(content.lines.cbegin(), content.lines.cend(), namesDrawing)) {
        exchange().message(MessageKind::Warning,
                           QStringLiteral("%1 names drawings, but its library folder %2 is "
                                          "missing: the display program will find none of them.")
                               .arg(path, shownPath(libraryFolder)));
    }
}

void FrmEdit::exitProgram()
{
    const QString question = libraryMode == noLibrary
                                 ? QStringLiteral("This will end the program's session")
                                 : discardQuestion();
    if (exchange().message(MessageKind::Warning, question, MessageButtons::OkCancel) !=
        MessageAnswer::Ok)
        return;
    m_exitConfirmed = true;
    close();
}

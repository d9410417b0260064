#include "frmedit.h"

#include "attributesfiledialog.h"
#include "library/libraryfile.h"
#include "library/librarystate.h"
#include "library/savelibrary.h"
#include "system/nativepath.h"
#include "system/windowsnames.h"
#include "text/blanks.h"
#include "ui_frmedit.h"

#include <QDir>
#include <QFileInfo>

#include <optional>

namespace {

QString replaceQuestion()
{
    return QStringLiteral("The file already exists.") + QLatin1Char('\r') +
           QStringLiteral("Do you want overwrite it?");
}

QString completionMessage()
{
    return QStringLiteral("Source Library Attributes File and copy of drawings") +
           QLatin1Char('\r') + QStringLiteral("Generated/Updated!");
}

QString nothingSaved(const QString &why)
{
    return why + QLatin1Char('\r') + QStringLiteral("Nothing was saved!");
}

QString notWrittenMessage(const QString &file, const QString &reason)
{
    return nothingSaved(
        QStringLiteral("The Source Library Attributes File %1 could NOT be written: %2")
            .arg(shownPath(file), reason));
}

// The attributes file failed only when it was to be put in place, after the copies: the library
// folder holds them, the old file (if any) names none of them.
QString notCommittedMessage(const QString &file, const QString &reason, const QStringList &copied)
{
    return QStringLiteral("The Source Library Attributes File %1 could NOT be written: %2")
               .arg(shownPath(file), reason) +
           QLatin1Char('\r') + copiedBeforeMessage(copied);
}

// Why the attributes file or its library folder would not keep its name on Windows; empty when
// both would. Checked before anything is written: Windows would make "Swiss " as "Swiss", and
// every later copy into the folder the library names would fail.
QString nameWindowsChanges(const QString &file, const QString &folder)
{
    const QString fileName = QFileInfo(file).fileName();
    if (const QString why = windowsNameProblem(fileName); !why.isEmpty())
        return QStringLiteral("The Source Library Attributes File %1 cannot be saved: Windows "
                              "would not keep its name \"%2\" (%3).")
            .arg(shownPath(file), fileName, why);
    const QString folderName = QFileInfo(folder).fileName();
    if (const QString why = windowsNameProblem(folderName); !why.isEmpty())
        return QStringLiteral("The Source Library Attributes File %1 cannot be saved: Windows "
                              "would not keep the name \"%2\" of its library folder (%3).")
            .arg(shownPath(file), folderName, why);
    return {};
}

} // namespace

void FrmEdit::saveLibrary()
{
    if (libraryMode == noLibrary) {
        exchange().message(MessageKind::Warning,
                           QStringLiteral("Open a New or an Existing Library!"));
        return;
    }
    std::optional<BusyPointer> busy;
    const QString typedName = libraryFile;
    std::optional<QString> newFolder; // on a first save: the folder the chosen file names

    if (libraryMode == newLibraryMode) {
        FileDialogRequest request;
        request.purpose = FileDialogRequest::Purpose::Save;
        request.title = QStringLiteral("Save the Source Library Attributes File");
        request.filter = QStringLiteral("TXT File (*.txt)|*.txt");
        request.initialName = libraryFile + QLatin1String(".txt");
        request.defaultExtension = QStringLiteral("txt");
        const std::optional<QString> chosen = chooseAttributesFile(exchange(), request);
        if (!chosen)
            return;
        libraryFile = shownPath(*chosen);
        if (QFileInfo::exists(libraryFile) &&
            exchange().message(MessageKind::Warning, replaceQuestion(), MessageButtons::OkCancel) !=
                MessageAnswer::Ok) {
            libraryFile.clear();
            return;
        }
        // Without a "." in its name the file names no library folder: refuse before anything
        // is written, rather than write a file whose drawings have nowhere to go.
        newFolder = libraryFolderOf(libraryFile);
        if (!newFolder) {
            exchange().message(MessageKind::Critical,
                               nothingSaved(QStringLiteral("The Source Library Attributes File %1 "
                                                           "names no library folder: its name has "
                                                           "no \".\".")
                                                .arg(libraryFile)));
            libraryFile = typedName;
            return;
        }
        if (const QString why = nameWindowsChanges(libraryFile, *newFolder); !why.isEmpty()) {
            exchange().message(MessageKind::Critical, nothingSaved(why));
            libraryFile = typedName;
            return;
        }
        showLibraryFileCaption();
        busy.emplace(exchange());
    } else {
        busy.emplace(exchange());
        if (trimBlanks(libraryFile).isEmpty()) {
            busy.reset();
            exchange().message(
                MessageKind::Critical,
                nothingSaved(QStringLiteral("The Source Library Attributes File has no name!")));
            return;
        }
        if (const QString why = nameWindowsChanges(libraryFile, libraryFolder); !why.isEmpty()) {
            busy.reset();
            exchange().message(MessageKind::Critical, nothingSaved(why));
            return;
        }
    }

    takeLinesFromList();
    // The old file is replaced only once the new one is whole; when it cannot be written
    // the drawings are not copied either, so that the library on disk stays as it was.
    const bool firstSave = libraryMode == newLibraryMode;
    const LibrarySaveReport report =
        saveLibraryFiles({m_entries.lines, m_entries.lineBytes, entryStatus, entryFolder,
                          libraryFile, firstSave ? *newFolder : libraryFolder, firstSave});
    if (!report.fileWritten()) {
        busy.reset();
        exchange().message(
            MessageKind::Critical,
            report.copied.isEmpty()
                ? notWrittenMessage(libraryFile, report.fileFailure)
                : notCommittedMessage(libraryFile, report.fileFailure, report.copied));
        if (firstSave) {
            // Nothing was saved, so the library stays as the user named it.
            libraryFile = typedName;
            showLibraryFileCaption();
        }
        return;
    }
    if (firstSave)
        libraryFolder = *newFolder;
    const QList<FileProblem> &problems = report.notCopied;
    if (!report.refusal.isEmpty()) {
        busy.reset();
        exchange().message(MessageKind::Critical, report.refusal);
        if (!problems.isEmpty())
            exchange().message(MessageKind::Critical, notCopiedMessage(problems));
        return;
    }

    // The attributes file is written: the library is now one that later saves update, even
    // when some drawings are missing from its folder.
    libraryMode = updateMode;
    // Drawings left uncopied are work not yet on disk: the next Open, New or close asks.
    m_entriesChanged = !problems.isEmpty();
    busy.reset();
    if (!problems.isEmpty()) {
        exchange().message(MessageKind::Critical, notCopiedMessage(problems));
        return;
    }
    // Lines Notepad saved as UTF-8 and the person did not have turned at Open: the display
    // program misreads them, so the save names them after its own word.
    const QList<int> utf8Lines = utf8LinesOf(m_entries.lineBytes);
    const QString utf8Note =
        utf8Lines.isEmpty()
            ? QString()
            : QLatin1Char('\r') +
                  utf8LinesMessage(QStringLiteral("These lines are still UTF-8 text, which the "
                                                  "display program misreads:"),
                                   utf8Lines, m_entries.lineBytes);
    // The file is saved, but the display program will miss drawings its lines name: no success
    // is claimed over them.
    if (!report.missingFromFolder.isEmpty()) {
        QStringList missing;
        for (const MissingDrawing &drawing : report.missingFromFolder)
            missing.append(shownPath(drawing.path));
        exchange().message(
            MessageKind::Warning,
            listedLines(QStringLiteral("Source Library Attributes File Generated/Updated, but its "
                                       "library folder lacks drawings that its lines name:"),
                        missing, 5) +
                QLatin1Char('\r') +
                QStringLiteral("Select each drawing and use Edit Entry and Replace Entry (or add "
                               "it again) to copy it.") +
                utf8Note);
        return;
    }
    if (!utf8Note.isEmpty()) {
        exchange().message(MessageKind::Warning, completionMessage() + utf8Note);
        return;
    }
    exchange().message(MessageKind::Information, completionMessage());
}

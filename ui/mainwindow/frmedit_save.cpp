#include "frmedit.h"

#include "attributesfiledialog.h"
#include "blanks.h"
#include "codetables.h"
#include "libraryfile.h"
#include "librarysave.h"
#include "nativepath.h"
#include "sameplace.h"
#include "ui_frmedit.h"
#include "windowsnames.h"

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

QStringList listLines(const QListWidget *list)
{
    QStringList lines;
    lines.reserve(list->count());
    for (int i = 0; i < list->count(); ++i)
        lines.append(list->item(i)->text());
    return lines;
}

} // namespace

void FrmEdit::saveLibrary()
{
    if (libraryMode == QLatin1String("---")) {
        exchange().message(MessageKind::Warning,
                           QStringLiteral("Open a New or an Existing Library!"));
        return;
    }
    const QStringList lines = listLines(ui->lstLibraryFile);
    std::optional<BusyPointer> busy;
    QList<FileProblem> problems;

    if (libraryMode == QLatin1String("NEW")) {
        FileDialogRequest request;
        request.purpose = FileDialogRequest::Purpose::Save;
        request.title = QStringLiteral("Save the Source Library Attributes File");
        request.filter = QStringLiteral("TXT File (*.txt)|*.txt");
        request.initialName = libraryFile + QLatin1String(".txt");
        request.defaultExtension = QStringLiteral("txt");
        const std::optional<QString> chosen = chooseAttributesFile(exchange(), request);
        if (!chosen)
            return;
        const QString typedName = libraryFile;
        libraryFile = shownPath(*chosen);
        if (QFileInfo::exists(libraryFile) &&
            exchange().message(MessageKind::Warning, replaceQuestion(), MessageButtons::OkCancel) !=
                MessageAnswer::Ok) {
            libraryFile.clear();
            return;
        }
        // Without a "." in its name the file names no library folder: refuse before anything
        // is written, rather than write a file whose drawings have nowhere to go.
        const std::optional<QString> folder = libraryFolderOf(libraryFile);
        if (!folder) {
            exchange().message(MessageKind::Critical,
                               nothingSaved(QStringLiteral("The Source Library Attributes File %1 "
                                                           "names no library folder: its name has "
                                                           "no \".\".")
                                                .arg(libraryFile)));
            libraryFile = typedName;
            return;
        }
        if (const QString why = nameWindowsChanges(libraryFile, *folder); !why.isEmpty()) {
            exchange().message(MessageKind::Critical, nothingSaved(why));
            libraryFile = typedName;
            return;
        }
        showLibraryFileCaption();
        busy.emplace(exchange());
        if (const QString reason = writeLibraryFileBytes(libraryFile, entryLineBytes());
            !reason.isEmpty()) {
            busy.reset();
            exchange().message(MessageKind::Critical, notWrittenMessage(libraryFile, reason));
            // Nothing was saved, so the library stays as the user named it.
            libraryFile = typedName;
            showLibraryFileCaption();
            return;
        }
        libraryFolder = *folder;
        problems += makeLibraryFolders(libraryFolder, vehicleTypeCodes());
    } else {
        busy.emplace(exchange());
        // The old file is replaced only once the new one is whole; when it cannot be written
        // the drawings are not copied either, so that the library on disk stays as it was.
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
        if (const QString reason = writeLibraryFileBytes(libraryFile, entryLineBytes());
            !reason.isEmpty()) {
            busy.reset();
            exchange().message(MessageKind::Critical, notWrittenMessage(libraryFile, reason));
            return;
        }
    }

    CopiesOfOneSave copies;
    ListedFiles libraryFiles;
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (entryStatus.value(i) == QLatin1String("O"))
            for (const LibraryFile &file :
                 libraryFilesOf({lines[i], {}, true}, libraryFolder, libraryFiles.test()))
                copies.entryReadFromFile.insert(samePlaceKey(file.place), i + 1);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (entryStatus.value(i) != QLatin1String("N"))
            continue;
        const EntryCopyReport report =
            copyEntryDrawings(lines[i], entryFolder.value(i), libraryFolder, &copies);
        problems += report.notCopied;
        if (report.refused()) {
            busy.reset();
            exchange().message(MessageKind::Critical, report.refusal);
            if (!problems.isEmpty())
                exchange().message(MessageKind::Critical, notCopiedMessage(problems));
            return;
        }
    }

    // The attributes file is written: the library is now one that later saves update, even
    // when some drawings are missing from its folder.
    libraryMode = QStringLiteral("UPD");
    // Drawings left uncopied are work not yet on disk: the next Open, New or close asks.
    m_entriesChanged = !problems.isEmpty();
    busy.reset();
    if (!problems.isEmpty()) {
        exchange().message(MessageKind::Critical, notCopiedMessage(problems));
        return;
    }
    exchange().message(MessageKind::Information, completionMessage());
}

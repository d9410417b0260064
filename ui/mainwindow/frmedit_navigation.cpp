#include "frmedit.h"

#include "drawingnames/drawingname.h"
#include "system/nativepath.h"
#include "text/blanks.h"
#include "ui_frmedit.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QPixmap>
#include <QStorageInfo>

#include <filesystem>
#include <system_error>

namespace {

// Why a drive cannot be made current: not ready (no medium, unreadable) or another failure
// with the system's own description. Empty when it can.
struct DriveFailure
{
    bool notAvailable = false;
    QString description;
    bool failed() const { return notAvailable || !description.isEmpty(); }
};

DriveFailure makeCurrent(const QString &root)
{
    const QStorageInfo volume(root);
    const QFileInfo info(root);
    if (!info.exists() || !info.isDir() || !info.isReadable() ||
        (volume.isValid() && !volume.isReady()))
        return {true, {}};
    std::error_code error;
    std::filesystem::current_path(std::filesystem::path(root.toStdU16String()), error);
    if (error)
        return {false, QString::fromLocal8Bit(error.message())};
    return {};
}

} // namespace

void FrmEdit::driveChanged()
{
    const QString previousDrive = ui->Drive1->driveOf(QDir::currentPath());
    const QString drive = ui->Drive1->drive();
    sourceFolder = drive;

    const DriveFailure failure = makeCurrent(drive);
    const QString shownBefore = ui->dirSourceBMP->path();
    if (!failure.failed() && ui->dirSourceBMP->setPath(drive)) {
        // The folder change runs even when the list already showed that root, so that
        // sourceFolder is the root's full path when the drive change ends.
        if (ui->dirSourceBMP->path() == shownBefore)
            folderChanged();
        return;
    }

    if (failure.notAvailable || !failure.failed())
        exchange().message(MessageKind::Warning, QStringLiteral("Device NOT available!"));
    else
        exchange().message(MessageKind::Plain, failure.description);

    sourceFolder = previousDrive;
    if (!previousDrive.isEmpty() && ui->Drive1->drive() != previousDrive) {
        ui->Drive1->setDrive(previousDrive);
        return;
    }
    // The list already shows the previous drive: no further attempt.
    sourceFolder = ui->dirSourceBMP->path();
}

void FrmEdit::folderChanged()
{
    sourceFolder = ui->dirSourceBMP->path();
    ui->File1->setPath(sourceFolder);
}

void FrmEdit::fileSelected()
{
    sourceFolder = folderWithSeparator(sourceFolder);
    drawingFileName = ui->File1->selectedFileName();
    drawingFolder = sourceFolder;

    const DrawingNameInfo info = decodeDrawingName(drawingFileName);
    if (info.phaseLengthText) {
        ui->txtCycle->setText(*info.phaseLengthText);
        ui->txtCycle->repaint();
    }
    if (info.refusal != DrawingRefusal::None) {
        exchange().message(MessageKind::Warning, drawingRefusalMessage(info.refusal));
        return;
    }

    chkVR[0]->setChecked(
        hasVariationDrawings(sourceFolder, drawingFileName,
                             [this](const QString &path) { return ui->File1->holdsFile(path); }));
    showDrawing();
    ui->txtDescription->setText(info.label);
    if (info.countryIndex)
        ui->cboUland->setCurrentIndex(*info.countryIndex);
    if (info.typeIndex) {
        ui->cboGT->setCurrentIndex(*info.typeIndex);
        if (info.overheadLineYes)
            chkOL[0]->setChecked(*info.overheadLineYes);
    }
}

void FrmEdit::showDrawing()
{
    // The selection has appended a separator: a folder that is blank without it was empty or
    // blank before, unless it is the folder the folder list shows, the root of a system whose
    // root is the separator alone.
    const QString folder =
        sourceFolder.endsWith(QDir::separator()) ? sourceFolder.chopped(1) : sourceFolder;
    if (trimBlanks(folder).isEmpty() && sourceFolder != ui->dirSourceBMP->path()) {
        exchange().message(MessageKind::Warning,
                           QStringLiteral("Line up drive, folders and files!"));
        return;
    }
    const QString path = joinPath(sourceFolder, drawingFileName);
    // A file that is no picture leaves the preview empty; the selection goes on.
    ui->picView->clear();
    ui->picView->setPixmap(QPixmap(path));
    ui->picView->repaint();
}

#include "qtmodalexchange.h"

#include "readablefiledialog.h"
#include "system/nativepath.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

namespace {

#ifdef Q_OS_WIN
bool runsUnderWine()
{
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}
#endif

// When the system's own file dialog closes, Windows gives the keyboard back to the window that
// opened it. Wine (8) leaves the window active only in its own books: it never asks the window
// manager to give that window the keyboard, so Alt+F and every key go nowhere until the user
// clicks into it. A window shown anew gets the keyboard from the window manager, so under Wine,
// and only there, the window is shown anew, in its place.
void keyboardBackAfterSystemDialog([[maybe_unused]] QWidget *owner)
{
#ifdef Q_OS_WIN
    QWidget *window = owner ? owner->window() : nullptr;
    if (!window || !window->isVisible() || !runsUnderWine())
        return;
    const HWND handle = reinterpret_cast<HWND>(window->winId());
    ShowWindow(handle, SW_HIDE);
    ShowWindow(handle, SW_SHOW);
#endif
}

} // namespace

QtModalExchange::~QtModalExchange()
{
    while (m_busyDepth > 0)
        setBusy(false);
}

MessageAnswer QtModalExchange::message(MessageKind kind, const QString &text,
                                       MessageButtons buttons)
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (kind) {
    case MessageKind::Warning:
        icon = QMessageBox::Warning;
        break;
    case MessageKind::Critical:
        icon = QMessageBox::Critical;
        break;
    case MessageKind::Information:
        icon = QMessageBox::Information;
        break;
    case MessageKind::Plain:
        break;
    }
    const QMessageBox::StandardButtons standard = buttons == MessageButtons::OkCancel
                                                      ? QMessageBox::Ok | QMessageBox::Cancel
                                                      : QMessageBox::Ok;
    // The program joins the parts of a message with a bare CR, which the box is to show as a
    // line break; a label breaks lines only at LF, and on Windows shows a CR as nothing.
    QString shown = text;
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox box(icon, applicationTitle(), shown, standard, m_parent);
    box.setDefaultButton(QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    return box.exec() == QMessageBox::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

QString QtModalExchange::inputBox(const QString &prompt, const QString &title)
{
    bool accepted = false;
    const QString text =
        QInputDialog::getText(m_parent, title, prompt, QLineEdit::Normal, QString(), &accepted);
    return accepted ? text : QString();
}

std::optional<QString> QtModalExchange::fileDialog(const FileDialogRequest &request)
{
    QFileDialog dialog(m_parent, request.title, request.initialFolder);
    const bool save = request.purpose == FileDialogRequest::Purpose::Save;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // The open dialog, too, takes a typed name of a file that does not exist: the command
    // itself reports what it cannot read.
    dialog.setFileMode(QFileDialog::AnyFile);
    // The replace question is the program's own, asked after the dialog.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
#if !defined(Q_OS_WIN) && !defined(Q_OS_MACOS)
    // The same Qt dialog on every desktop of these systems, whatever theme plugin is installed.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
#endif
    const qsizetype bar = request.filter.indexOf(QLatin1Char('|'));
    const QString description = bar < 0 ? request.filter : request.filter.left(bar);
    const QString pattern = bar < 0 ? QString() : request.filter.mid(bar + 1);
    const QString filter = description.contains(QLatin1Char('('))
                               ? description
                               : description + QLatin1String(" (") + pattern + QLatin1Char(')');
    dialog.setNameFilter(filter);
    if (!request.defaultExtension.isEmpty())
        dialog.setDefaultSuffix(request.defaultExtension);
    if (!request.initialName.isEmpty())
        dialog.selectFile(request.initialName);
    makeColumnsReadable(dialog);
    const int outcome = dialog.exec();
    keyboardBackAfterSystemDialog(m_parent);
    if (outcome != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return shownPath(dialog.selectedFiles().constFirst());
}

void QtModalExchange::setBusy(bool busy)
{
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ++m_busyDepth;
    } else if (m_busyDepth > 0) {
        QApplication::restoreOverrideCursor();
        --m_busyDepth;
    }
}

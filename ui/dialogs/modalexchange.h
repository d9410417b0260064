#pragma once

#include <QString>

#include <optional>

// Every modal exchange of the windows goes through this one interface: message boxes titled
// "Zerbon", the input box, the file dialog and the busy pointer. The program shows real Qt
// dialogs (QtModalExchange); tests put a scripted one in its place.

enum class MessageKind
{
    Warning,
    Critical,
    Information,
    Plain
};
enum class MessageButtons
{
    Ok,
    OkCancel
};
enum class MessageAnswer
{
    Ok,
    Cancel
};

struct FileDialogRequest
{
    enum class Purpose
    {
        Open,
        Save
    };
    Purpose purpose = Purpose::Open;
    QString title;
    QString filter;           // description and pattern joined by "|": "TXT File (*.txt)|*.txt"
    QString initialName;      // may be empty
    QString initialFolder;    // empty: the dialog's own choice
    QString defaultExtension; // added to a name typed without one; empty: none
};

class ModalExchange
{
public:
    virtual ~ModalExchange() = default;

    virtual MessageAnswer message(MessageKind kind, const QString &text,
                                  MessageButtons buttons = MessageButtons::Ok) = 0;
    // The typed text; an empty text when cancelled.
    virtual QString inputBox(const QString &prompt, const QString &title) = 0;
    // The chosen full path, or nullopt when the user cancelled.
    virtual std::optional<QString> fileDialog(const FileDialogRequest &request) = 0;

    virtual void setBusy(bool busy) = 0;
};

// Shows the busy pointer for its lifetime, so every way out of a command restores the arrow.
class BusyPointer
{
public:
    explicit BusyPointer(ModalExchange &exchange) : m_exchange(exchange)
    {
        m_exchange.setBusy(true);
    }
    ~BusyPointer() { release(); }
    BusyPointer(const BusyPointer &) = delete;
    BusyPointer &operator=(const BusyPointer &) = delete;

    // Back to the arrow before the guard ends, for a message shown after the work.
    void release()
    {
        if (m_busy)
            m_exchange.setBusy(false);
        m_busy = false;
    }

private:
    ModalExchange &m_exchange;
    bool m_busy = true;
};

// The title of every message box and of the input box.
inline QString applicationTitle()
{
    return QStringLiteral("Zerbon");
}

#pragma once

#include "modalexchange.h"

#include <QList>
#include <QQueue>
#include <QString>

#include <functional>
#include <variant>

// A modal exchange that answers from a script, in order, and records everything it was asked.
// A message with no scripted answer is answered OK; an input box with none gets an empty text
// and a file dialog with none is cancelled, each recorded as unscripted so a test can fail on it.
class ScriptedExchange : public ModalExchange
{
public:
    struct Message
    {
        MessageKind kind;
        QString text;
        MessageButtons buttons;
    };

    void answerMessage(MessageAnswer answer) { m_messageAnswers.enqueue(answer); }
    void answerInput(const QString &text) { m_inputAnswers.enqueue(text); }
    void answerFile(const QString &path) { m_fileAnswers.enqueue(path); }
    void cancelFile() { m_fileAnswers.enqueue(std::nullopt); }
    // Runs while the message box would be shown (for instance, to look at the window then).
    void onMessage(std::function<void(const Message &)> hook) { m_messageHook = std::move(hook); }

    MessageAnswer message(MessageKind kind, const QString &text, MessageButtons buttons) override;
    QString inputBox(const QString &prompt, const QString &title) override;
    std::optional<QString> fileDialog(const FileDialogRequest &request) override;
    void setBusy(bool busy) override;

    QList<Message> messages;
    QStringList messageTexts() const;
    QStringList inputPrompts;
    QList<FileDialogRequest> fileRequests;
    int busyDepth = 0;  // 0 once every command has restored the arrow
    int busyShown = 0;  // how often the busy pointer was switched on
    int unscripted = 0; // inputs and file dialogs asked with no answer scripted

    void clearRecords();

private:
    QQueue<MessageAnswer> m_messageAnswers;
    QQueue<QString> m_inputAnswers;
    QQueue<std::optional<QString>> m_fileAnswers;
    std::function<void(const Message &)> m_messageHook;
};

#include "scriptedexchange.h"

MessageAnswer ScriptedExchange::message(MessageKind kind, const QString &text,
                                        MessageButtons buttons)
{
    const Message shown{kind, text, buttons};
    messages.append(shown);
    if (m_messageHook)
        m_messageHook(shown);
    return m_messageAnswers.isEmpty() ? MessageAnswer::Ok : m_messageAnswers.dequeue();
}

QString ScriptedExchange::inputBox(const QString &prompt, const QString &)
{
    inputPrompts.append(prompt);
    if (m_inputAnswers.isEmpty()) {
        ++unscripted;
        return {};
    }
    return m_inputAnswers.dequeue();
}

std::optional<QString> ScriptedExchange::fileDialog(const FileDialogRequest &request)
{
    fileRequests.append(request);
    if (m_fileAnswers.isEmpty()) {
        ++unscripted;
        return std::nullopt;
    }
    return m_fileAnswers.dequeue();
}

void ScriptedExchange::setBusy(bool busy)
{
    if (busy) {
        ++busyDepth;
        ++busyShown;
    } else {
        --busyDepth;
    }
}

QStringList ScriptedExchange::messageTexts() const
{
    QStringList texts;
    for (const Message &m : messages)
        texts.append(m.text);
    return texts;
}

void ScriptedExchange::clearRecords()
{
    messages.clear();
    inputPrompts.clear();
    fileRequests.clear();
    busyShown = 0;
    unscripted = 0;
}

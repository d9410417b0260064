#pragma once

#include "modalexchange.h"

#include <QPointer>
#include <QWidget>

// The modal exchanges as the user sees them: QMessageBox, QInputDialog, QFileDialog and the
// application's override cursor.
class QtModalExchange : public ModalExchange
{
public:
    explicit QtModalExchange(QWidget *parent = nullptr) : m_parent(parent) {}
    ~QtModalExchange() override;

    void setParent(QWidget *parent) { m_parent = parent; }

    MessageAnswer message(MessageKind kind, const QString &text, MessageButtons buttons) override;
    QString inputBox(const QString &prompt, const QString &title) override;
    std::optional<QString> fileDialog(const FileDialogRequest &request) override;
    void setBusy(bool busy) override;

private:
    QPointer<QWidget> m_parent;
    int m_busyDepth = 0;
};

#pragma once

#include <QDialog>

#include <memory>

class QKeyEvent;

namespace Ui {
class FrmAiuto;
}

// The help window: one page of explanation in a picture, closed by its "Ok" button or its close
// box only. Enter and Esc do nothing here, so that a key meant for the main window does not
// close the page unread.
class FrmAiuto : public QDialog
{
    Q_OBJECT

public:
    explicit FrmAiuto(QWidget *parent = nullptr);
    ~FrmAiuto() override;

    // Handlers.
    void command1Click();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    std::unique_ptr<Ui::FrmAiuto> ui;
};

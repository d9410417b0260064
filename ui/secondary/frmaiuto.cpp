#include "frmaiuto.h"

#include "programresources.h"
#include "ui_frmaiuto.h"

#include <QKeyEvent>
#include <QScreen>

FrmAiuto::FrmAiuto(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      ui(std::make_unique<Ui::FrmAiuto>())
{
    initProgramResources();
    ui->setupUi(this);
    connect(ui->Command1, &QPushButton::clicked, this, &FrmAiuto::command1Click);
}

FrmAiuto::~FrmAiuto() = default;

void FrmAiuto::command1Click()
{
    accept();
}

void FrmAiuto::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void FrmAiuto::showEvent(QShowEvent *event)
{
    // The page opens in the middle of the screen, whatever the place of the main window.
    if (const QScreen *screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    QDialog::showEvent(event);
}

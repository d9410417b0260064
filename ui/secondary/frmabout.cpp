#include "frmabout.h"

#include "modalexchange.h"
#include "programresources.h"
#include "programversion.h"
#include "ui_frmabout.h"

#include <QKeyEvent>
#include <QTimer>

namespace {
constexpr int tickMilliseconds = 50;
}

FrmAbout::FrmAbout(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      ui(std::make_unique<Ui::FrmAbout>())
{
    initProgramResources();
    ui->setupUi(this);

    // The railcar covers its whole rectangle, so a move can shift what is already on screen and
    // repaint only the strip of the band it uncovers.
    ui->imaSettebello->setAttribute(Qt::WA_OpaquePaintEvent);

    // The form holds the credit line's words, the build its version.
    ui->lblDisclaimer->setText(ui->lblDisclaimer->text().arg(QLatin1String(programVersion)));

    setWindowTitle(QStringLiteral("About ") + applicationTitle());
    ui->lblTitle->setText(applicationTitle());
    m_slide = SlidePosition{slideStartLeft, slideStartStep};
    placePicture();

    connect(ui->cmdOK, &QPushButton::clicked, this, &FrmAbout::cmdOkClick);

    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(tickMilliseconds);
    connect(m_timer1, &QTimer::timeout, this, &FrmAbout::timer1Tick);
    m_timer1->start();
}

FrmAbout::~FrmAbout() = default;

void FrmAbout::timer1Tick()
{
    m_slide = slideAnimationStep(m_slide.left, m_slide.slideStep);
    placePicture();
}

void FrmAbout::cmdOkClick()
{
    accept();
}

void FrmAbout::keyPressEvent(QKeyEvent *event)
{
    // cmdOK is the cancel button as well as the default one: Esc presses it.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        ui->cmdOK->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void FrmAbout::placePicture()
{
    ui->imaSettebello->move(slideUnitsToPixels(m_slide.left), ui->imaSettebello->y());
}

#include "frmedit.h"

#include "accessibleinterfaces.h"
#include "accessiblenames.h"
#include "captionfonts.h"
#include "digitonlyfilter.h"
#include "drawingnames/codetables.h"
#include "focusannouncement.h"
#include "focusring.h"
#include "library/librarystate.h"
#include "listfont.h"
#include "programresources.h"
#include "qtmodalexchange.h"
#include "system/nativepath.h"
#include "ui_frmedit.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QScreen>

namespace {

constexpr int clientWidth = 724;
constexpr int clientHeight = 477;

// The captions' design font; captionfonts.h picks its stand-ins.
template <class Kind> QList<QWidget *> controlsOfKind(const QWidget &client)
{
    const QList<Kind *> found = client.findChildren<Kind *>();
    return {found.cbegin(), found.cend()};
}

std::unique_ptr<ModalExchange> realDialogs()
{
    return std::make_unique<QtModalExchange>();
}

} // namespace

FrmEdit::FrmEdit(QWidget *parent) : FrmEdit(realDialogs(), parent)
{
    static_cast<QtModalExchange &>(*m_exchange).setParent(this);
}

FrmEdit::FrmEdit(std::unique_ptr<ModalExchange> exchange, QWidget *parent)
    : QMainWindow(parent), ui(std::make_unique<Ui::FrmEdit>()), m_exchange(std::move(exchange))
{
    initProgramResources();
    // Before any box is made or asked for: a box keeps the interface it was first given.
    installAccessibleInterfaces();
    ui->setupUi(this);
    setWindowIcon(QIcon(QStringLiteral(":/tessaro.bmp")));
    collectCheckBoxGroups();
    // What is typed into the country and type boxes is written as typed, also a text that is no
    // item of their lists; completion would replace "C" by "CH  - Switzerland". The lists
    // stay to choose from.
    ui->cboUland->setCompleter(nullptr);
    ui->cboGT->setCompleter(nullptr);
    applyDesignFonts();

    // The client area grows with the window, so that it is orange to every border; its
    // controls stand at their designed places, since no layout moves them.
    resize(clientWidth, clientHeight + menuBar()->sizeHint().height());
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());

    auto *digits = new DigitOnlyFilter(*m_exchange, this);
    ui->txtPixels->installEventFilter(digits);
    ui->txtCycle->installEventFilter(digits);

    nameControlsForScreenReaders(*ui->centralwidget);
    announceFocusFully(*ui->centralwidget);
    new FocusRing(ui->centralwidget);

    connectHandlers();
    loadWindow();
}

FrmEdit::~FrmEdit() = default;

void FrmEdit::collectCheckBoxGroups()
{
    const auto member = [this](const char *group, int index) {
        auto *box = findChild<QCheckBox *>(QLatin1String(group) + QLatin1Char('_') +
                                           QString::number(index));
        Q_ASSERT(box);
        return box;
    };
    for (int i = 1; i <= 6; ++i)
        chkEPO[i] = member("chkEPO", i);
    for (int i = 0; i < 3; ++i) {
        chkOL[i] = member("chkOL", i);
        chkLR[i] = member("chkLR", i);
    }
    for (int i = 0; i < 2; ++i) {
        chkSAR[i] = member("chkSAR", i);
        chkSW[i] = member("chkSW", i);
        chkPP[i] = member("chkPP", i);
        chkDT[i] = member("chkDT", i);
        chkVR[i] = member("chkVR", i);
    }
}

void FrmEdit::applyDesignFonts()
{
    setCaptionFont(controlsOfKind<QLabel>(*ui->centralwidget), designCaptionFont(true));
    setCaptionFont(controlsOfKind<QCheckBox>(*ui->centralwidget), designCaptionFont(true));
    setCaptionFont(controlsOfKind<QPushButton>(*ui->centralwidget), designCaptionFont(false));
    const QFont fixed = libraryListFont();
    for (QWidget *widget : std::initializer_list<QWidget *>{
             ui->lstLibraryFile, ui->cboGT, ui->cboUland, ui->txtPixels, ui->txtCycle})
        widget->setFont(fixed);
}

void FrmEdit::connectHandlers()
{
    connect(ui->cmdAdd, &QPushButton::clicked, this, &FrmEdit::addEntry);
    connect(ui->Command1, &QPushButton::clicked, this, &FrmEdit::addEntry);
    connect(ui->cmdUndo, &QPushButton::clicked, this, &FrmEdit::eraseLastEntry);

    connect(ui->menuNew, &QAction::triggered, this, &FrmEdit::newLibrary);
    connect(ui->menuOpen, &QAction::triggered, this, &FrmEdit::openLibrary);
    connect(ui->menuSave, &QAction::triggered, this, &FrmEdit::saveLibrary);
    connect(ui->menuExit, &QAction::triggered, this, &FrmEdit::exitProgram);
    connect(ui->menuHelp, &QAction::triggered, this, &FrmEdit::showHelp);
    connect(ui->menuAbout, &QAction::triggered, this, &FrmEdit::showAbout);
    connect(ui->menuHTML, &QAction::triggered, this, &FrmEdit::publishHtml);

    connect(ui->Drive1, &DriveList::driveChanged, this, &FrmEdit::driveChanged);
    connect(ui->dirSourceBMP, &FolderList::pathChanged, this, &FrmEdit::folderChanged);
    connect(ui->File1, &FileList::selectionMoved, this, &FrmEdit::fileSelected);
    connectEntryMenu();

    // A change made by code runs the same rule as a click, nested, and only on a real change.
    const auto complement = [this](std::array<QCheckBox *, 2> &group) {
        for (int i = 0; i < 2; ++i)
            connect(group[i], &QCheckBox::toggled, this,
                    [this, &group, i] { complementRule(group, i); });
    };
    complement(chkSAR);
    complement(chkSW);
    complement(chkPP);
    complement(chkDT);
    complement(chkVR);
    const auto singleChoice = [this](std::array<QCheckBox *, 3> &group) {
        for (int i = 0; i < 3; ++i)
            connect(group[i], &QCheckBox::toggled, this,
                    [this, &group, i] { singleChoiceRule(group, i); });
    };
    singleChoice(chkOL);
    singleChoice(chkLR);
}

void FrmEdit::loadWindow()
{
    libraryMode = noLibrary;
    ui->cboGT->clear();
    ui->cboGT->addItems(vehicleTypeItems());
    ui->cboUland->clear();
    ui->cboUland->addItems(countryItems());
    for (QComboBox *box : {ui->cboGT, ui->cboUland}) {
        box->setCurrentIndex(-1);
        box->clearEditText();
    }
    chkOL[0]->setChecked(true);
    ui->txtPixels->setText(QStringLiteral("58"));
    chkSAR[1]->setChecked(true);
    chkLR[2]->setChecked(true);
    chkSW[1]->setChecked(true);
    chkPP[1]->setChecked(true);
    chkDT[1]->setChecked(true);
    chkVR[1]->setChecked(true);
    sourceFolder = shownPath(QDir::currentPath());
}

void FrmEdit::complementRule(const std::array<QCheckBox *, 2> &group, int index)
{
    group[1 - index]->setChecked(!group[index]->isChecked());
}

void FrmEdit::singleChoiceRule(const std::array<QCheckBox *, 3> &group, int index)
{
    if (!group[index]->isChecked())
        return;
    static constexpr int others[3][2] = {{1, 2}, {2, 0}, {1, 0}};
    for (const int other : others[index])
        group[other]->setChecked(false);
}

void FrmEdit::focusControl(const QString &control, int member)
{
    if (control.isEmpty())
        return;
    const QString name =
        member >= 0 ? control + QLatin1Char('_') + QString::number(member) : control;
    if (auto *widget = findChild<QWidget *>(name))
        widget->setFocus(Qt::OtherFocusReason);
}

void FrmEdit::showLibraryFileCaption()
{
    ui->lblAF->setText(QStringLiteral("Source Library Attributes File: ") + libraryFile);
    ui->lblAF->repaint();
}

void FrmEdit::closeEvent(QCloseEvent *event)
{
    // The close box asks the same question as Exit while the window holds work that is not on
    // disk, so that it is never lost without a word; right after a save or open it just closes.
    if (m_exitConfirmed || !hasUnsavedWork() || askDiscardChanges()) {
        event->accept();
        return;
    }
    event->ignore();
}

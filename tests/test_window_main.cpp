#include "captionfonts.h"
#include "entrylines.h"
#include "testfiles.h"
#include "windowfixture.h"

#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <functional>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

namespace {

const QString noLibrary = QStringLiteral("Open a New or an Existing Source Library!");
const QString discard = QStringLiteral("You are working on Source Library.\rDiscard the changes?");

// Attributes the window needs for an entry that passes every check, the drawing chosen in
// folder (made there when it is missing).
void prepareEntry(WindowFixture &f, const QString &folder, const QString &drawing)
{
    const QString path = QDir(folder).filePath(drawing);
    if (!QFileInfo::exists(path))
        QVERIFY(writeBytes(path, "BM"));
    f.window->sourceFolder = folder;
    f.window->drawingFolder = folder;
    f.window->drawingFileName = drawing;
    f.window->chkEPO[4]->setChecked(true);
    f.child<QComboBox>(QStringLiteral("cboUland"))->setCurrentIndex(2);
    f.child<QComboBox>(QStringLiteral("cboGT"))->setCurrentIndex(2);
    f.labelBox()->setText(QStringLiteral("Re 4/4"));
}

void startNewLibrary(WindowFixture &f, const QString &name)
{
    f.exchange->answerInput(name);
    f.action(QStringLiteral("menuNew"))->trigger();
}

// The contrast of two colours as the accessibility guidelines measure it: 1 for equal
// colours, 21 for black on white; 3 is their least for a focus mark.
double contrast(QRgb a, QRgb b)
{
    const auto luminance = [](QRgb c) {
        const auto channel = [](int value) {
            const double s = value / 255.0;
            return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(qRed(c)) + 0.7152 * channel(qGreen(c)) + 0.0722 * channel(qBlue(c));
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The controls in their keyboard focus order.
const QStringList tabOrderControls = {
    "picView",   "lstLibraryFile", "Drive1",   "dirSourceBMP", "File1",    "txtDescription",
    "cmdAdd",    "cmdUndo",        "chkEPO_1", "chkEPO_2",     "chkEPO_3", "chkEPO_4",
    "chkEPO_5",  "chkEPO_6",       "cboUland", "cboGT",        "chkOL_0",  "chkOL_1",
    "txtPixels", "chkSAR_0",       "chkSAR_1", "chkLR_0",      "chkLR_1",  "chkLR_2",
    "chkSW_0",   "chkSW_1",        "chkPP_0",  "chkPP_1",      "chkDT_0",  "chkDT_1",
    "txtCycle",  "chkVR_0",        "chkVR_1",  "Command1",     "chkOL_2"};

} // namespace

// One question a screen reader asks a text box, checked against the box itself.
using TextBoxQuestion = std::function<void(QLineEdit &, QAccessibleInterface &)>;
Q_DECLARE_METATYPE(TextBoxQuestion)

// Spoils one attribute of a prepared entry in the window.
using Spoil = std::function<void(WindowFixture &)>;
Q_DECLARE_METATYPE(Spoil)

class TestMainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void programManifest();
    void stateAfterStart();
    void controlsAtDesignedPlaces();
    void menus();
    void tabOrder();
    void resizeMovesNothing();
    void captionFontPerKind_data();
    void captionFontPerKind();
    void accessibleNames_data();
    void accessibleNames();
    void textBoxAnswers_data();
    void textBoxAnswers();
    void focusVisible_data();
    void focusVisible();
    void addWithoutLibrary();
    void eraseWithoutLibrary();
    void newLibrary_data();
    void newLibrary();
    void newAsksOnlyInNewMode();
    void blankNameKeepsLibrary();
    void addAndErase();
    void bothAddButtonsAdd();
    void typedCodesKept_data();
    void typedCodesKept();
    void refusalMovesFocus_data();
    void refusalMovesFocus();
    void openReadsWholeFile();
    void openCancelled();
    void openRefusals_data();
    void openRefusals();
    void exitQuestion_data();
    void exitQuestion();
    void closeBoxAsks_data();
    void closeBoxAsks();
    void fullLibraryRefusesEntry();
    void numericBoxesTakeDigitsOnly();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<WindowFixture> f;
};

void TestMainWindow::init()
{
    f = std::make_unique<WindowFixture>();
}

void TestMainWindow::stateAfterStart()
{
    FrmEdit &w = *f->window;
    QCOMPARE(w.windowTitle(), QStringLiteral("Tessaro"));
    QCOMPARE(w.libraryMode, QStringLiteral("---"));
    QCOMPARE(w.libraryFile, QString());
    QCOMPARE(w.entryCount, 0);
    QCOMPARE(w.drawingFileName, QString());
    QCOMPARE(w.sourceFolder, QDir::toNativeSeparators(QDir::currentPath()));
    QCOMPARE(f->libraryCaption()->text(), QString());
    QCOMPARE(f->libraryList()->count(), 0);

    auto *gt = f->child<QComboBox>(QStringLiteral("cboGT"));
    auto *uland = f->child<QComboBox>(QStringLiteral("cboUland"));
    QCOMPARE(gt->count(), 13);
    QCOMPARE(uland->count(), 15);
    QCOMPARE(gt->itemText(12), QStringLiteral("X  - Special Vehicle and Other"));
    QCOMPARE(uland->itemText(5), QStringLiteral("FRG - Germany"));
    QCOMPARE(gt->currentIndex(), -1);
    QCOMPARE(uland->currentIndex(), -1);
    QCOMPARE(gt->currentText(), QString());
    QCOMPARE(uland->currentText(), QString());

    QStringList ticked;
    for (QCheckBox *box : w.findChildren<QCheckBox *>())
        if (box->isChecked())
            ticked.append(box->objectName());
    ticked.sort();
    QCOMPARE(ticked, (QStringList{"chkDT_1", "chkLR_2", "chkOL_0", "chkPP_1", "chkSAR_1", "chkSW_1",
                                  "chkVR_1"}));
    QCOMPARE(f->heightBox()->text(), QStringLiteral("58"));
    QCOMPARE(f->cycleBox()->text(), QString());
    QCOMPARE(f->labelBox()->text(), QString());
    QVERIFY(f->exchange->messages.isEmpty());
}

void TestMainWindow::controlsAtDesignedPlaces()
{
    const struct
    {
        const char *name;
        int left, top, width, height; // twips
    } places[] = {
        {"lblAF", 105, 90, 10620, 300},          {"lstLibraryFile", 105, 375, 10620, 1110},
        {"cmdAdd", 8445, 1545, 1140, 330},       {"cmdUndo", 9600, 1545, 1140, 330},
        {"Command1", 3660, 6240, 1140, 330},     {"Drive1", 120, 1830, 4665, 315},
        {"dirSourceBMP", 120, 2160, 4665, 1215}, {"File1", 135, 3795, 4665, 1455},
        {"picView", 135, 5250, 4665, 945},       {"txtDescription", 135, 6675, 4665, 285},
        {"cboUland", 6840, 2355, 3900, 330},     {"cboGT", 6840, 2760, 3900, 330},
        {"txtPixels", 6840, 3600, 525, 330},     {"txtCycle", 6840, 6195, 525, 330},
        {"chkOL_2", 8235, 3255, 765, 210},       {"chkLR_2", 8235, 4530, 750, 210},
        {"chkEPO_6", 10230, 2040, 450, 210},     {"chkVR_0", 6915, 6705, 465, 210},
    };
    const auto px = [](int twips) { return qRound(twips / 15.0); };
    for (const auto &place : places) {
        QWidget *control = f->child(QLatin1String(place.name));
        QVERIFY2(control, place.name);
        QCOMPARE(control->geometry(),
                 QRect(px(place.left), px(place.top), px(place.width), px(place.height)));
    }
    QCOMPARE(f->child(QStringLiteral("centralwidget"))->size(), QSize(724, 477));
    QCOMPARE(f->addButton()->text(), QStringLiteral("Add to Library"));
    QCOMPARE(f->child<QPushButton>(QStringLiteral("Command1"))->text(),
             QStringLiteral("Add to Library"));
    QCOMPARE(f->eraseButton()->text(), QStringLiteral("Erase Last"));
    QCOMPARE(f->child<QCheckBox>(QStringLiteral("chkOL_2"))->text(), QStringLiteral("3rail"));
    QCOMPARE(f->child<QLabel>(QStringLiteral("Label1"))->text(),
             QStringLiteral("Select Drive\\Folder containing the Drawings:"));
    QCOMPARE(f->child<QLabel>(QStringLiteral("Label22"))->text(),
             QStringLiteral("Animation Cycle (n. of pixels)"));
    QVERIFY(f->libraryCaption()->font().bold());
    QVERIFY(f->child<QCheckBox>(QStringLiteral("chkEPO_1"))->font().bold());
    // The columns of the entry lines line up: narrow and wide letters take the same room.
    const QFontMetrics list(f->libraryList()->font());
    QCOMPARE(list.horizontalAdvance(QStringLiteral("iiiiiiiiii")),
             list.horizontalAdvance(QStringLiteral("WWWWWWWWWW")));
    QCOMPARE(f->child(QStringLiteral("centralwidget"))->palette().color(QPalette::Window),
             QColor(255, 128, 0));
}

void TestMainWindow::menus()
{
    const QStringList names = {"menuNew",  "menuOpen", "menuSave",
                               "menuExit", "menuHelp", "menuAbout"};
    const QStringList texts = {"&New Library", "&Open Library", "&Save Library",
                               "&Exit",        "&Help",         "&About"};
    for (qsizetype i = 0; i < names.size(); ++i) {
        QAction *item = f->action(names[i]);
        QVERIFY(item);
        QCOMPARE(item->text(), texts[i]);
        QVERIFY(item->isVisible() && item->isEnabled());
        QVERIFY(item->shortcut().isEmpty());
    }
    QAction *html = f->action(QStringLiteral("menuHTML"));
    QVERIFY(html);
    QVERIFY(!html->isVisible());
    QVERIFY(!html->isEnabled());
    QCOMPARE(f->child<QMenu>(QStringLiteral("menuFile"))->title(), QStringLiteral("&File"));
    QCOMPARE(f->child<QMenu>(QStringLiteral("menuX"))->title(), QStringLiteral("?"));
}

void TestMainWindow::tabOrder()
{
    // Round the chain back to the first.
    const QStringList order = tabOrderControls + QStringList{tabOrderControls.first()};
    f->window->show();
    QVERIFY(QTest::qWaitForWindowActive(f->window.get()));
    f->child(order.first())->setFocus();
    const auto focusedControl = [] {
        QWidget *focused = QApplication::focusWidget();
        // An editable combo box has the focus through its line edit.
        if (focused && qobject_cast<QComboBox *>(focused->parentWidget()))
            focused = focused->parentWidget();
        return focused ? focused->objectName() : QString();
    };
    QCOMPARE(focusedControl(), order.first());
    for (qsizetype i = 1; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(focusedControl(), order[i]);
    }
    QVERIFY(f->exchange->messages.isEmpty());
}

void TestMainWindow::resizeMovesNothing()
{
    f->window->show();
    QVERIFY(QTest::qWaitForWindowExposed(f->window.get()));
    QList<QRect> before;
    const QList<QWidget *> controls =
        f->child(QStringLiteral("centralwidget"))->findChildren<QWidget *>();
    for (QWidget *w : controls)
        before.append(w->geometry());
    f->window->resize(1000, 700);
    QCoreApplication::processEvents();
    for (qsizetype i = 0; i < controls.size(); ++i)
        QCOMPARE(controls[i]->geometry(), before[i]);
    f->window->resize(300, 200);
    QCoreApplication::processEvents();
    for (qsizetype i = 0; i < controls.size(); ++i)
        QCOMPARE(controls[i]->geometry(), before[i]);

    // Enlarged, the client area is orange to the window's borders, beyond the design's size.
    f->window->resize(1000, 700);
    const QImage shot = f->window->grab().toImage();
    QCOMPARE(shot.size(), QSize(1000, 700));
    const int clientTop = f->window->menuBar()->height();
    for (const QPoint &where : {QPoint(2, 697), QPoint(997, clientTop + 2), QPoint(997, 697),
                                QPoint(860, 300), QPoint(400, 600)})
        QCOMPARE(QColor(shot.pixel(where)), QColor(255, 128, 0));
}

void TestMainWindow::captionFontPerKind_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("bold");
    QTest::newRow("labels") << "QLabel" << true;
    QTest::newRow("check boxes") << "QCheckBox" << true;
    QTest::newRow("buttons") << "QPushButton" << false;
}

// One font and size for every caption of a kind: the design's where it is installed, else the
// largest stand-in with which every caption of the kind fits its designed width.
void TestMainWindow::captionFontPerKind()
{
    QFETCH(QString, kind);
    QFETCH(bool, bold);
    QList<QWidget *> controls;
    for (QWidget *control : f->child(QStringLiteral("centralwidget"))->findChildren<QWidget *>())
        if (control->inherits(qPrintable(kind)))
            controls.append(control);
    QVERIFY(controls.size() >= 3);
    const QFont font = controls.first()->font();
    QCOMPARE(font.bold(), bold);
    QStringList cut;
    for (const QWidget *control : controls) {
        QVERIFY2(control->font() == font, qPrintable(control->objectName()));
        if (QFontMetrics(font).horizontalAdvance(captionOf(*control)) > captionRoom(*control))
            cut.append(control->objectName());
    }
    QCOMPARE(cut, QStringList());
    if (QFontDatabase::families().contains(QStringLiteral("MS Sans Serif"))) {
        QCOMPARE(font.family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(font.pointSizeF(), 8.25);
    } else if (font.pointSizeF() < 8.25) {
        QFont larger = font;
        larger.setPointSizeF(font.pointSizeF() + 0.25);
        QVERIFY(std::any_of(controls.cbegin(), controls.cend(), [&larger](const QWidget *c) {
            return QFontMetrics(larger).horizontalAdvance(captionOf(*c)) > captionRoom(*c);
        }));
    }
}

void TestMainWindow::accessibleNames_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("buddy"); // the caption whose buddy the control is, if any
    QTest::addColumn<QString>("description");
    const auto row = [](const char *control, const char *name, const char *buddy = "",
                        const char *description = "") {
        QTest::newRow(control) << control << name << buddy << description;
    };
    row("picView", "Drawing preview");
    row("lstLibraryFile", "Source Library Attributes File", "lblAF");
    // One caption names both lists: each says its half, the caption is their description.
    row("Drive1", "Select Drive", "", "Select Drive\\Folder containing the Drawings");
    row("dirSourceBMP", "Select Folder containing the Drawings", "",
        "Select Drive\\Folder containing the Drawings");
    row("File1", "Select Drawing (bmp FileName)", "Label5");
    row("txtDescription", "LABEL (max 40 chars)", "Label24");
    row("cmdAdd", "Add to Library", "", "Under the library list");
    row("cmdUndo", "Erase Last");
    // A check box's own name says more than its row's caption: no caption labels it.
    row("chkEPO_1", "EPOCHE: 1");
    row("chkEPO_4", "EPOCHE: 4");
    row("chkEPO_6", "EPOCHE: 6");
    row("cboUland", "ULAND", "Label4");
    row("cboGT", "GT", "Label3");
    row("chkOL_0", "OL: Y", "", "Over Head Line");
    row("chkOL_1", "OL: N", "", "Over Head Line");
    row("chkOL_2", "OL: 3rail", "", "Over Head Line");
    row("txtPixels", "OLH: Pixels Above Rails For Electrical Line");
    row("chkSAR_0", "SAR: Y", "", "Pantograph Animation");
    row("chkSAR_1", "SAR: N", "", "Pantograph Animation");
    row("chkLR_0", "RICHTUNG: L", "", "Direction");
    row("chkLR_2", "RICHTUNG: Both", "", "Direction");
    row("chkSW_0", "RANGIER: Y", "", "Switching Operation");
    row("chkPP_0", "WZ: Y", "", "Push-Pull Locomotive");
    row("chkPP_1", "WZ: N", "", "Push-Pull Locomotive");
    row("chkDT_0", "DT: Y", "", "Double Traction");
    row("txtCycle", "PHASENLAENGE: Animation Cycle (n. of pixels)");
    row("chkVR_0", "VARIATIONS: Y");
    row("chkVR_1", "VARIATIONS: N");
    row("Command1", "Add to Library", "", "Under the drawing preview");
}

// What a screen reader says for each control, asked the way it asks: its name, its
// description, and the caption that labels it, which it speaks in place of the name.
void TestMainWindow::accessibleNames()
{
    QFETCH(QString, control);
    QFETCH(QString, name);
    QFETCH(QString, buddy);
    QFETCH(QString, description);
    QWidget *widget = f->child(control);
    QAccessibleInterface *spoken = QAccessible::queryAccessibleInterface(widget);
    QVERIFY(spoken);
    auto *combo = qobject_cast<QComboBox *>(widget);
#ifdef Q_OS_UNIX
    // There Qt names a list-only combo box (the drive list) by its shown item, which a screen
    // reader hears as its value; its own name stays behind that.
    const bool namedByItem = combo && !combo->isEditable() && !combo->currentText().isEmpty();
#else
    const bool namedByItem = false;
#endif
    QCOMPARE(namedByItem ? widget->accessibleName() : spoken->text(QAccessible::Name), name);
    QCOMPARE(spoken->text(QAccessible::Description), description);
    // (Qt reports no label relation for a list at all, so the caption's buddy is asked.)
    if (!buddy.isEmpty())
        QCOMPARE(f->child<QLabel>(buddy)->buddy(), widget);
    else
        QVERIFY(spoken->relations(QAccessible::Label).isEmpty());
    // A box of codes says the code it shows as its value, not as its name too (a screen reader
    // would say it twice).
    if (combo && combo->isEditable()) {
        combo->setCurrentIndex(combo->count() - 1);
        QCOMPARE(spoken->text(QAccessible::Name), name);
        QCOMPARE(spoken->text(QAccessible::Value), combo->currentText());
    }
}

void TestMainWindow::textBoxAnswers_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<TextBoxQuestion>("question");
    const auto row = [](const char *name, const char *control, const TextBoxQuestion &question) {
        QTest::newRow(name) << QString::fromLatin1(control) << question;
    };
    row("value", "txtDescription", [](QLineEdit &box, QAccessibleInterface &spoken) {
        QCOMPARE(spoken.text(QAccessible::Value), box.text());
        spoken.setText(QAccessible::Value, QStringLiteral("Re 4/4"));
        QCOMPARE(box.text(), QStringLiteral("Re 4/4"));
    });
    row("role and state", "txtPixels", [](QLineEdit &box, QAccessibleInterface &spoken) {
        QCOMPARE(spoken.role(), QAccessible::EditableText);
        box.setReadOnly(true);
        QVERIFY(spoken.state().editable && spoken.state().readOnly &&
                spoken.state().selectableText);
        box.setReadOnly(false);
        QVERIFY(!spoken.state().readOnly);
    });
    row("caret", "txtDescription", [](QLineEdit &box, QAccessibleInterface &spoken) {
        box.setCursorPosition(3);
        QCOMPARE(spoken.textInterface()->cursorPosition(), 3);
        spoken.textInterface()->setCursorPosition(5);
        QCOMPARE(box.cursorPosition(), 5);
    });
    row("selection", "txtDescription", [](QLineEdit &box, QAccessibleInterface &spoken) {
        QAccessibleTextInterface *text = spoken.textInterface();
        text->setSelection(0, 1, 4);
        QCOMPARE(box.selectedText(), box.text().mid(1, 3));
        int start = -1;
        int end = -1;
        text->selection(0, &start, &end);
        QCOMPARE(QList<int>({text->selectionCount(), start, end}), QList<int>({1, 1, 4}));
        text->removeSelection(0);
        QVERIFY(!box.hasSelectedText());
    });
    row("text at an offset", "txtDescription", [](QLineEdit &box, QAccessibleInterface &spoken) {
        QAccessibleTextInterface *text = spoken.textInterface();
        int start = -1;
        int end = -1;
        QCOMPARE(text->textAtOffset(3, QAccessible::CharBoundary, &start, &end),
                 QStringLiteral("0"));
        QCOMPARE(text->textAtOffset(4, QAccessible::WordBoundary, &start, &end).trimmed(),
                 QStringLiteral("01"));
        QCOMPARE(start, 3);
        QCOMPARE(text->textAtOffset(4, QAccessible::LineBoundary, &start, &end), box.text());
        box.setCursorPosition(1);
        QCOMPARE(text->textAfterOffset(-2, QAccessible::CharBoundary, &start, &end),
                 QStringLiteral(" "));
    });
    row("edits", "txtDescription", [](QLineEdit &box, QAccessibleInterface &spoken) {
        QAccessibleEditableTextInterface *edit = spoken.editableTextInterface();
        edit->insertText(0, QStringLiteral("E"));
        edit->replaceText(1, 3, QStringLiteral("b"));
        edit->deleteText(2, 3);
        QCOMPARE(box.text(), QStringLiteral("Eb01 DB"));
    });
    row("a character's place", "txtDescription", [](QLineEdit &box, QAccessibleInterface &spoken) {
        QAccessibleTextInterface *text = spoken.textInterface();
        const QRect place = text->characterRect(4);
        QVERIFY(box.rect().contains(box.mapFromGlobal(place.center())));
        QCOMPARE(text->offsetAtPoint(place.center()), 4);
    });
    row("a password is not read out", "txtDescription",
        [](QLineEdit &box, QAccessibleInterface &spoken) {
            box.setEchoMode(QLineEdit::Password);
            QCOMPARE(spoken.text(QAccessible::Value), QString(box.text().size(), u'*'));
            QVERIFY(spoken.state().passwordEdit);
            QCOMPARE(spoken.textInterface()->text(0, 3), QString());
        });
}

// A text box answers a screen reader as Qt's own interface does, with its whole text in one
// attribute run.
void TestMainWindow::textBoxAnswers()
{
    QFETCH(QString, control);
    QFETCH(TextBoxQuestion, question);
    QWidget *widget = f->child(control);
    auto *combo = qobject_cast<QComboBox *>(widget);
    QLineEdit *box = combo ? combo->lineEdit() : qobject_cast<QLineEdit *>(widget);
    QVERIFY(box);
    f->window->show();
    QVERIFY(QTest::qWaitForWindowExposed(f->window.get()));
    if (combo)
        combo->setCurrentIndex(1);
    else
        box->setText(QStringLiteral("BR 01 DB"));
    QAccessibleInterface *spoken = QAccessible::queryAccessibleInterface(box);
    QVERIFY(spoken && spoken->textInterface() && spoken->editableTextInterface());
    question(*box, *spoken);
}

void TestMainWindow::focusVisible_data()
{
    QTest::addColumn<QString>("control");
    for (const QString &control : tabOrderControls)
        QTest::newRow(qPrintable(control)) << control;
}

// Rendered for real: the focused control stands out from its unfocused self by a mark of high
// contrast on the orange, at least as long as the control's outline; unfocused, it looks as
// it did before it had the focus.
void TestMainWindow::focusVisible()
{
    QFETCH(QString, control);
    f->window->show();
    QVERIFY(QTest::qWaitForWindowActive(f->window.get()));
    QWidget *client = f->child(QStringLiteral("centralwidget"));
    QWidget *widget = f->child(control);
    const QRect around = widget->geometry().adjusted(-4, -4, 4, 4);
    const auto shoot = [client, &around] {
        QCoreApplication::processEvents();
        return client->grab(around).toImage().convertToFormat(QImage::Format_RGB32);
    };
    if (QWidget *focused = QApplication::focusWidget())
        focused->clearFocus();
    const QImage unfocused = shoot();
    widget->setFocus(Qt::TabFocusReason);
    QVERIFY(widget->hasFocus() || widget->isAncestorOf(QApplication::focusWidget()));
    const QImage focused = shoot();
    QApplication::focusWidget()->clearFocus();
    QCOMPARE(shoot(), unfocused);

    int marked = 0;
    for (int y = 0; y < focused.height(); ++y)
        for (int x = 0; x < focused.width(); ++x)
            if (contrast(focused.pixel(x, y), unfocused.pixel(x, y)) >= 3)
                ++marked;
    const int outline = 2 * (widget->width() + widget->height());
    QVERIFY2(
        marked >= outline,
        qPrintable(QStringLiteral("%1 pixels of high contrast, want %2").arg(marked).arg(outline)));
}

void TestMainWindow::addWithoutLibrary()
{
    f->window->sourceFolder = QStringLiteral("/drawings");
    QTest::mouseClick(f->addButton(), Qt::LeftButton);
    QCOMPARE(f->exchange->messageTexts(), QStringList{noLibrary});
    QCOMPARE(f->exchange->messages.first().kind, MessageKind::Warning);
    QCOMPARE(f->window->sourceFolder, QDir::toNativeSeparators(QStringLiteral("/drawings/")));
    QCOMPARE(f->libraryList()->count(), 0);
    QCOMPARE(f->window->entryCount, 0);
}

void TestMainWindow::eraseWithoutLibrary()
{
    QTest::mouseClick(f->eraseButton(), Qt::LeftButton);
    QCOMPARE(f->exchange->messageTexts(), QStringList{noLibrary});
}

void TestMainWindow::newLibrary_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("plain") << "Swiss";
    QTest::newRow("blanks kept") << "  Swiss lib  ";
}

void TestMainWindow::newLibrary()
{
    QFETCH(QString, name);
    startNewLibrary(*f, name);
    QCOMPARE(f->exchange->inputPrompts, QStringList{"Name the Library:"});
    QCOMPARE(f->window->libraryMode, QStringLiteral("NEW"));
    QCOMPARE(f->window->libraryFile, name);
    QCOMPARE(f->libraryCaption()->text(), "Source Library Attributes File: " + name);
    QVERIFY(f->exchange->messages.isEmpty());
}

void TestMainWindow::newAsksOnlyInNewMode()
{
    startNewLibrary(*f, QStringLiteral("first"));
    prepareEntry(*f, m_dir.path() + QDir::separator(), QStringLiteral("Re44.bmp"));
    f->window->addEntry();
    QCOMPARE(f->window->entryCount, 1);

    // NEW: the question comes first; Cancel changes nothing.
    f->exchange->answerMessage(MessageAnswer::Cancel);
    f->action(QStringLiteral("menuNew"))->trigger();
    QCOMPARE(f->exchange->messageTexts(), QStringList{discard});
    QCOMPARE(f->exchange->messages.first().buttons, MessageButtons::OkCancel);
    QVERIFY(f->exchange->inputPrompts.size() == 1);
    QCOMPARE(f->window->libraryFile, QStringLiteral("first"));
    QCOMPARE(f->window->entryCount, 1);

    // OK: a new, empty library.
    f->exchange->answerMessage(MessageAnswer::Ok);
    startNewLibrary(*f, QStringLiteral("second"));
    QCOMPARE(f->window->libraryFile, QStringLiteral("second"));
    QCOMPARE(f->window->entryCount, 0);
    QCOMPARE(f->libraryList()->count(), 0);

    // UPD: no question.
    f->window->libraryMode = QStringLiteral("UPD");
    f->exchange->clearRecords();
    startNewLibrary(*f, QStringLiteral("third"));
    QVERIFY(f->exchange->messages.isEmpty());
    QCOMPARE(f->window->libraryMode, QStringLiteral("NEW"));
}

void TestMainWindow::blankNameKeepsLibrary()
{
    startNewLibrary(*f, QStringLiteral("Swiss"));
    prepareEntry(*f, m_dir.path() + QDir::separator(), QStringLiteral("Re44.bmp"));
    f->window->addEntry();
    for (const QString &blank : {QString(), QStringLiteral("   ")}) {
        f->exchange->clearRecords();
        f->exchange->answerMessage(MessageAnswer::Ok);
        startNewLibrary(*f, blank);
        QCOMPARE(f->exchange->messageTexts(),
                 (QStringList{discard, "New Source Library NOT Generated!"}));
        QCOMPARE(f->window->libraryFile, QStringLiteral("Swiss"));
        QCOMPARE(f->window->libraryMode, QStringLiteral("NEW"));
        QCOMPARE(f->window->entryCount, 1);
        QCOMPARE(f->libraryCaption()->text(),
                 QStringLiteral("Source Library Attributes File: Swiss"));
    }
}

void TestMainWindow::addAndErase()
{
    startNewLibrary(*f, QStringLiteral("Swiss"));
    const QString folder = m_dir.path();
    prepareEntry(*f, folder, QStringLiteral("Re44.bmp"));
    auto *list = f->libraryList();
    const QString line = EntryLine{.olh = "58"}.text();

    f->window->addEntry();
    QCOMPARE(f->window->sourceFolder, QDir::toNativeSeparators(folder + QLatin1Char('/')));
    f->window->addEntry(); // the same drawing twice gives two entries
    QCOMPARE(itemTexts(list), (QStringList{line, line}));
    QCOMPARE(list->currentRow(), 1);
    QCOMPARE(f->window->entryCount, 2);
    QCOMPARE(f->window->entryStatus.mid(0, 2), (QStringList{"N", "N"}));
    QCOMPARE(f->window->entryFolder.at(1), QDir::toNativeSeparators(folder + QLatin1Char('/')));
    // Every control keeps its value for the next drawing.
    QCOMPARE(f->labelBox()->text(), QStringLiteral("Re 4/4"));
    QVERIFY(f->window->chkEPO[4]->isChecked());

    QTest::mouseClick(f->eraseButton(), Qt::LeftButton);
    QCOMPARE(list->count(), 1);
    QCOMPARE(list->currentRow(), 0);
    QCOMPARE(f->window->entryCount, 1);
    f->window->eraseLastEntry();
    QCOMPARE(list->count(), 0);
    QCOMPARE(list->currentRow(), -1);
    f->window->eraseLastEntry();
    f->window->eraseLastEntry();
    QCOMPARE(f->window->entryCount, 0);
    QVERIFY(f->exchange->messages.isEmpty());

    // The freed slot is taken by the next entry.
    const QString other = QDir::toNativeSeparators(m_dir.filePath(QStringLiteral("other")) + '/');
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("other")));
    prepareEntry(*f, other, QStringLiteral("Re44.bmp"));
    f->window->addEntry();
    QCOMPARE(f->window->entryFolder.at(0), other);
    QCOMPARE(f->window->entryCount, 1);
}

void TestMainWindow::bothAddButtonsAdd()
{
    startNewLibrary(*f, QStringLiteral("Swiss"));
    prepareEntry(*f, m_dir.path(), QStringLiteral("Re44.bmp"));
    f->window->show();
    QVERIFY(QTest::qWaitForWindowExposed(f->window.get()));
    QTest::mouseClick(f->addButton(), Qt::LeftButton);
    QTest::mouseClick(f->child<QPushButton>(QStringLiteral("Command1")), Qt::LeftButton);
    auto *list = f->libraryList();
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->item(0)->text(), list->item(1)->text());
}

void TestMainWindow::typedCodesKept_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("columns"); // ULAND 44-46 or GT 47-48 of the entry line
    QTest::newRow("ULAND C") << "cboUland"
                             << "C"
                             << "C  ";
    QTest::newRow("ULAND U") << "cboUland"
                             << "U"
                             << "U  ";
    QTest::newRow("ULAND fr") << "cboUland"
                              << "fr"
                              << "fr ";
    QTest::newRow("GT P") << "cboGT"
                          << "P"
                          << "P ";
    QTest::newRow("GT f") << "cboGT"
                          << "f"
                          << "f ";
}

void TestMainWindow::typedCodesKept()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, columns);
    startNewLibrary(*f, QStringLiteral("Swiss"));
    prepareEntry(*f, m_dir.path(), QStringLiteral("Re44.bmp"));
    f->window->show();
    QVERIFY(QTest::qWaitForWindowActive(f->window.get()));
    auto *combo = f->child<QComboBox>(box);
    QLineEdit *edit = combo->lineEdit();
    QVERIFY(edit);
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, typed);
    QTest::mouseClick(f->addButton(), Qt::LeftButton);

    QVERIFY(f->exchange->messages.isEmpty());
    auto *list = f->libraryList();
    QCOMPARE(list->count(), 1);
    const bool country = box == QLatin1String("cboUland");
    QCOMPARE(list->item(0)->text().mid(country ? 43 : 46, country ? 3 : 2), columns);
    // The list is still there to choose from.
    QCOMPARE(combo->count(), country ? 15 : 13);
    combo->showPopup();
    QTest::keyClick(combo->view(), Qt::Key_Down);
    QTest::keyClick(combo->view(), Qt::Key_Return);
    QCOMPARE(combo->currentText(),
             country ? QStringLiteral("DK  - Denmark") : QStringLiteral("EA - Accumulator Car"));
}

void TestMainWindow::refusalMovesFocus_data()
{
    QTest::addColumn<Spoil>("spoil");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    // The click gave the button the focus; this refusal names no control, so it stays there.
    QTest::newRow("no drawing") << Spoil([](WindowFixture &w) {
        w.window->drawingFileName.clear();
    }) << "Select a bitmap FileName!"
                                << "cmdAdd";
    QTest::newRow("no epoch") << Spoil([](WindowFixture &w) {
        w.window->chkEPO[4]->setChecked(false);
    }) << "Select almost one value for EPOCHE!"
                              << "chkEPO_1";
    QTest::newRow("no type") << Spoil([](WindowFixture &w) {
        w.child<QComboBox>(QStringLiteral("cboGT"))->setEditText(QStringLiteral("  "));
    }) << "Select the type GT!"
                             << "cboGT";
    QTest::newRow("no OL") << Spoil([](WindowFixture &w) { w.window->chkOL[0]->setChecked(false); })
                           << "Select almost one value for OL!"
                           << "chkOL_1";
    QTest::newRow("OLH") << Spoil([](WindowFixture &w) {
        w.heightBox()->setText(QStringLiteral("39"));
    }) << "Select the height OLH or set to correct value [40-90]!"
                         << "txtPixels";
    QTest::newRow("cycle") << Spoil([](WindowFixture &w) {
        w.cycleBox()->setText(QStringLiteral("4"));
    }) << "The engine hasn't animation!"
                           << "txtCycle";
    QTest::newRow("variations") << Spoil([](WindowFixture &w) {
        w.window->chkVR[0]->setChecked(true);
    }) << "Re44.bmp hasn't variations!"
                                << "chkVR_0";
    QTest::newRow("label pasted with a line break")
        << Spoil([](WindowFixture &w) {
               auto *label = w.labelBox();
               label->clear();
               QGuiApplication::clipboard()->setText(QStringLiteral("ab\r\ncd"));
               QTest::keyClick(label, Qt::Key_V, Qt::ControlModifier);
               QCOMPARE(label->text(), QStringLiteral("ab\r\ncd"));
           })
        << "The LABEL holds the character U+000D, which would break the entry's line: please "
           "remove it!"
        << "txtDescription";
    QTest::newRow("drawing named with a line feed")
        << Spoil([](WindowFixture &w) { w.window->drawingFileName = QStringLiteral("Re\n44.bmp"); })
        << "The drawing file name holds the character U+000A, which would break the entry's "
           "line: please rename the file!"
        << "File1";
}

void TestMainWindow::refusalMovesFocus()
{
    QFETCH(Spoil, spoil);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    startNewLibrary(*f, QStringLiteral("Swiss"));
    prepareEntry(*f, m_dir.path(), QStringLiteral("Re44.bmp"));
    f->window->show();
    QVERIFY(QTest::qWaitForWindowActive(f->window.get()));
    // The focus starts on the LABEL box; a refusal without a control leaves it there.
    f->child(QStringLiteral("txtDescription"))->setFocus();
    spoil(*f);
    if (QTest::currentTestFailed())
        return;

    QTest::mouseClick(f->addButton(), Qt::LeftButton);
    QCOMPARE(f->exchange->messageTexts(), QStringList{message});
    QCOMPARE(f->exchange->messages.first().kind, MessageKind::Warning);
    QWidget *focused = QApplication::focusWidget();
    while (focused && focused->parentWidget() && focused->parentWidget()->objectName() == focus)
        focused = focused->parentWidget();
    QCOMPARE(focused ? focused->objectName() : QString(), focus);
    QCOMPARE(f->window->entryCount, 0);
    QCOMPARE(f->libraryList()->count(), 0);
}

void TestMainWindow::openReadsWholeFile()
{
    const QString path = QDir::toNativeSeparators(m_dir.filePath(QStringLiteral("Swiss.txt")));
    QVERIFY(writeBytes(path, "first\r\n\r\nthird\rlast"));
    startNewLibrary(*f, QStringLiteral("unsaved"));
    prepareEntry(*f, m_dir.path(), QStringLiteral("Re44.bmp"));
    f->window->addEntry();
    f->exchange->clearRecords();

    f->exchange->answerFile(path);
    f->action(QStringLiteral("menuOpen"))->trigger();
    // Over unsaved work the question comes first; answered OK, the file is opened.
    QCOMPARE(f->exchange->messageTexts(), QStringList{discard});
    const FileDialogRequest request = f->exchange->fileRequests.value(0);
    QCOMPARE(request.title, QStringLiteral("Get an Existing Source Library Attribute File"));
    QCOMPARE(request.filter, QStringLiteral("Source File (*.txt)|*.txt"));
    QCOMPARE(request.initialName, QStringLiteral("*.txt"));
    QCOMPARE(request.initialFolder, QDir::toNativeSeparators(QDir::currentPath()));
    QCOMPARE(request.purpose, FileDialogRequest::Purpose::Open);

    QCOMPARE(f->window->libraryMode, QStringLiteral("UPD"));
    QCOMPARE(f->window->libraryFile, path);
    QCOMPARE(f->window->libraryFolder,
             QDir::toNativeSeparators(m_dir.filePath(QStringLiteral("Swiss"))));
    QCOMPARE(f->window->entryCount, 4);
    QCOMPARE(itemTexts(f->libraryList()), (QStringList{"first", "", "third", "last"}));
    QCOMPARE(f->window->entryStatus.mid(0, 4), (QStringList{"O", "O", "O", "O"}));
    QCOMPARE(f->libraryCaption()->text(), "Source Library Attributes File: " + path);
    QCOMPARE(f->exchange->busyDepth, 0);
    QVERIFY(f->exchange->busyShown > 0);
}

void TestMainWindow::openCancelled()
{
    for (const bool cancel : {true, false}) {
        if (cancel)
            f->exchange->cancelFile();
        else
            f->exchange->answerFile(QStringLiteral("*.txt"));
        f->action(QStringLiteral("menuOpen"))->trigger();
        QCOMPARE(f->window->libraryMode, QStringLiteral("---"));
        QCOMPARE(f->window->libraryFile, QString());
        QVERIFY(f->exchange->messages.isEmpty());
    }
}

void TestMainWindow::openRefusals_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<int>("lines");      // -1: no file, -2: a folder
    QTest::addColumn<QString>("reason"); // part of the message
    QTest::newRow("missing file") << "none.txt" << -1 << "cannot be read";
    QTest::newRow("folder") << "dir.txt" << -2 << "cannot be read";
    QTest::newRow("no dot in the name") << "Swiss" << 3 << "has no \".\"";
    QTest::newRow("1001 lines") << "big.txt" << 1001 << "1001 entries";
}

void TestMainWindow::openRefusals()
{
    QFETCH(QString, fileName);
    QFETCH(int, lines);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString path = QDir::toNativeSeparators(dir.filePath(fileName));
    if (lines == -2)
        QVERIFY(QDir(dir.path()).mkdir(fileName));
    if (lines >= 0)
        QVERIFY(writeBytes(path, QByteArray("x\r\n").repeated(lines)));

    startNewLibrary(*f, QStringLiteral("Swiss"));
    prepareEntry(*f, m_dir.path(), QStringLiteral("Re44.bmp"));
    f->window->addEntry();
    f->exchange->answerFile(path);
    f->action(QStringLiteral("menuOpen"))->trigger();

    // The unsaved library's question, answered OK, then the refusal.
    QCOMPARE(f->exchange->messages.size(), 2);
    QCOMPARE(f->exchange->messages.first().text, discard);
    QCOMPARE(f->exchange->messages.last().kind, MessageKind::Warning);
    QVERIFY2(f->exchange->messages.last().text.startsWith(path),
             qPrintable(f->exchange->messages.last().text));
    QVERIFY2(f->exchange->messages.last().text.contains(reason),
             qPrintable(f->exchange->messages.last().text));
    QCOMPARE(f->window->libraryMode, QStringLiteral("NEW"));
    QCOMPARE(f->window->libraryFile, QStringLiteral("Swiss"));
    QCOMPARE(f->window->entryCount, 1);
    QCOMPARE(f->libraryList()->count(), 1);
    QCOMPARE(f->libraryCaption()->text(), QStringLiteral("Source Library Attributes File: Swiss"));
    QCOMPARE(f->exchange->busyDepth, 0);
}

void TestMainWindow::exitQuestion_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("question");
    const QString end = QStringLiteral("This will end the program's session");
    QTest::newRow("no library, OK") << "---" << true << end;
    QTest::newRow("no library, Cancel") << "---" << false << end;
    QTest::newRow("NEW, OK") << "NEW" << true << discard;
    QTest::newRow("UPD, Cancel") << "UPD" << false << discard;
}

void TestMainWindow::exitQuestion()
{
    QFETCH(QString, mode);
    QFETCH(bool, ok);
    QFETCH(QString, question);
    f->window->show();
    QVERIFY(QTest::qWaitForWindowExposed(f->window.get()));
    f->window->libraryMode = mode;
    f->exchange->answerMessage(ok ? MessageAnswer::Ok : MessageAnswer::Cancel);
    f->action(QStringLiteral("menuExit"))->trigger();
    QCOMPARE(f->exchange->messageTexts(), QStringList{question});
    QCOMPARE(f->exchange->messages.first().kind, MessageKind::Warning);
    QCOMPARE(f->exchange->messages.first().buttons, MessageButtons::OkCancel);
    // Exit asks once; the close that follows does not ask again.
    QCOMPARE(f->window->isVisible(), !ok);
}

void TestMainWindow::closeBoxAsks_data()
{
    // Steps before the library is left by the close box, Open or New: new, open, add, erase,
    // lose (the drawing is deleted), save. Each asks only while there is work that no save or
    // open has put on disk; New asks in mode NEW too, as designed.
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("leave");
    QTest::addColumn<bool>("asks");
    QTest::newRow("no library") << ""
                                << "close" << false;
    QTest::newRow("new library") << "new"
                                 << "close" << true;
    QTest::newRow("new library, entry added") << "new add"
                                              << "close" << true;
    QTest::newRow("new library saved") << "new add save"
                                       << "close" << false;
    QTest::newRow("saved, entry added") << "new add save add"
                                        << "close" << true;
    QTest::newRow("saved, entry erased") << "new add save erase"
                                         << "close" << true;
    QTest::newRow("saved, entry added, saved") << "new add save add save"
                                               << "close" << false;
    QTest::newRow("saved, drawing left uncopied") << "new add lose save"
                                                  << "close" << true;
    QTest::newRow("opened") << "open"
                            << "close" << false;
    QTest::newRow("opened, entry erased") << "open erase"
                                          << "close" << true;
    QTest::newRow("unsaved, then opened") << "new add open"
                                          << "close" << false;
    QTest::newRow("new library, entry added, Open") << "new add"
                                                    << "open" << true;
    QTest::newRow("new library saved, Open") << "new add save"
                                             << "open" << false;
    QTest::newRow("opened, Open") << "open"
                                  << "open" << false;
    QTest::newRow("opened, entry erased, New") << "open erase"
                                               << "new" << true;
    QTest::newRow("opened, entry added, New") << "open add"
                                              << "new" << true;
    QTest::newRow("new library saved, New") << "new add save"
                                            << "new" << false;
}

void TestMainWindow::closeBoxAsks()
{
    QFETCH(QString, steps);
    QFETCH(QString, leave);
    QFETCH(bool, asks);
    QTemporaryDir dir;
    QVERIFY(writeBytes(dir.filePath(QStringLiteral("Re44.bmp")), "BM"));
    const QString opened = QDir::toNativeSeparators(dir.filePath(QStringLiteral("Open.txt")));
    QVERIFY(writeBytes(opened, "one\r\n"));
    const QString saved = QDir::toNativeSeparators(dir.filePath(QStringLiteral("Swiss.txt")));
    f->window->show();
    QVERIFY(QTest::qWaitForWindowExposed(f->window.get()));
    for (const QString &step : steps.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (step == QLatin1String("new")) {
            startNewLibrary(*f, QStringLiteral("Swiss"));
            prepareEntry(*f, dir.path(), QStringLiteral("Re44.bmp"));
        } else if (step == QLatin1String("open")) {
            f->exchange->answerFile(opened);
            f->action(QStringLiteral("menuOpen"))->trigger();
            prepareEntry(*f, dir.path(), QStringLiteral("Re44.bmp"));
        } else if (step == QLatin1String("add")) {
            QTest::mouseClick(f->addButton(), Qt::LeftButton);
        } else if (step == QLatin1String("erase")) {
            QTest::mouseClick(f->eraseButton(), Qt::LeftButton);
        } else if (step == QLatin1String("lose")) {
            QVERIFY(QFile::remove(dir.filePath(QStringLiteral("Re44.bmp"))));
        } else if (step == QLatin1String("save")) {
            f->exchange->answerFile(saved);
            f->action(QStringLiteral("menuSave"))->trigger();
        }
    }
    const QStringList before = f->exchange->messageTexts();
    const bool savedWhole =
        steps.contains(QLatin1String("save")) && !steps.contains(QLatin1String("lose"));
    QVERIFY2(!before.filter(QStringLiteral("Generated/Updated!")).isEmpty() || !savedWhole,
             qPrintable(before.join(QLatin1Char('|'))));
    f->exchange->clearRecords();

    // Leaves the library by the row's way; true when the window (and its library) is gone.
    const QString other = QDir::toNativeSeparators(dir.filePath(QStringLiteral("Other.txt")));
    QVERIFY(writeBytes(other, "two\r\n"));
    const QString left = f->window->libraryFile;
    const auto leaveLibrary = [&] {
        if (leave == QLatin1String("close"))
            return f->window->close();
        if (leave == QLatin1String("open")) {
            f->exchange->answerFile(other);
            f->action(QStringLiteral("menuOpen"))->trigger();
        } else {
            f->exchange->answerInput(QStringLiteral("Other"));
            f->action(QStringLiteral("menuNew"))->trigger();
        }
        return f->window->libraryFile != left;
    };
    if (!asks) {
        QVERIFY(leaveLibrary());
        QVERIFY(f->exchange->messages.isEmpty());
        return;
    }
    const QString mode = f->window->libraryMode;
    const QString caption = f->libraryCaption()->text();
    const QStringList lines = itemTexts(f->libraryList());
    f->exchange->answerMessage(MessageAnswer::Cancel);
    QVERIFY(!leaveLibrary());
    QCOMPARE(f->exchange->messageTexts(), QStringList{discard});
    QCOMPARE(f->exchange->messages.first().buttons, MessageButtons::OkCancel);
    // Cancel changes nothing: no dialog follows.
    QVERIFY(f->exchange->fileRequests.isEmpty());
    QVERIFY(f->exchange->inputPrompts.isEmpty());
    QVERIFY(f->window->isVisible());
    QCOMPARE(f->window->libraryMode, mode);
    QCOMPARE(f->libraryCaption()->text(), caption);
    QCOMPARE(itemTexts(f->libraryList()), lines);
    f->exchange->clearRecords();
    f->exchange->answerMessage(MessageAnswer::Ok);
    QVERIFY(leaveLibrary());
    QCOMPARE(f->exchange->messageTexts(), QStringList{discard});
}

void TestMainWindow::fullLibraryRefusesEntry()
{
    const QString path = m_dir.filePath(QStringLiteral("Full.txt"));
    QVERIFY(writeBytes(path, QByteArray("x\r\n").repeated(1000)));
    f->exchange->answerFile(path);
    f->window->openLibrary();
    QCOMPARE(f->window->entryCount, 1000);
    prepareEntry(*f, m_dir.path(), QStringLiteral("Re44.bmp"));
    f->window->addEntry();
    QCOMPARE(f->exchange->messages.size(), 1);
    QVERIFY(f->exchange->messages.first().text.contains(QLatin1String("1000")));
    QCOMPARE(f->window->entryCount, 1000);
    QCOMPARE(f->libraryList()->count(), 1000);
}

void TestMainWindow::numericBoxesTakeDigitsOnly()
{
    f->window->show();
    QVERIFY(QTest::qWaitForWindowActive(f->window.get()));
    for (const QString &name : {QStringLiteral("txtPixels"), QStringLiteral("txtCycle")}) {
        f->exchange->clearRecords();
        auto *box = f->child<QLineEdit>(name);
        box->setFocus();
        box->end(false);
        const QString before = box->text();
        QTest::keyClicks(box, QStringLiteral("7x"));
        QCOMPARE(box->text(), before + QStringLiteral("7"));
        QCOMPARE(f->exchange->messageTexts(), QStringList{"Only numbers allowed in text box"});
        QCOMPARE(f->exchange->messages.first().kind, MessageKind::Critical);
    }
    // The LABEL box takes any text.
    f->exchange->clearRecords();
    QTest::keyClicks(f->child(QStringLiteral("txtDescription")), QStringLiteral("Re 4/4"));
    QVERIFY(f->exchange->messages.isEmpty());
}

// The built tessaro.exe carries the manifest Windows reads when it starts the program: made for
// Windows 10 and 11, long paths allowed, and no DPI setting (Qt makes its own).
void TestMainWindow::programManifest()
{
#ifndef Q_OS_WIN
    QSKIP("Only a Windows program carries an application manifest.");
#else
    const QString program = QDir::toNativeSeparators(QCoreApplication::applicationDirPath() +
                                                     QLatin1String("/../ui/tessaro.exe"));
    const HMODULE module =
        LoadLibraryExW(reinterpret_cast<const wchar_t *>(program.utf16()), nullptr,
                       LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    QVERIFY2(module, qPrintable(program));
    const HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    QVERIFY(resource);
    const HGLOBAL loaded = LoadResource(module, resource);
    const QByteArray manifest(static_cast<const char *>(LockResource(loaded)),
                              qsizetype(SizeofResource(module, resource)));
    FreeLibrary(module);
    QVERIFY2(manifest.contains("<supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"/>"),
             manifest.constData());
    QVERIFY2(manifest.contains("longPathAware>true</"), manifest.constData());
    QVERIFY2(!manifest.contains("dpiAware"), manifest.constData());
#endif
}

QTEST_MAIN(TestMainWindow)
#include "test_window_main.moc"

#include "captionfonts.h"
#include "frmabout.h"
#include "frmaiuto.h"
#include "frmedit.h"
#include "hostcommand.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QStyle>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <QWindow>

#include <functional>
#include <set>

// The windows on a real desktop: the system's own platform (X11 on Linux, Windows under Wine) on
// an X server with a window manager, at the scale desktop_session.sh sets up, keys pressed
// through the X server as a user presses them. TESSARO_DESKTOP_DPI names the scale (96 is
// 100 %), TESSARO_DESKTOP_PICTURES the host folder that keeps what a person sees.

namespace {

qreal expectedScale()
{
    return qEnvironmentVariableIntValue("TESSARO_DESKTOP_DPI") / 96.0;
}

// A path of the host as this program names it: under Wine the host's root is drive Z:.
QString seenHere(const QString &hostPath)
{
#ifdef Q_OS_WIN
    return QStringLiteral("Z:") + hostPath;
#else
    return hostPath;
#endif
}

// Presses keys through the X server ("alt+f", "Escape"), as a user does.
void pressOnHost(const char *keys)
{
    HostCommand::start(QByteArray("xdotool key --clearmodifiers ") + keys);
}

// Keeps a picture of a window as the screen shows it, frame included, under the host's name.
bool keepPicture(const QWidget &window, const QString &name)
{
    const QString folder = qEnvironmentVariable("TESSARO_DESKTOP_PICTURES");
    if (folder.isEmpty())
        return true;
    const QString picture = folder + QLatin1Char('/') + name;
    // A window just shown is drawn a moment later.
    QTest::qWait(500);
    QFile::remove(seenHere(picture));
    const qreal scale = window.devicePixelRatioF();
    const QRect frame = window.frameGeometry();
    const QRect pixels(QPoint(qRound(frame.x() * scale), qRound(frame.y() * scale)),
                       QSize(qRound(frame.width() * scale), qRound(frame.height() * scale)));
    HostCommand::start(QStringLiteral("import -window root -crop %1x%2+%3+%4 +repage '%5'")
                           .arg(pixels.width())
                           .arg(pixels.height())
                           .arg(pixels.x())
                           .arg(pixels.y())
                           .arg(picture)
                           .toLocal8Bit());
    return QTest::qWaitFor([&picture] { return QFileInfo(seenHere(picture)).size() > 0; }, 20000);
}

bool isDecoration(const QWidget &widget)
{
    // The about window's band and rules run to its edges and under one another, and the
    // railcar slides across the band from beyond the right edge; the main window's focus ring
    // lies around the control it marks: drawn so by design.
    return widget.metaObject() == &QFrame::staticMetaObject || widget.inherits("FocusRing") ||
           widget.objectName() == QLatin1String("imaSettebello");
}

bool captionFits(const QWidget &control)
{
    const QString caption = captionOf(control);
    if (caption.isEmpty())
        return true;
    if (const auto *label = qobject_cast<const QLabel *>(&control)) {
        const QRect room = label->contentsRect();
        const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
        const QRect needed = QFontMetrics(label->font(), label).boundingRect(room, flags, caption);
        return needed.width() <= room.width() && needed.height() <= room.height();
    }
    return QFontMetrics(control.font(), &control).horizontalAdvance(caption) <=
           captionRoom(control);
}

// Two controls on top of each other. The design's places are rounded from twips to pixels, so
// a caption may share its last row of pixels with the list below it.
bool overlap(const QWidget &one, const QWidget &other)
{
    const QRect common = one.geometry() & other.geometry();
    return common.width() > 1 && common.height() > 1;
}

// What a person would see wrong in a window: a control outside its parent, two controls on
// top of each other, a caption cut.
QStringList layoutProblems(const QWidget &window)
{
    QStringList problems;
    const QList<QWidget *> controls = window.findChildren<QWidget *>();
    for (const QWidget *control : controls) {
        if (!control->isVisible() || control->isWindow() || isDecoration(*control))
            continue;
        const QWidget *parent = control->parentWidget();
        if (!parent->rect().contains(control->geometry()))
            problems << control->objectName() + QLatin1String(" outside ") + parent->objectName();
        if (!captionFits(*control))
            problems << control->objectName() + QLatin1String(": caption cut");
        for (const QObject *other : parent->children()) {
            const auto *sibling = qobject_cast<const QWidget *>(other);
            if (sibling && sibling < control && sibling->isVisible() && !sibling->isWindow() &&
                !isDecoration(*sibling) && overlap(*sibling, *control))
                problems << control->objectName() + QLatin1String(" overlaps ") +
                                sibling->objectName();
        }
    }
    return problems;
}

QSet<QRgb> coloursOf(const QImage &image)
{
    QSet<QRgb> colours;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            colours.insert(rgb.pixel(x, y));
    return colours;
}

// What the platform's accessibility bridge would have been told, in order, while a test listens
// (heardOnArrival). Qt takes one plain function for it, hence the one list it fills.
struct HeardEvent
{
    QAccessible::Event type;
    QObject *object;
    int child;
};
QList<HeardEvent> *listening = nullptr;

void hear(QAccessibleEvent *event)
{
    if (listening)
        listening->append({event->type(), event->object(), event->child()});
}

} // namespace

class TestDesktop : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void twoPartMessageOnTwoLines();
    void captionsInSansSerif();
    void keyboardAfterDialog_data();
    void keyboardAfterDialog();
    void windowLayout_data();
    void windowLayout();
    void heardOnArrival_data();
    void heardOnArrival();
    void checkLibraryByKeys();
    void entryMenuByKeys();

private:
    QTemporaryDir m_drawings; // the window starts here, on two drawings
    std::unique_ptr<FrmEdit> m_window;
};

void TestDesktop::initTestCase()
{
    QVERIFY2(QGuiApplication::platformName() != QLatin1String("offscreen"),
             "run through desktop_session.sh, on the system's own platform");
    QVERIFY(expectedScale() >= 1.0);
    qInfo("platform %s, scale %.2f", qPrintable(QGuiApplication::platformName()), expectedScale());
    QVERIFY(m_drawings.isValid());
    QImage drawing(40, 20, QImage::Format_RGB32);
    drawing.fill(Qt::red);
    for (const char *name : {"CH_Re 4-4_E_SBB.bmp", "FRG_BR 01_D_DB.bmp"})
        QVERIFY(drawing.save(m_drawings.filePath(QLatin1String(name)), "BMP"));
    QVERIFY(QDir::setCurrent(m_drawings.path()));
}

void TestDesktop::init()
{
    m_window = std::make_unique<FrmEdit>();
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    QCOMPARE(m_window->devicePixelRatioF(), expectedScale());
}

void TestDesktop::cleanup()
{
    m_window.reset();
}

// The box breaks the line where the program joins two parts with a carriage return.
void TestDesktop::twoPartMessageOnTwoLines()
{
    m_window->libraryMode = QStringLiteral("NEW");
    QStringList shownLines;
    int lineHeight = 0;
    int labelHeight = 0;
    bool kept = false;
    QTimer::singleShot(0, this, [&] {
        QVERIFY(QTest::qWaitFor([] { return QApplication::activeModalWidget(); }));
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        QVERIFY(QTest::qWaitForWindowActive(box));
        const auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
        QVERIFY(label);
        shownLines = label->text().split(QLatin1Char('\n'));
        lineHeight = label->fontMetrics().lineSpacing();
        labelHeight = label->height();
        if (expectedScale() == 1.0)
            kept = keepPicture(*box, QStringLiteral("two-part-message.png"));
        box->button(QMessageBox::Cancel)->click();
    });
    m_window->findChild<QAction *>(QStringLiteral("menuNew"))->trigger();
    QCOMPARE(shownLines, QStringList({QStringLiteral("You are working on Source Library."),
                                      QStringLiteral("Discard the changes?")}));
    QVERIFY2(labelHeight >= 2 * lineHeight, qPrintable(QString::number(labelHeight)));
    QVERIFY(kept || expectedScale() != 1.0);
}

// Every caption in the design's face, or where it is missing in a sans-serif stand-in.
void TestDesktop::captionsInSansSerif()
{
    const QStringList faces = QStringList{QStringLiteral("MS Sans Serif")} + captionStandIns();
    QStringList others;
    for (const QWidget *control : m_window->centralWidget()->findChildren<QWidget *>()) {
        if (captionOf(*control).isEmpty())
            continue;
        const QString family = QFontInfo(control->font()).family();
        if (!faces.contains(family))
            others << control->objectName() + QLatin1String(": ") + family;
    }
    QVERIFY2(others.isEmpty(), qPrintable(others.join(QLatin1String("; "))));
}

void TestDesktop::keyboardAfterDialog_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QByteArray>("closeKey");
    QTest::newRow("message box") << "menuExit"
                                 << "---" << QByteArray("Escape");
    QTest::newRow("input box and its refusal") << "menuNew"
                                               << "---" << QByteArray("Escape");
    QTest::newRow("open dialog") << "menuOpen"
                                 << "---" << QByteArray("Escape");
    QTest::newRow("save dialog") << "menuSave"
                                 << "NEW" << QByteArray("Escape");
    QTest::newRow("about") << "menuAbout"
                           << "---" << QByteArray("Escape");
    // The help page takes neither Esc nor Enter: its one button is pressed with the space bar.
    QTest::newRow("help") << "menuHelp"
                          << "---" << QByteArray("space");
}

// After a dialog closes, however it was closed, the keyboard reaches the main window at once.
void TestDesktop::keyboardAfterDialog()
{
    QFETCH(QString, action);
    QFETCH(QString, mode);
    QFETCH(QByteArray, closeKey);
    m_window->libraryMode = mode;
    m_window->libraryFile = QStringLiteral("Swiss");
    const QWindow *main = m_window->windowHandle();
    const QRect place = m_window->frameGeometry();

    // Every dialog the command shows (a refusal may follow the first) is closed by a key as soon
    // as it has the keyboard; a native file dialog is no Qt window, so "not the main window".
    QTimer closer;
    closer.setInterval(700);
    connect(&closer, &QTimer::timeout, this, [&] {
        if (QGuiApplication::focusWindow() != main)
            pressOnHost(closeKey.constData());
    });
    closer.start();
    m_window->findChild<QAction *>(action)->trigger();
    closer.stop();
    QTest::qWait(700);

    auto *file = m_window->findChild<QMenu *>(QStringLiteral("menuFile"));
    pressOnHost("alt+f");
    QTRY_VERIFY_WITH_TIMEOUT(file->isVisible(), 10000);
    QCOMPARE(QApplication::activeWindow(), m_window.get());
    file->close();
    QVERIFY(m_window->isVisible());
    QCOMPARE(m_window->frameGeometry(), place);
}

void TestDesktop::windowLayout_data()
{
    QTest::addColumn<QString>("window");
    QTest::newRow("main") << "main";
    QTest::newRow("about") << "about";
    QTest::newRow("help") << "help";
}

// At every scale each window is whole on the screen, its controls laid out as designed, its
// captions whole and its pictures scaled smoothly.
void TestDesktop::windowLayout()
{
    QFETCH(QString, window);
    std::unique_ptr<QWidget> secondary;
    if (window == QLatin1String("about"))
        secondary = std::make_unique<FrmAbout>(m_window.get());
    else if (window == QLatin1String("help"))
        secondary = std::make_unique<FrmAiuto>(m_window.get());
    QWidget *shown = secondary ? secondary.get() : m_window.get();
    if (secondary) {
        secondary->show();
        QVERIFY(QTest::qWaitForWindowExposed(secondary.get()));
    }
    QTest::qWait(200);

    const QStringList problems = layoutProblems(*shown);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1String("; "))));
    // Whole on the screen: the frame no larger than the screen, the client area on it. (Where
    // the frame lies is the window manager's: under Wine its border and Windows' differ by a
    // pixel.)
    const QRect screen = shown->screen()->geometry();
    const QRect frame = shown->frameGeometry();
    QVERIFY2(frame.width() <= screen.width() && frame.height() <= screen.height() &&
                 screen.contains(shown->geometry()),
             qPrintable(QStringLiteral("window %1 x %2 at %3, %4 on a screen of %5 x %6")
                            .arg(frame.width())
                            .arg(frame.height())
                            .arg(frame.x())
                            .arg(frame.y())
                            .arg(screen.width())
                            .arg(screen.height())));

    if (expectedScale() > 1.0) {
        const QHash<QString, QString> pictures = {
            {QStringLiteral("imaSettebello"), QStringLiteral(":/railcar.bmp")},
            {QStringLiteral("Image1"), QStringLiteral(":/portrait.bmp")},
            {QStringLiteral("Picture1"), QStringLiteral(":/help.bmp")}};
        for (QLabel *picture : shown->findChildren<QLabel *>()) {
            if (!pictures.contains(picture->objectName()))
                continue;
            const QRect place = QStyle::alignedRect(
                picture->layoutDirection(), picture->alignment(),
                picture->pixmap().deviceIndependentSize().toSize(), picture->contentsRect());
            const qreal scale = picture->devicePixelRatioF();
            const QImage shown = picture->grab().toImage();
            const QRect inner = place.adjusted(1, 1, -1, -1) & picture->rect();
            const QSet<QRgb> drawn = coloursOf(shown.copy(
                QRect(QPoint(qRound(inner.x() * scale), qRound(inner.y() * scale)),
                      QSize(qRound(inner.width() * scale), qRound(inner.height() * scale)))));
            const QSet<QRgb> own = coloursOf(QImage(pictures.value(picture->objectName())));
            // Scaled smoothly, a picture shows blends of its neighbouring pixels; scaled by
            // repeating pixels, only its own colours.
            QVERIFY2(!(drawn - own).isEmpty(), qPrintable(picture->objectName()));
        }
    }
    if (!secondary && (expectedScale() == 1.0 || expectedScale() == 1.5))
        QVERIFY(keepPicture(
            *shown, QStringLiteral("main-window-%1.png").arg(qRound(expectedScale() * 100))));
}

void TestDesktop::heardOnArrival_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("control");
    // The value as a screen reader hears it, once FRG_BR 01_D_DB.bmp is chosen; none: nothing
    // is chosen and the value is not asked.
    QTest::addColumn<QString>("valueHeard");
    QTest::newRow("empty LABEL box") << "File1"
                                     << "txtDescription" << QString();
    QTest::newRow("empty PHASENLAENGE box") << "chkDT_1"
                                            << "txtCycle" << QString();
    QTest::newRow("folder list with its current folder") << "Drive1"
                                                         << "dirSourceBMP" << QString();
    QTest::newRow("LABEL box with the drawing's label") << "File1"
                                                        << "txtDescription"
                                                        << "BR 01 DB";
    QTest::newRow("OLH box with its value") << "chkOL_1"
                                            << "txtPixels"
                                            << "58";
    QTest::newRow("ULAND with the drawing's country") << "chkEPO_6"
                                                      << "cboUland"
                                                      << "FRG - Germany";
}

// Tabbing to a control, a screen reader hears of its arrival before anything else of it: a
// text box's focus before its caret and selection (which it would take for the arrival, and
// then say nothing of an empty box), a list's current item after the list.
void TestDesktop::heardOnArrival()
{
    if (!QAccessible::isActive())
        QSKIP("no accessibility bus on this desktop: the test desktop_screen_reader has one");
    QFETCH(QString, from);
    QFETCH(QString, control);
    QFETCH(QString, valueHeard);
    QWidget *start = m_window->findChild<QWidget *>(from);
    QWidget *target = m_window->findChild<QWidget *>(control);
    QVERIFY(start && target);
    if (!valueHeard.isEmpty()) {
        // The second of the two drawings, chosen with the keyboard: one key at a time, each
        // seen to move the list before the next, so that no key lands elsewhere.
        auto *files = m_window->findChild<QListWidget *>(QStringLiteral("File1"));
        files->setFocus(Qt::OtherFocusReason);
        QTRY_VERIFY(files->hasFocus());
        const QString chosen = QStringLiteral("FRG_BR 01_D_DB.bmp");
        for (int presses = 0; presses < 2 && m_window->drawingFileName != chosen; ++presses) {
            const int row = files->currentRow();
            pressOnHost("Down");
            QTRY_VERIFY(files->currentRow() != row);
            QTest::qWait(200); // the key's release, still on the list
        }
        QCOMPARE(m_window->drawingFileName, chosen);
    }
    start->setFocus(Qt::OtherFocusReason);
    QTRY_VERIFY(start->hasFocus());
    QTest::qWait(200);

    QList<HeardEvent> heard;
    listening = &heard;
    const QAccessible::UpdateHandler bridge = QAccessible::installUpdateHandler(hear);
    pressOnHost("Tab");
    const bool arrived = QTest::qWaitFor([target] { return target->hasFocus(); }, 10000);
    QTest::qWait(300);
    QAccessible::installUpdateHandler(bridge);
    listening = nullptr;
    QVERIFY(arrived);

    QList<QAccessible::Event> ofTarget;
    for (const HeardEvent &event : std::as_const(heard))
        if (event.object == target)
            ofTarget.append(event.type);
    QVERIFY(!ofTarget.isEmpty());
    QCOMPARE(ofTarget.first(), QAccessible::Focus);

    if (!valueHeard.isEmpty()) {
        // Read as Qt's AT-SPI bridge relays the text to a screen reader: attribute runs from
        // offset 0 on, joined, up to a run that does not advance.
        const auto *combo = qobject_cast<QComboBox *>(target);
        QWidget *box = combo ? combo->lineEdit() : target;
        QAccessibleTextInterface *text =
            QAccessible::queryAccessibleInterface(box)->textInterface();
        QVERIFY(text);
        QString joined;
        for (int offset = 0; offset < text->characterCount();) {
            int start = -1;
            int end = -1;
            text->attributes(offset, &start, &end);
            if (end <= offset)
                break;
            joined += text->text(offset, end);
            offset = end;
        }
        QCOMPARE(joined, valueHeard);
    }

    if (const auto *list = qobject_cast<QListWidget *>(target)) {
        QVERIFY(list->currentItem());
        QAccessibleInterface *spoken = QAccessible::queryAccessibleInterface(target);
        QStringList itemsHeard;
        for (const HeardEvent &event : std::as_const(heard))
            if (event.object == target && event.type == QAccessible::Focus && event.child >= 0)
                itemsHeard.append(spoken->child(event.child)->text(QAccessible::Name));
        QCOMPARE(itemsHeard, QStringList{list->currentItem()->text()});
    }
}

// The library list's own commands, by keys alone: the Menu key opens the entry menu on the
// current entry, arrows and Enter choose in it; Enter on an entry edits it, Delete removes it.
void TestDesktop::entryMenuByKeys()
{
    FrmEdit &w = *m_window;
    w.libraryMode = QStringLiteral("NEW");
    for (const char *name : {"CH_Re 4-4_E_SBB.bmp", "FRG_BR 01_D_DB.bmp"}) {
        w.sourceFolder = w.drawingFolder = m_drawings.path();
        w.drawingFileName = QLatin1String(name);
        w.chkEPO[4]->setChecked(true);
        w.findChild<QComboBox *>(QStringLiteral("cboUland"))->setCurrentIndex(2);
        w.findChild<QComboBox *>(QStringLiteral("cboGT"))->setCurrentIndex(2);
        w.findChild<QLineEdit *>(QStringLiteral("txtDescription"))
            ->setText(QLatin1String(name).left(8));
        w.addEntry();
    }
    auto *list = w.findChild<QListWidget *>(QStringLiteral("lstLibraryFile"));
    auto *menu = w.findChild<QMenu *>(QStringLiteral("mnuEntry"));
    auto *label = w.findChild<QLineEdit *>(QStringLiteral("txtDescription"));
    QCOMPARE(list->count(), 2);
    list->setCurrentRow(0);
    list->setFocus(Qt::OtherFocusReason);
    QTRY_VERIFY(list->hasFocus());
    label->clear();

    // Each key is seen to land before the next is pressed.
    const auto chooseInMenu = [&](int downs, const char *expected) {
        pressOnHost("Menu");
        QTRY_VERIFY_WITH_TIMEOUT(menu->isVisible(), 10000);
        for (int i = 0; i < downs; ++i) {
            const QAction *before = menu->activeAction();
            pressOnHost("Down");
            QTRY_VERIFY(menu->activeAction() != before);
        }
        QCOMPARE(menu->activeAction()->objectName(), QLatin1String(expected));
        pressOnHost("Return");
        QTRY_VERIFY(!menu->isVisible());
    };
    pressOnHost("Menu");
    QTRY_VERIFY_WITH_TIMEOUT(menu->isVisible(), 10000);
    if (expectedScale() == 1.0)
        QVERIFY(keepPicture(*menu, QStringLiteral("entry-menu.png")));
    pressOnHost("Escape");
    QTRY_VERIFY(!menu->isVisible());

    chooseInMenu(1, "menuEditEntry");
    QTRY_COMPARE(label->text(), QStringLiteral("CH_Re 4-"));
    QCOMPARE(w.drawingFileName, QStringLiteral("CH_Re 4-4_E_SBB.bmp"));

    // The label changed by keys, then put back in the entry's place by the menu.
    label->setFocus(Qt::OtherFocusReason);
    QTRY_VERIFY(label->hasFocus());
    pressOnHost("End");
    pressOnHost("BackSpace");
    QTRY_COMPARE(label->text(), QStringLiteral("CH_Re 4"));
    list->setFocus(Qt::OtherFocusReason);
    QTRY_VERIFY(list->hasFocus());
    chooseInMenu(2, "menuReplaceEntry");
    QTRY_VERIFY(list->item(0)->text().startsWith(QLatin1String("CH_Re 4 ")));

    // Delete asks in the warning box; Enter takes its OK.
    pressOnHost("Down");
    QTRY_COMPARE(list->currentRow(), 1);
    QTimer closer;
    closer.setInterval(700);
    connect(&closer, &QTimer::timeout, this, [&] {
        if (QApplication::activeModalWidget())
            pressOnHost("Return");
    });
    closer.start();
    pressOnHost("Delete");
    QTRY_COMPARE_WITH_TIMEOUT(list->count(), 1, 10000);
    closer.stop();
    QCOMPARE(w.entryCount, 1);
    QVERIFY(list->item(0)->text().startsWith(QLatin1String("CH_Re 4 ")));
}

// F7 shows the findings; Tab goes through the window once, Enter goes to the entry.
void TestDesktop::checkLibraryByKeys()
{
    FrmEdit &w = *m_window;
    w.libraryMode = QStringLiteral("NEW");
    QTemporaryDir gone;
    QImage drawing(40, 20, QImage::Format_RGB32);
    drawing.fill(Qt::blue);
    const QStringList names{"CH_Re 4-4_E_SBB.bmp", "FRG_BR 01_D_DB.bmp"};
    for (const QString &name : names) {
        const QString folder = name == names.last() ? gone.path() : m_drawings.path();
        if (folder == gone.path())
            QVERIFY(drawing.save(folder + QLatin1Char('/') + name, "BMP"));
        w.sourceFolder = w.drawingFolder = folder;
        w.drawingFileName = name;
        w.chkEPO[4]->setChecked(true);
        w.findChild<QComboBox *>(QStringLiteral("cboUland"))->setCurrentIndex(2);
        w.findChild<QComboBox *>(QStringLiteral("cboGT"))->setCurrentIndex(2);
        w.findChild<QLineEdit *>(QStringLiteral("txtDescription"))->setText(name.left(8));
        w.addEntry();
    }
    QVERIFY(gone.remove()); // the second entry's drawing is gone from its folder
    auto *list = w.findChild<QListWidget *>(QStringLiteral("lstLibraryFile"));
    QCOMPARE(list->count(), 2);
    // A key of the host seen to land first: the window has the keyboard.
    list->setCurrentRow(0);
    list->setFocus(Qt::OtherFocusReason);
    QTRY_VERIFY(list->hasFocus());
    pressOnHost("Down");
    QTRY_COMPARE_WITH_TIMEOUT(list->currentRow(), 1, 10000);
    list->setCurrentRow(0);

    // The window's own loop runs while it is shown: it is handled from there.
    QStringList visited;
    bool handled = false;
    QTimer watcher;
    watcher.setInterval(200);
    connect(&watcher, &QTimer::timeout, this, [&] {
        QWidget *check = QApplication::activeModalWidget();
        if (handled || !check || check->objectName() != QLatin1String("frmCheck"))
            return;
        handled = true;
        if (!QTest::qWaitForWindowActive(check))
            return;
        if (expectedScale() == 1.0 || expectedScale() == 1.5)
            keepPicture(*check,
                        QStringLiteral("check-library-%1.png").arg(qRound(expectedScale() * 100)));
        visited.append(QApplication::focusWidget()->objectName());
        for (int i = 0; i < 3; ++i) {
            const QWidget *before = QApplication::focusWidget();
            pressOnHost("Tab");
            if (!QTest::qWaitFor([&] { return QApplication::focusWidget() != before; }, 10000))
                return;
            visited.append(QApplication::focusWidget()->objectName());
        }
        pressOnHost("Return");
    });
    watcher.start();
    pressOnHost("F7");
    QTRY_VERIFY_WITH_TIMEOUT(handled && !QApplication::activeModalWidget(), 30000);
    watcher.stop();
    QCOMPARE(visited, (QStringList{"lstFindings", "cmdGoTo", "cmdClose", "lstFindings"}));
    QCOMPARE(list->currentRow(), 1);
    // The keyboard is back in the list once the window has it again.
    QTRY_COMPARE_WITH_TIMEOUT(QGuiApplication::focusWindow(), w.windowHandle(), 10000);
    QTest::qWait(700);
    pressOnHost("Up");
    QTRY_COMPARE_WITH_TIMEOUT(list->currentRow(), 0, 10000);
}

QTEST_MAIN(TestDesktop)
#include "test_desktop.moc"

#include "frmabout.h"
#include "frmaiuto.h"
#include "frmedit.h"
#include "programversion.h"
#include "scriptedexchange.h"
#include "window/slideanimation.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QPaintEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace {

// Places of the design, given in twips like the design, as the window shows them in pixels.
QRect fromTwips(int left, int top, int width, int height)
{
    const auto px = [](int twips) { return qRound(twips / 15.0); };
    return {px(left), px(top), px(width), px(height)};
}

// A line two pixels wide drawn from x1 to x2 at height y (twips), centred on y.
QRect lineFromTwips(int x1, int x2, int y)
{
    const int left = qRound(x1 / 15.0);
    return {left, qRound(y / 15.0 - 1), qRound(x2 / 15.0) - left, 2};
}

// A little-endian number of a bitmap file's headers.
quint32 headerField(const QByteArray &file, int offset, int bytes)
{
    quint32 value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(file.at(offset + i));
    return value;
}

// The bit count a bitmap file stores in its info header.
int storedBitsPerPixel(const QByteArray &file)
{
    if (file.size() < 54 || !file.startsWith("BM"))
        return -1;
    return static_cast<int>(headerField(file, 28, 2));
}

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Gathers, in window coordinates, everything painted in a window and its children.
class PaintRecorder : public QObject
{
public:
    explicit PaintRecorder(QWidget *window) : m_window(window)
    {
        window->installEventFilter(this);
        for (QWidget *child : window->findChildren<QWidget *>())
            child->installEventFilter(this);
    }

    QRegion painted;
    QStringList paintedWidgets;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            auto *widget = static_cast<QWidget *>(watched);
            const QRegion region = static_cast<QPaintEvent *>(event)->region();
            painted += region.translated(widget->mapTo(m_window, QPoint(0, 0)));
            paintedWidgets.append(widget->objectName());
        }
        return false;
    }

private:
    QWidget *m_window;
};

// Runs inspect on the modal window that the call opens, then closes it, so that a call that
// would wait in exec() returns.
void whileModal(const std::function<void()> &opening, const std::function<void(QDialog *)> &inspect)
{
    QTimer::singleShot(0, [&inspect] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (dialog) {
            inspect(dialog);
            dialog->reject();
            return;
        }
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (auto *open = qobject_cast<QDialog *>(widget); open && open->isVisible())
                open->reject();
        }
    });
    opening();
}

// The railcar's first turn, at the left limit (the slide's own table has the whole cycle).
constexpr int firstLeftTurn = 721;

// A new about window or help page, and the name of its one button.
std::unique_ptr<QDialog> secondaryWindow(const QString &window)
{
    if (window == QLatin1String("about"))
        return std::make_unique<FrmAbout>();
    return std::make_unique<FrmAiuto>();
}

QString okButtonOf(const QString &window)
{
    return window == QLatin1String("about") ? QStringLiteral("cmdOK") : QStringLiteral("Command1");
}

} // namespace

class TestWindowAbout : public QObject
{
    Q_OBJECT

private slots:
    void aboutDesignState_data();
    void aboutDesignState();
    void aboutStartsAnewAtEveryOpening();
    void enterAndEsc_data();
    void enterAndEsc();
    void closesByButtonAndCloseBox_data();
    void closesByButtonAndCloseBox();
    void helpDesignState_data();
    void helpDesignState();
    void movingRepaintsOnlyTheUncoveredStrip();
    void menuOpensFreshModalWindows();
    void pictures_data();
    void pictures();
    void committedHelpBitmap();
};

void TestWindowAbout::aboutDesignState_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QRect>("place");

    QTest::newRow("lblTitle") << "lblTitle" << fromTwips(923, 240, 3885, 270);
    QTest::newRow("Line2") << "Line2" << lineFromTwips(0, 6176, 666);
    QTest::newRow("Shape1") << "Shape1" << fromTwips(0, 675, 6198, 870);
    QTest::newRow("imaSettebello") << "imaSettebello" << fromTwips(5580, 675, 2415, 870);
    QTest::newRow("Line3") << "Line3" << lineFromTwips(0, 6176, 1557);
    QTest::newRow("Line4") << "Line4" << lineFromTwips(0, 6176, 1579);
    QTest::newRow("lblDescription") << "lblDescription" << fromTwips(90, 1800, 5579, 435);
    QTest::newRow("Line1_0") << "Line1_0" << lineFromTwips(105, 5654, 2460);
    QTest::newRow("Line1_1") << "Line1_1" << lineFromTwips(90, 5654, 2445);
    QTest::newRow("Image1") << "Image1" << fromTwips(105, 2520, 810, 795);
    QTest::newRow("lblDisclaimer") << "lblDisclaimer" << fromTwips(990, 2520, 2700, 825);
    QTest::newRow("cmdOK") << "cmdOK" << fromTwips(4245, 2835, 1260, 345);
}

void TestWindowAbout::aboutDesignState()
{
    QFETCH(QString, control);
    QFETCH(QRect, place);

    FrmAbout about;
    auto *widget = about.findChild<QWidget *>(control);
    QVERIFY(widget);
    QCOMPARE(widget->parentWidget(), &about);
    QCOMPARE(widget->geometry(), place);
}

void TestWindowAbout::aboutStartsAnewAtEveryOpening()
{
    const QColor orange(255, 128, 0);
    for (int opening = 1; opening <= 2; ++opening) {
        FrmAbout about;
        QCOMPARE(about.objectName(), QStringLiteral("frmAbout"));
        QCOMPARE(about.windowTitle(), QStringLiteral("About Zerbon"));
        QCOMPARE(about.size(), QSize(382, 237));
        QCOMPARE(about.minimumSize(), about.maximumSize());
        QVERIFY(!(about.windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(about.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(about.windowFlags() & Qt::MSWindowsFixedSizeDialogHint);
        QCOMPARE(about.palette().color(QPalette::Window), orange);
        QVERIFY(about.autoFillBackground());

        auto *title = about.findChild<QLabel *>(QStringLiteral("lblTitle"));
        QVERIFY(title);
        QCOMPARE(title->text(), QStringLiteral("Zerbon"));
        QVERIFY(title->font().bold());
        QVERIFY(title->alignment() & Qt::AlignHCenter);
        auto *description = about.findChild<QLabel *>(QStringLiteral("lblDescription"));
        QVERIFY(description);
        QCOMPARE(description->text(),
                 QStringLiteral("TESSARO: Compose a Source Library for Pavo scr"));
        QVERIFY(description->font().bold());
        QCOMPARE(description->palette().color(QPalette::WindowText), QColor(0, 0, 64));
        auto *disclaimer = about.findChild<QLabel *>(QStringLiteral("lblDisclaimer"));
        QVERIFY(disclaimer);
        // The credit line names the version the build was configured with.
        const QString version = QLatin1String(programVersion);
        QVERIFY2(
            QRegularExpression(QStringLiteral("^\\d+\\.\\d+(\\.\\d+)*$")).match(version).hasMatch(),
            qPrintable(version));
        QCOMPARE(
            disclaimer->text(),
            QStringLiteral("Tessaro %1. The railcar, the portrait and the help page were drawn "
                           "for this program.")
                .arg(version));

        auto *band = about.findChild<QWidget *>(QStringLiteral("Shape1"));
        QVERIFY(band);
        QCOMPARE(band->palette().color(QPalette::Window), QColor(Qt::black));
        for (const auto &[line, colour] :
             {std::pair{"Line2", QColor(128, 128, 128)}, std::pair{"Line3", QColor(128, 128, 128)},
              std::pair{"Line4", QColor(128, 64, 0)}, std::pair{"Line1_0", QColor(Qt::white)},
              std::pair{"Line1_1", QColor(128, 128, 128)}}) {
            auto *widget = about.findChild<QWidget *>(QString::fromLatin1(line));
            QVERIFY2(widget, line);
            QCOMPARE(widget->palette().color(QPalette::Window), colour);
        }

        auto *railcar = about.findChild<QLabel *>(QStringLiteral("imaSettebello"));
        QVERIFY(railcar);
        QCOMPARE(railcar->pixmap().size(), QSize(161, 58));
        QCOMPARE(railcar->geometry(), QRect(372, 45, 161, 58));
        auto *portrait = about.findChild<QLabel *>(QStringLiteral("Image1"));
        QVERIFY(portrait);
        QCOMPARE(portrait->pixmap().size(), QSize(54, 53));

        auto *ok = about.findChild<QPushButton *>(QStringLiteral("cmdOK"));
        QVERIFY(ok);
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QVERIFY(ok->isDefault());

        QCOMPARE(about.pictureLeft(), slideStartLeft);
        QCOMPARE(about.slideStep(), -1);
        auto *timer = about.findChild<QTimer *>(QStringLiteral("Timer1"));
        QVERIFY(timer);
        QCOMPARE(timer->interval(), 50);
        QVERIFY(timer->isActive());
        QVERIFY(!timer->isSingleShot());

        // Drive the railcar well into its journey before this window goes.
        for (int tick = 0; tick < firstLeftTurn + 10; ++tick)
            about.timer1Tick();
        QCOMPARE(about.slideStep(), 1);
        QCOMPARE(railcar->x(), slideUnitsToPixels(about.pictureLeft()));
        QVERIFY(railcar->x() < -1600);
    }
}

// The about window closes on Enter and Esc as if its OK were pressed; the help page takes
// neither, wherever the key is sent.
void TestWindowAbout::enterAndEsc_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("toFocusWidget");
    QTest::addColumn<bool>("closes");

    for (const char *window : {"about", "help"}) {
        const bool closes = QByteArray(window) == "about";
        const auto row = [&](const char *name, Qt::Key key, bool toFocus) {
            QTest::addRow("%s, %s", window, name) << window << int(key) << toFocus << closes;
        };
        row("Return to the window", Qt::Key_Return, false);
        row("Enter to the window", Qt::Key_Enter, false);
        row("Esc to the window", Qt::Key_Escape, false);
        row("Return to the focus", Qt::Key_Return, true);
        row("Enter to the focus", Qt::Key_Enter, true);
        row("Esc to the focus", Qt::Key_Escape, true);
    }
}

void TestWindowAbout::enterAndEsc()
{
    QFETCH(QString, window);
    QFETCH(int, key);
    QFETCH(bool, toFocusWidget);
    QFETCH(bool, closes);

    const std::unique_ptr<QDialog> dialog = secondaryWindow(window);
    auto *ok = dialog->findChild<QPushButton *>(okButtonOf(window));
    QVERIFY(ok);
    QSignalSpy pressed(ok, &QPushButton::clicked);
    QSignalSpy finished(dialog.get(), &QDialog::finished);
    dialog->show();
    dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog.get()));

    QWidget *target = toFocusWidget ? QApplication::focusWidget() : dialog.get();
    QVERIFY(target);
    if (toFocusWidget)
        QCOMPARE(target, ok);
    QTest::keyClick(target, Qt::Key(key));

    QCOMPARE(dialog->isVisible(), !closes);
    QCOMPARE(pressed.count(), closes ? 1 : 0);
    QCOMPARE(finished.count(), closes ? 1 : 0);
    if (closes)
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
}

void TestWindowAbout::closesByButtonAndCloseBox_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<bool>("byButton");
    for (const char *window : {"about", "help"}) {
        QTest::addRow("%s, its button", window) << window << true;
        QTest::addRow("%s, the close box", window) << window << false;
    }
}

void TestWindowAbout::closesByButtonAndCloseBox()
{
    QFETCH(QString, window);
    QFETCH(bool, byButton);

    const std::unique_ptr<QDialog> dialog = secondaryWindow(window);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    if (byButton) {
        auto *ok = dialog->findChild<QPushButton *>(okButtonOf(window));
        QVERIFY(ok);
        QTest::mouseClick(ok, Qt::LeftButton);
    } else {
        QVERIFY(dialog->close());
    }
    QVERIFY(!dialog->isVisible());
}

void TestWindowAbout::helpDesignState_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QRect>("place");

    QTest::newRow("Picture1") << "Picture1" << fromTwips(97, 105, 10560, 6780);
    QTest::newRow("Command1") << "Command1" << fromTwips(97, 7140, 10560, 495);
}

void TestWindowAbout::helpDesignState()
{
    QFETCH(QString, control);
    QFETCH(QRect, place);

    for (int opening = 1; opening <= 2; ++opening) {
        FrmAiuto help;
        QCOMPARE(help.objectName(), QStringLiteral("frmAiuto"));
        QCOMPARE(help.windowTitle(), QStringLiteral("How to use Tessaro"));
        QCOMPARE(help.size(), QSize(718, 518));
        QVERIFY(help.minimumSize() != help.maximumSize());
        QVERIFY(!(help.windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(help.windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(help.palette().color(QPalette::Window), QColor(255, 128, 0));

        auto *widget = help.findChild<QWidget *>(control);
        QVERIFY(widget);
        QCOMPARE(widget->geometry(), place);

        auto *picture = help.findChild<QLabel *>(QStringLiteral("Picture1"));
        QVERIFY(picture);
        QCOMPARE(picture->pixmap().size(), QSize(700, 450));
        // The whole page shows inside the box's frame.
        QVERIFY(picture->contentsRect().width() >= 700);
        QVERIFY(picture->contentsRect().height() >= 450);
        auto *ok = help.findChild<QPushButton *>(QStringLiteral("Command1"));
        QVERIFY(ok);
        QCOMPARE(ok->text(), QStringLiteral("Ok"));
        QVERIFY(!ok->isDefault());
        QVERIFY(!ok->autoDefault());

        help.show();
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        const QRect screen = help.screen()->availableGeometry();
        QVERIFY(qAbs(help.frameGeometry().center().x() - screen.center().x()) <= 1);
        QVERIFY(qAbs(help.frameGeometry().center().y() - screen.center().y()) <= 1);
        // Resizing moves nothing.
        help.resize(800, 600);
        QCOMPARE(widget->geometry(), place);
        help.close();
    }
}

// A tick moves the railcar by two or three pixels. What has to be painted is the strip of the
// band that it uncovers and, while it enters, the columns of it that come into the window; the
// rest of the railcar is shifted on screen, not painted again.
void TestWindowAbout::movingRepaintsOnlyTheUncoveredStrip()
{
    FrmAbout about;
    auto *timer = about.findChild<QTimer *>(QStringLiteral("Timer1"));
    auto *railcar = about.findChild<QLabel *>(QStringLiteral("imaSettebello"));
    QVERIFY(timer);
    QVERIFY(railcar);
    timer->stop();
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    about.repaint(); // nothing left pending from the opening

    const QRegion client(about.rect());
    PaintRecorder recorder(&about);
    const auto tickAndCheck = [&] {
        recorder.painted = QRegion();
        recorder.paintedWidgets.clear();
        const QRect before = railcar->geometry();
        about.timer1Tick();
        const QRect after = railcar->geometry();
        QVERIFY(after.x() < before.x());
        QVERIFY(before.x() - after.x() <= 3);

        QVERIFY(QTest::qWaitFor([&] { return !recorder.painted.isEmpty(); }));
        QCoreApplication::processEvents();

        const QRegion uncovered = (QRegion(before) - QRegion(after)) & client;
        const QRegion shifted = (QRegion(before) & client).translated(after.x() - before.x(), 0);
        const QRegion entering = (QRegion(after) & client) - shifted;
        const QRegion allowed = uncovered + entering;
        QVERIFY2((recorder.painted - allowed).isEmpty(),
                 qPrintable(QStringLiteral("painted %1 x %2 at %3,%4 in %5")
                                .arg(recorder.painted.boundingRect().width())
                                .arg(recorder.painted.boundingRect().height())
                                .arg(recorder.painted.boundingRect().x())
                                .arg(recorder.painted.boundingRect().y())
                                .arg(recorder.paintedWidgets.join(QLatin1Char(' ')))));
        QVERIFY(recorder.painted.boundingRect().width() <= 2 * 3);
    };

    // Entering from the right border.
    for (int tick = 0; tick < 5; ++tick) {
        tickAndCheck();
        if (QTest::currentTestFailed())
            return;
    }

    // Wholly inside the window: only the band behind it is painted.
    while (railcar->x() + railcar->width() > about.width() - 10)
        about.timer1Tick();
    about.repaint();
    for (int tick = 0; tick < 5; ++tick) {
        tickAndCheck();
        if (QTest::currentTestFailed())
            return;
        QVERIFY(!recorder.paintedWidgets.contains(QStringLiteral("imaSettebello")));
    }
}

void TestWindowAbout::menuOpensFreshModalWindows()
{
    FrmEdit window(std::make_unique<ScriptedExchange>());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *menuAbout = window.findChild<QAction *>(QStringLiteral("menuAbout"));
    auto *menuHelp = window.findChild<QAction *>(QStringLiteral("menuHelp"));
    QVERIFY(menuAbout);
    QVERIFY(menuHelp);

    for (int opening = 1; opening <= 2; ++opening) {
        QString name;
        bool modal = false;
        QWidget *owner = nullptr;
        double left = 0;
        qint32 step = 0;
        whileModal([&] { menuAbout->trigger(); },
                   [&](QDialog *dialog) {
                       name = dialog->objectName();
                       modal = dialog->isModal();
                       owner = dialog->parentWidget();
                       if (auto *about = qobject_cast<FrmAbout *>(dialog)) {
                           left = about->pictureLeft();
                           step = about->slideStep();
                           for (int tick = 0; tick < 100; ++tick)
                               about->timer1Tick();
                       }
                   });
        QCOMPARE(name, QStringLiteral("frmAbout"));
        QVERIFY(modal);
        QCOMPARE(owner, &window);
        QCOMPARE(left, slideStartLeft);
        QCOMPARE(step, -1);
        QVERIFY(window.findChildren<FrmAbout *>().isEmpty());
    }

    QString name;
    bool modal = false;
    whileModal([&] { menuHelp->trigger(); },
               [&](QDialog *dialog) {
                   name = dialog->objectName();
                   modal = dialog->isModal();
               });
    QCOMPARE(name, QStringLiteral("frmAiuto"));
    QVERIFY(modal);
    QVERIFY(window.findChildren<FrmAiuto *>().isEmpty());
}

void TestWindowAbout::pictures_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("bitsPerPixel");
    QTest::addColumn<int>("colours");

    QTest::newRow("railcar") << ":/railcar.bmp" << QSize(161, 58) << 24 << 0;
    QTest::newRow("portrait") << ":/portrait.bmp" << QSize(54, 53) << 8 << 256;
    QTest::newRow("help page") << ":/help.bmp" << QSize(700, 450) << 24 << 0;
    QTest::newRow("window icon") << ":/tessaro.bmp" << QSize(32, 32) << 4 << 16;
}

void TestWindowAbout::pictures()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    QFETCH(int, bitsPerPixel);
    QFETCH(int, colours);

    const FrmAbout registersTheResources;
    QImageReader reader(path);
    QCOMPARE(reader.format(), QByteArray("bmp"));
    const QImage image = reader.read();
    QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(image.size(), size);
    QCOMPARE(image.colorCount(), colours);
    QCOMPARE(storedBitsPerPixel(contentsOf(path)), bitsPerPixel);
}

void TestWindowAbout::committedHelpBitmap()
{
    const QString path = QFINDTESTDATA("../resources/help.bmp");
    QVERIFY(!path.isEmpty());
    const QByteArray file = contentsOf(path);
    QCOMPARE(file.size(), 945054);
    QCOMPARE(storedBitsPerPixel(file), 24);
    // The pixel rows follow the 54-byte headers, uncompressed: 450 rows of 2100 bytes.
    QCOMPARE(headerField(file, 2, 4), 945054u);
    QCOMPARE(headerField(file, 10, 4), 54u);
    QCOMPARE(headerField(file, 14, 4), 40u);
    QCOMPARE(headerField(file, 30, 4), 0u);

    QImageReader reader(path);
    const QImage image = reader.read();
    QCOMPARE(image.size(), QSize(700, 450));

    // The program carries exactly the committed file.
    const FrmAiuto registersTheResources;
    QCOMPARE(contentsOf(QStringLiteral(":/help.bmp")), file);
}

QTEST_MAIN(TestWindowAbout)
#include "test_window_about.moc"

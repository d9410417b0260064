#include "frmedit.h"
#include "testfiles.h"

#include <QCheckBox>
#include <QListWidget>

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>

#include <functional>

namespace {

// Runs act on the next visible modal dialog of class T as soon as it is shown, as a user would
// answer it, passing over others still closing. The poll belongs to the application until it
// has answered.
template <class T> void whenShown(std::function<void(T *)> act)
{
    auto *poll = new QTimer(qApp);
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, act] {
        auto *modal = qobject_cast<T *>(QApplication::activeModalWidget());
        if (!modal || !modal->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        act(modal);
    });
    poll->start();
}

void whenModalShown(std::function<void(QWidget *)> act)
{
    whenShown<QWidget>(std::move(act));
}

struct SeenBox
{
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
};

// Records the message box and presses the button with the given role.
std::function<void(QWidget *)> answerBox(SeenBox &seen, QMessageBox::StandardButton button)
{
    return [&seen, button](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        QVERIFY(box);
        seen = {box->windowTitle(), box->text(), box->icon(), int(box->buttons().size())};
        QTest::mouseClick(box->button(button), Qt::LeftButton);
    };
}

} // namespace

// The default window shows the real Qt dialogs, titled and worded as the program's own.
class TestRealDialogs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void warningBox();
    void questionBoxCancel();
    void inputBoxNamesLibrary();
    void openDialogReadsFile();
    void fileDialogColumnsRead();
    void wholeRoadThroughRealDialogs();

private:
    QTemporaryDir m_settings;
};

void TestRealDialogs::initTestCase()
{
    // Qt's file dialog keeps its view and column widths in the user's settings; the tests start
    // from none and leave the user's alone.
    QVERIFY(m_settings.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_settings.path()));
}

void TestRealDialogs::warningBox()
{
    FrmEdit window;
    window.show();
    SeenBox seen;
    whenModalShown(answerBox(seen, QMessageBox::Ok));
    window.findChild<QPushButton *>(QStringLiteral("cmdAdd"))->click();
    QCOMPARE(seen.title, QStringLiteral("Zerbon"));
    QCOMPARE(seen.text, QStringLiteral("Open a New or an Existing Source Library!"));
    QCOMPARE(seen.icon, QMessageBox::Warning);
    QCOMPARE(seen.buttons, 1);
}

void TestRealDialogs::questionBoxCancel()
{
    FrmEdit window;
    window.show();
    SeenBox seen;
    whenModalShown(answerBox(seen, QMessageBox::Cancel));
    window.findChild<QAction *>(QStringLiteral("menuExit"))->trigger();
    QCOMPARE(seen.text, QStringLiteral("This will end the program's session"));
    QCOMPARE(seen.buttons, 2);
    QVERIFY(window.isVisible());
    QVERIFY(!QApplication::overrideCursor());
}

void TestRealDialogs::inputBoxNamesLibrary()
{
    FrmEdit window;
    window.show();
    QString title;
    QString prompt;
    whenModalShown([&](QWidget *modal) {
        auto *input = qobject_cast<QInputDialog *>(modal);
        QVERIFY(input);
        title = input->windowTitle();
        prompt = input->labelText();
        QCOMPARE(input->textValue(), QString());
        input->findChild<QLineEdit *>()->setText(QStringLiteral("Swiss"));
        input->accept();
    });
    window.findChild<QAction *>(QStringLiteral("menuNew"))->trigger();
    QCOMPARE(title, QStringLiteral("Zerbon"));
    QCOMPARE(prompt, QStringLiteral("Name the Library:"));
    QCOMPARE(window.libraryMode, QStringLiteral("NEW"));
    QCOMPARE(window.findChild<QLabel *>(QStringLiteral("lblAF"))->text(),
             QStringLiteral("Source Library Attributes File: Swiss"));
}

void TestRealDialogs::openDialogReadsFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Swiss.txt"));
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("a\r\nb\r\n");
    }
    FrmEdit window;
    window.show();
    QString title;
    QStringList filters;
    whenModalShown([&](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        QVERIFY(dialog);
        title = dialog->windowTitle();
        filters = dialog->nameFilters();
        // Typed into the name box and confirmed with Enter, as a user does.
        auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        QVERIFY(name);
        name->setText(path);
        QTest::keyClick(name, Qt::Key_Return);
    });
    window.findChild<QAction *>(QStringLiteral("menuOpen"))->trigger();
    QCOMPARE(title, QStringLiteral("Get an Existing Source Library Attribute File"));
    QCOMPARE(filters, QStringList{"Source File (*.txt)"});
    QCOMPARE(window.libraryMode, QStringLiteral("UPD"));
    QCOMPARE(window.libraryFile, QDir::toNativeSeparators(path));
    QCOMPARE(window.entryCount, 2);
    QVERIFY(!QApplication::overrideCursor());
}

// Qt's own dialog, at the size it opens, shows every column of the files it lists uncut
// ("469 bytes", not "469...tes").
void TestRealDialogs::fileDialogColumnsRead()
{
    QTemporaryDir dir;
    QVERIFY(writeBytes(dir.filePath(QStringLiteral("Swiss.txt")), QByteArray(469, 'a')));
    QVERIFY(writeBytes(dir.filePath(QStringLiteral("Swiss old.txt")), QByteArray(1469, 'a')));
    const QString startFolder = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    FrmEdit window;
    window.show();
    QStringList cut;
    QString title;
    whenShown<QFileDialog>([&](QFileDialog *dialog) {
        title = dialog->windowTitle();
        // The columns are the detail view's, whatever view the user chose last time.
        dialog->setViewMode(QFileDialog::Detail);
        auto *details = dialog->findChild<QTreeView *>(QStringLiteral("treeView"));
        QVERIFY(details && details->isVisible());
        QTRY_COMPARE(details->model()->rowCount(details->rootIndex()), 2);
        QCoreApplication::processEvents();
        const QHeaderView *header = details->header();
        for (int column = 0; column < header->count(); ++column) {
            if (header->isSectionHidden(column))
                continue;
            const int needed =
                std::max(static_cast<const QAbstractItemView *>(details)->sizeHintForColumn(column),
                         header->sectionSizeHint(column));
            if (header->sectionSize(column) < needed)
                cut.append(details->model()->headerData(column, Qt::Horizontal).toString() +
                           QStringLiteral(" %1 < %2").arg(header->sectionSize(column)).arg(needed));
        }
        dialog->reject();
    });
    window.findChild<QAction *>(QStringLiteral("menuOpen"))->trigger();
    QDir::setCurrent(startFolder);
    QCOMPARE(title, QStringLiteral("Get an Existing Source Library Attribute File"));
    QCOMPARE(cut, QStringList());
    QCOMPARE(window.libraryMode, QStringLiteral("---"));
}

// A user's whole road: a drawing picked in the lists, a new library named in the input box,
// the entry added, and the library saved through the save dialog.
void TestRealDialogs::wholeRoadThroughRealDialogs()
{
    QTemporaryDir dir;
    const QString drawings = dir.filePath(QStringLiteral("drawings"));
    QVERIFY(QDir().mkpath(drawings));
    QVERIFY(writeBytes(drawings + QStringLiteral("/CH_Re 4-4_E_SBB.bmp"), "BM drawing"));
    const QString startFolder = QDir::currentPath();
    QVERIFY(QDir::setCurrent(drawings));

    FrmEdit window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *files = window.findChild<QListWidget *>(QStringLiteral("File1"));
    QCOMPARE(files->count(), 1);
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {},
                      files->visualItemRect(files->item(0)).center());
    QTest::mouseClick(window.findChild<QCheckBox *>(QStringLiteral("chkEPO_4")), Qt::LeftButton);

    whenShown<QInputDialog>([](QInputDialog *input) {
        auto *edit = input->findChild<QLineEdit *>();
        QTest::keyClicks(edit, QStringLiteral("Swiss"));
        QTest::keyClick(edit, Qt::Key_Return);
    });
    window.findChild<QAction *>(QStringLiteral("menuNew"))->trigger();
    QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);

    const QString file = QDir::toNativeSeparators(dir.filePath(QStringLiteral("Swiss")));
    QString proposed;
    SeenBox completion;
    whenShown<QFileDialog>([&](QFileDialog *dialog) {
        auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        proposed = name->text();
        name->setText(file); // typed without extension: the dialog adds ".txt"
        QTest::keyClick(name, Qt::Key_Return);
        whenShown<QMessageBox>([&](QMessageBox *box) {
            completion = {box->windowTitle(), box->text(), box->icon(), int(box->buttons().size())};
            QTest::keyClick(box, Qt::Key_Return);
        });
    });
    window.findChild<QAction *>(QStringLiteral("menuSave"))->trigger();
    QDir::setCurrent(startFolder);

    QCOMPARE(proposed, QStringLiteral("Swiss.txt"));
    QCOMPARE(
        completion.text,
        QStringLiteral("Source Library Attributes File and copy of drawings\nGenerated/Updated!"));
    QCOMPARE(completion.icon, QMessageBox::Information);
    QCOMPARE(
        readBytes(dir.filePath(QStringLiteral("Swiss.txt"))),
        QByteArray(
            "Re 4-4 SBB                              4  CH E Y58NBNNN0NCH_Re 4-4_E_SBB.bmp\r\n"));
    QCOMPARE(readBytes(dir.filePath(QStringLiteral("Swiss/E/CH_Re 4-4_E_SBB.bmp"))),
             QByteArray("BM drawing"));
    QVERIFY(QFileInfo(dir.filePath(QStringLiteral("Swiss/consists"))).isDir());
    QCOMPARE(window.libraryMode, QStringLiteral("UPD"));
    QVERIFY(!QApplication::overrideCursor());
}

QTEST_MAIN(TestRealDialogs)
#include "test_window_realdialogs.moc"

#include "drivelist.h"
#include "filelist.h"
#include "folderlist.h"
#include "hiddenfile.h"
#include "scratchdrive.h"
#include "testfiles.h"
#include "text/codepage.h"
#include "windowfixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <filesystem>

namespace {

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

void writePicture(const QString &path, QSize size)
{
    QImage image(size, QImage::Format_RGB888);
    image.fill(Qt::darkGreen);
    QVERIFY(image.save(path, "BMP"));
}

void writeText(const QString &path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("not a picture");
}

// The attribute controls that a selection pre-sets, as one comparable text.
QString attributes(const WindowFixture &f)
{
    const auto ticked = [](QCheckBox *box) {
        return box->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    };
    const FrmEdit &w = *f.window;
    return QStringLiteral("cycle=%1 uland=%2 gt=%3 ol=%4%5%6 vr=%7%8 label=%9")
        .arg(f.cycleBox()->text())
        .arg(f.child<QComboBox>(QStringLiteral("cboUland"))->currentIndex())
        .arg(f.child<QComboBox>(QStringLiteral("cboGT"))->currentIndex())
        .arg(ticked(w.chkOL[0]), ticked(w.chkOL[1]), ticked(w.chkOL[2]), ticked(w.chkVR[0]),
             ticked(w.chkVR[1]))
        .arg(f.labelBox()->text());
}

// The folder list's item for the folder at path, or null.
QListWidgetItem *folderItem(const QListWidget *folders, const QString &path)
{
    for (int i = 0; i < folders->count(); ++i)
        if (folders->item(i)->data(Qt::UserRole).toString() == path)
            return folders->item(i);
    return nullptr;
}

// A double-click as the window system delivers it: a click, then the second press that the
// system reports as a double-click.
void doubleClick(QListWidget *list, QListWidgetItem *item)
{
    list->scrollToItem(item);
    const QPoint at = list->visualItemRect(item).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

} // namespace

class TestNavigation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void variationsFromTheListing_data();
    void variationsFromTheListing();
    void initTestCase();
    void init();
    void cleanup();
    void listsOpenOnCurrentFolder();
    void folderChangeMovesFileList();
    void enterOpensFolder();
    void fileListShowsDrawingsOnly();
    void listOrder_data();
    void listOrder();
    void driveWithoutMedium();
    void driveWithoutMediumAtRoot();
    void driveChangeRunsFolderChange();
#ifdef Q_OS_WIN
    void driveLetters();
#endif
    void selectionPresetsAttributes();
    void keyboardSelection();
    void companionRefusals_data();
    void companionRefusals();
    void pantographRefusalShowsCycleFirst();
    void unreadablePictureClearsPreview();
    void emptyFolderAsksToLineUp_data();
    void emptyFolderAsksToLineUp();
    void rootFolderDrawingShows();
    void complementRule_data();
    void complementRule();
    void singleChoiceRule();
    void epochsHaveNoRule();
    void wholeRoad();
    void addTakesOnlyTheDrawingShown();
    void openFolderStandsOut();
    void listsFollowTheDisk();
    void fileListRowsFitNamesAndFont();
    void firstSaveShowsLibraryFolder();

private:
    void selectFile(const QString &name);

    QTemporaryDir m_volume;
    QString m_volumePath; // the root of the drawings' volume, ending with "/"
    QString m_root;
    QString m_drawings;
    QString m_missingDrive;
    QString m_startFolder;
    std::unique_ptr<WindowFixture> f;
    DriveList *drives = nullptr;
    FolderList *folders = nullptr;
    FileList *files = nullptr;
};

void TestNavigation::initTestCase()
{
    QVERIFY(m_volume.isValid());
    // A temporary folder plays a volume, and a folder that is not there a drive without a
    // medium; where the test has drive letters of its own, they are the real thing.
    m_volumePath = haveScratchDriveD() ? QStringLiteral("D:/") : m_volume.path() + '/';
    const QString &volume = m_volumePath;
    m_root = native(volume);
    if (m_root.size() > 3)
        m_root.chop(1);
    m_drawings = native(volume + QStringLiteral("drawings"));
    m_missingDrive = haveScratchDriveD() ? QString::fromLatin1(unreadyDriveRoot())
                                         : native(volume + QStringLiteral("no-medium"));
    QVERIFY(QDir(volume).mkpath(QStringLiteral("drawings/sub b")));
    QVERIFY(QDir(volume).mkpath(QStringLiteral("drawings/sub a")));
    QVERIFY(QDir(volume).mkpath(QStringLiteral("drawings/folder.bmp")));
    writePicture(volume + QStringLiteral("root.bmp"), {20, 10});
    const QString d = volume + QStringLiteral("drawings/");
    writePicture(d + QStringLiteral("I_E 626_E_FS_0.bmp"), {120, 40});
    writePicture(d + QStringLiteral("I_E 626_E_FS_0_N1.bmp"), {120, 40});
    writePicture(d + QStringLiteral("I_E 626_E_FS_1.bmp"), {120, 40});
    writePicture(d + QStringLiteral("I_E 626_E_FS_SAR.bmp"), {120, 40});
    writePicture(d + QStringLiteral("FRG_BR 01_D_DB.bmp"), {400, 90});
    writePicture(d + QStringLiteral("CH_Re 4-4_E_SBB.BMP"), {50, 20});
    writePicture(d + QStringLiteral("a10.bmp"), {5, 5});
    writePicture(d + QStringLiteral("a2.bmp"), {5, 5});
    writeText(d + QStringLiteral("broken_x_V_y.bmp"));
    writeText(d + QStringLiteral("notes.txt"));
    writeText(d + QStringLiteral(".hidden.bmp"));
    m_startFolder = QDir::currentPath();
}

void TestNavigation::init()
{
    QVERIFY(QDir::setCurrent(m_drawings));
    f = std::make_unique<WindowFixture>();
    drives = f->child<DriveList>(QStringLiteral("Drive1"));
    folders = f->child<FolderList>(QStringLiteral("dirSourceBMP"));
    files = f->child<FileList>(QStringLiteral("File1"));
    drives->setDriveRoots({m_root, m_missingDrive});
    f->window->show();
    QVERIFY(QTest::qWaitForWindowExposed(f->window.get()));
}

void TestNavigation::cleanup()
{
    f.reset();
    QDir::setCurrent(m_startFolder);
}

void TestNavigation::selectFile(const QString &name)
{
    const QList<QListWidgetItem *> found = files->findItems(name, Qt::MatchExactly);
    QVERIFY2(found.size() == 1, qPrintable(name));
    files->scrollToItem(found.first());
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {},
                      files->visualItemRect(found.first()).center());
}

void TestNavigation::listsOpenOnCurrentFolder()
{
    QCOMPARE(drives->drive(), m_root);
    QCOMPARE(folders->path(), m_drawings);
    QCOMPARE(files->path(), m_drawings);
    QCOMPARE(f->window->sourceFolder, m_drawings);
    QVERIFY(files->selectedItems().isEmpty());
    // The folder list shows the path's ancestors, then its sub-folders.
    const QStringList shown = itemTexts(folders);
    QVERIFY(shown.size() >= 4);
    QCOMPARE(shown.mid(shown.size() - 3)
                 .replaceInStrings(QRegularExpression(QStringLiteral("^ +")), QString()),
             (QStringList{"folder.bmp", "sub a", "sub b"}));
}

void TestNavigation::folderChangeMovesFileList()
{
    f->window->drawingFileName = QStringLiteral("earlier.bmp");
    const QString target = native(m_volumePath + QStringLiteral("drawings/sub a"));
    QListWidgetItem *item = folderItem(folders, target);
    QVERIFY(item);
    doubleClick(folders, item);
    QCOMPARE(folders->path(), target);
    QCOMPARE(f->window->sourceFolder, target);
    QCOMPARE(files->count(), 0);
    QCOMPARE(f->window->drawingFileName, QStringLiteral("earlier.bmp"));

    // Opening an ancestor goes back up.
    QListWidgetItem *up = folderItem(folders, m_root);
    QVERIFY(up);
    doubleClick(folders, up);
    QCOMPARE(f->window->sourceFolder, m_root);
    QCOMPARE(itemTexts(files), QStringList{"root.bmp"});
    QVERIFY(f->exchange->messages.isEmpty());
}

void TestNavigation::enterOpensFolder()
{
    const QString target = native(m_volumePath + QStringLiteral("drawings/sub b"));
    folders->setFocus();
    for (int i = 0; i < folders->count(); ++i)
        if (folders->item(i)->data(Qt::UserRole).toString() == target)
            folders->setCurrentRow(i);
    // Moving the cursor alone opens nothing.
    QCOMPARE(f->window->sourceFolder, m_drawings);
    QTest::keyClick(folders, Qt::Key_Return);
    QCOMPARE(f->window->sourceFolder, target);
    QCOMPARE(files->path(), target);
}

void TestNavigation::fileListShowsDrawingsOnly()
{
    QStringList shown = itemTexts(files);
    shown.sort();
    QCOMPARE(shown, (QStringList{"CH_Re 4-4_E_SBB.BMP", "FRG_BR 01_D_DB.bmp", "I_E 626_E_FS_0.bmp",
                                 "I_E 626_E_FS_0_N1.bmp", "I_E 626_E_FS_1.bmp",
                                 "I_E 626_E_FS_SAR.bmp", "a10.bmp", "a2.bmp", "broken_x_V_y.bmp"}));
}

void TestNavigation::listOrder_data()
{
    QTest::addColumn<bool>("folders"); // the folder list, else the file list
    QTest::addColumn<QString>("earlier");
    QTest::addColumn<QString>("later");
    // Both lists show the file manager's order (its rule has a table of its own).
    QTest::newRow("drawings") << false << "CH_Re 4-4_E_SBB.bmp"
                              << "CH_Re 4-4_E_SBB_SAR.bmp";
    QTest::newRow("folders") << true << "Swiss.old"
                             << "Swiss_old";
}

void TestNavigation::listOrder()
{
    QFETCH(bool, folders);
    QFETCH(QString, earlier);
    QFETCH(QString, later);
    QTemporaryDir dir;
    // Made in the opposite order, so that the order in which the folder is read cannot help.
    for (const QString &name : {later, earlier}) {
        if (folders)
            QVERIFY(QDir(dir.path()).mkdir(name));
        else
            writeText(dir.filePath(name));
    }
    QVERIFY(this->folders->setPath(dir.path()));
    QStringList shown;
    if (folders) {
        for (int i = 0; i < this->folders->count(); ++i)
            shown.append(QDir(this->folders->item(i)->data(Qt::UserRole).toString()).dirName());
        shown = shown.mid(shown.size() - 2);
    } else {
        shown = itemTexts(files);
    }
    QCOMPARE(shown, (QStringList{earlier, later}));
}

void TestNavigation::driveWithoutMedium()
{
    drives->setDrive(m_missingDrive);
    QCOMPARE(f->exchange->messageTexts(), QStringList{"Device NOT available!"});
    QCOMPARE(f->exchange->messages.first().kind, MessageKind::Warning);
    // Back on the previous drive, at its root rather than the folder shown before.
    QCOMPARE(drives->drive(), m_root);
    QCOMPARE(folders->path(), m_root);
    QCOMPARE(files->path(), m_root);
    QCOMPARE(f->window->sourceFolder, m_root);
    QCOMPARE(native(QDir::currentPath()), m_root);
}

void TestNavigation::driveWithoutMediumAtRoot()
{
    drives->setDrive(m_missingDrive);
    f->exchange->clearRecords();
    drives->setDrive(m_missingDrive);
    QCOMPARE(f->exchange->messageTexts(), QStringList{"Device NOT available!"});
    QCOMPARE(folders->path(), m_root);
    QCOMPARE(f->window->sourceFolder, m_root);
}

void TestNavigation::driveChangeRunsFolderChange()
{
    // The folder list already shows the root: the drive change still sets sourceFolder.
    QVERIFY(folders->setPath(m_root));
    f->window->sourceFolder = QStringLiteral("elsewhere");
    drives->setDriveRoots({m_missingDrive, m_root});
    drives->setDrive(m_missingDrive);
    f->exchange->clearRecords();
    QCOMPARE(f->window->sourceFolder, m_root);
    QCOMPARE(itemTexts(files), QStringList{"root.bmp"});
}

#ifdef Q_OS_WIN
void TestNavigation::driveLetters()
{
    // The computer's drives as letters, each shown as the letter, ":" and more.
    const QStringList roots = DriveList::hostDriveRoots();
    QVERIFY2(roots.contains(QStringLiteral("C:\\")), qPrintable(roots.join(' ')));
    DriveList list;
    for (int i = 0; i < list.count(); ++i) {
        const QString root = list.itemData(i).toString();
        QCOMPARE(root.size(), 3);
        QVERIFY2(root.at(0).isUpper() && root.endsWith(QLatin1String(":\\")), qPrintable(root));
        QVERIFY2(list.itemText(i).startsWith(root.left(2)), qPrintable(list.itemText(i)));
        QVERIFY2(!list.itemText(i).contains(QLatin1Char('/')), qPrintable(list.itemText(i)));
    }
    if (!haveScratchDriveD())
        return;
    // Picking C:, then D: moves all three lists to each root. (Wine lists a drive mapped after
    // its server started only once it starts again; the list then takes the drive as a new one.)
    drives->setDriveRoots(DriveList::hostDriveRoots());
    drives->setDrive(QStringLiteral("D:\\"));
    const int c = drives->findData(QStringLiteral("C:\\"));
    QVERIFY(c >= 0);
    drives->setCurrentIndex(c);
    QCOMPARE(f->window->sourceFolder, QStringLiteral("C:\\"));
    QCOMPARE(folders->path(), QStringLiteral("C:\\"));
    drives->setDrive(QStringLiteral("D:\\"));
    QCOMPARE(f->window->sourceFolder, QStringLiteral("D:\\"));
    QCOMPARE(folders->path(), QStringLiteral("D:\\"));
    QCOMPARE(itemTexts(files), QStringList{"root.bmp"});
    QCOMPARE(QDir::toNativeSeparators(QDir::currentPath()), QStringLiteral("D:\\"));
    QVERIFY(f->exchange->messages.isEmpty());
}
#endif

void TestNavigation::selectionPresetsAttributes()
{
    selectFile(QStringLiteral("I_E 626_E_FS_0.bmp"));
    QVERIFY(f->exchange->messages.isEmpty());
    QCOMPARE(f->window->drawingFileName, QStringLiteral("I_E 626_E_FS_0.bmp"));
    QCOMPARE(f->window->sourceFolder, m_drawings + QDir::separator());
    QCOMPARE(attributes(*f), QStringLiteral("cycle=6 uland=8 gt=2 ol=100 vr=10 label=E 626 FS"));
    const QPixmap shown = f->preview()->pixmap();
    QCOMPARE(shown.size(), QSize(120, 40));

    // A steam locomotive unticks OL "Y" and leaves "N" and "3rail" as they are.
    selectFile(QStringLiteral("FRG_BR 01_D_DB.bmp"));
    QCOMPARE(attributes(*f), QStringLiteral("cycle= uland=5 gt=0 ol=000 vr=01 label=BR 01 DB"));
    QCOMPARE(f->preview()->pixmap().size(), QSize(400, 90));

    // No country or type recognised: those lists keep the earlier values.
    selectFile(QStringLiteral("a2.bmp"));
    QCOMPARE(attributes(*f), QStringLiteral("cycle= uland=5 gt=0 ol=000 vr=01 label=a2.bmp a2"));

    selectFile(QStringLiteral("CH_Re 4-4_E_SBB.BMP"));
    QCOMPARE(attributes(*f), QStringLiteral("cycle= uland=2 gt=2 ol=100 vr=01 label=Re 4-4 SBB"));
}

void TestNavigation::keyboardSelection()
{
    files->setFocus();
    QTest::keyClick(files, Qt::Key_Down);
    QVERIFY(files->currentItem());
    QCOMPARE(f->window->drawingFileName, files->currentItem()->text());
    const int row = files->currentRow();
    QTest::keyClick(files, Qt::Key_Down);
    QCOMPARE(files->currentRow(), row + 1);
    const QString name = files->currentItem()->text();
    QCOMPARE(f->window->drawingFileName, name);
    QCOMPARE(f->labelBox()->text().isEmpty(), false);
}

void TestNavigation::companionRefusals_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("cycle");
    QTest::newRow("frame") << "I_E 626_E_FS_1.bmp"
                           << "Drawing Animation: choose the '_0' base drawing"
                           << "6";
    QTest::newRow("pantograph")
        << "I_E 626_E_FS_SAR.bmp"
        << "Panthografs Animation: choose the base drawing and set the SAR flag!"
        << "";
    QTest::newRow("variation")
        << "I_E 626_E_FS_0_N1.bmp"
        << "Variation drawing: choose the base drawing and set the VARIATIONS flag!"
        << "";
}

void TestNavigation::companionRefusals()
{
    QFETCH(QString, file);
    QFETCH(QString, message);
    QFETCH(QString, cycle);
    selectFile(QStringLiteral("I_E 626_E_FS_0.bmp"));
    const QString before = attributes(*f);
    const qint64 pictureBefore = f->preview()->pixmap().cacheKey();
    selectFile(file);
    QCOMPARE(f->exchange->messageTexts(), QStringList{message});
    QCOMPARE(f->exchange->messages.first().kind, MessageKind::Warning);
    QCOMPARE(f->window->drawingFileName, file);
    // Only the cycle box may have moved; the rest shows the earlier drawing.
    QString expected = before;
    expected.replace(QStringLiteral("cycle=6"), QStringLiteral("cycle=") + cycle);
    QCOMPARE(attributes(*f), expected);
    QCOMPARE(f->preview()->pixmap().cacheKey(), pictureBefore);
}

void TestNavigation::pantographRefusalShowsCycleFirst()
{
    selectFile(QStringLiteral("I_E 626_E_FS_0.bmp"));
    QString cycleWhileShown = QStringLiteral("<no message>");
    f->exchange->onMessage(
        [&](const ScriptedExchange::Message &) { cycleWhileShown = f->cycleBox()->text(); });
    selectFile(QStringLiteral("I_E 626_E_FS_SAR.bmp"));
    QCOMPARE(cycleWhileShown, QString());
}

void TestNavigation::unreadablePictureClearsPreview()
{
    selectFile(QStringLiteral("I_E 626_E_FS_0.bmp"));
    selectFile(QStringLiteral("broken_x_V_y.bmp"));
    QVERIFY(f->exchange->messages.isEmpty());
    QVERIFY(f->preview()->pixmap().isNull());
    // The rest of the selection handling still ran.
    QCOMPARE(attributes(*f), QStringLiteral("cycle= uland=8 gt=8 ol=000 vr=01 label=x y"));
}

void TestNavigation::emptyFolderAsksToLineUp_data()
{
    QTest::addColumn<QString>("folder");
    QTest::newRow("empty") << "";
    QTest::newRow("blank") << "   ";
}

void TestNavigation::emptyFolderAsksToLineUp()
{
    QFETCH(QString, folder);
    selectFile(QStringLiteral("a2.bmp"));
    const qint64 pictureBefore = f->preview()->pixmap().cacheKey();
    f->window->sourceFolder = folder;
    selectFile(QStringLiteral("FRG_BR 01_D_DB.bmp"));
    QCOMPARE(f->exchange->messageTexts(), QStringList{"Line up drive, folders and files!"});
    QCOMPARE(f->window->sourceFolder, folder + QDir::separator());
    QCOMPARE(f->preview()->pixmap().cacheKey(), pictureBefore);
    // The decoding goes on after the message.
    QCOMPARE(f->labelBox()->text(), QStringLiteral("BR 01 DB"));
}

// The root's path is the separator alone on this system: its drawings show like any other.
void TestNavigation::rootFolderDrawingShows()
{
    // The root of the drive that holds the test's drawings.
    const QString root = QString::fromStdU16String(
        std::filesystem::path(m_root.toStdU16String()).root_path().u16string());
    QVERIFY(folders->setPath(root));
    QCOMPARE(f->window->sourceFolder, native(root));
    // A name that leads from the root to a real drawing stands for a drawing in the root.
    f->window->drawingFileName = native(QDir(root).relativeFilePath(m_root + "/root.bmp"));
    f->window->showDrawing();
    QVERIFY(f->exchange->messages.isEmpty());
    QCOMPARE(f->preview()->pixmap().size(), QSize(20, 10));
}

void TestNavigation::complementRule_data()
{
    QTest::addColumn<QString>("group");
    for (const char *group : {"chkSAR", "chkSW", "chkPP", "chkDT", "chkVR"})
        QTest::newRow(group) << QString::fromLatin1(group);
}

void TestNavigation::complementRule()
{
    QFETCH(QString, group);
    auto *yes = f->child<QCheckBox>(group + QStringLiteral("_0"));
    auto *no = f->child<QCheckBox>(group + QStringLiteral("_1"));
    QVERIFY(!yes->isChecked() && no->isChecked());
    QTest::mouseClick(yes, Qt::LeftButton);
    QVERIFY(yes->isChecked() && !no->isChecked());
    // Clicking the ticked member switches to the other one: the pair is never empty.
    QTest::mouseClick(yes, Qt::LeftButton);
    QVERIFY(!yes->isChecked() && no->isChecked());
    QTest::mouseClick(no, Qt::LeftButton);
    QVERIFY(yes->isChecked() && !no->isChecked());
    // A change made by code runs the same rule.
    no->setChecked(true);
    QVERIFY(!yes->isChecked() && no->isChecked());
    yes->setChecked(true);
    QVERIFY(yes->isChecked() && !no->isChecked());
    QTest::keyClick(no, Qt::Key_Space);
    QVERIFY(!yes->isChecked() && no->isChecked());
}

void TestNavigation::singleChoiceRule()
{
    FrmEdit &w = *f->window;
    // Each tick unticks the other two, in the designed order, nested inside the tick's own
    // change (which this recording, connected after the rule, sees last).
    QStringList changes;
    for (QCheckBox *box : w.chkOL)
        connect(box, &QCheckBox::toggled, box, [&changes, box](bool on) {
            changes.append(box->objectName() + (on ? QStringLiteral("+") : QStringLiteral("-")));
        });
    QTest::mouseClick(w.chkOL[2], Qt::LeftButton);
    QCOMPARE(changes, (QStringList{"chkOL_0-", "chkOL_2+"}));
    QVERIFY(!w.chkOL[0]->isChecked() && !w.chkOL[1]->isChecked() && w.chkOL[2]->isChecked());
    changes.clear();
    w.chkOL[1]->setChecked(true);
    QCOMPARE(changes, (QStringList{"chkOL_2-", "chkOL_1+"}));
    // Unticking the only ticked member leaves the group empty.
    QTest::mouseClick(w.chkOL[1], Qt::LeftButton);
    QVERIFY(!w.chkOL[0]->isChecked() && !w.chkOL[1]->isChecked() && !w.chkOL[2]->isChecked());
    // Both ticked by passing the rule (as no user can) and then one more: the rule clears both.
    QTest::mouseClick(w.chkLR[2], Qt::LeftButton);
    QVERIFY(!w.chkLR[0]->isChecked() && !w.chkLR[1]->isChecked() && !w.chkLR[2]->isChecked());
    QTest::mouseClick(w.chkLR[0], Qt::LeftButton);
    QTest::mouseClick(w.chkLR[1], Qt::LeftButton);
    QVERIFY(!w.chkLR[0]->isChecked() && w.chkLR[1]->isChecked() && !w.chkLR[2]->isChecked());
}

void TestNavigation::epochsHaveNoRule()
{
    for (int i = 1; i <= 6; ++i)
        QTest::mouseClick(f->window->chkEPO[i], Qt::LeftButton);
    for (int i = 1; i <= 6; ++i)
        QVERIFY(f->window->chkEPO[i]->isChecked());
    QVERIFY(f->window->chkOL[0]->isChecked());
}

// From a drawing on disk to an entry line in an open library, as a user goes.
void TestNavigation::wholeRoad()
{
    f->exchange->answerInput(QStringLiteral("Italia"));
    f->action(QStringLiteral("menuNew"))->trigger();
    selectFile(QStringLiteral("I_E 626_E_FS_0.bmp"));
    QTest::mouseClick(f->window->chkEPO[3], Qt::LeftButton);
    QTest::mouseClick(f->window->chkEPO[2], Qt::LeftButton);
    auto *cycle = f->cycleBox();
    cycle->setFocus();
    QTest::keyClick(cycle, Qt::Key_Backspace);
    QTest::keyClicks(cycle, QStringLiteral("0"));
    QTest::mouseClick(f->child(QStringLiteral("cmdAdd")), Qt::LeftButton);

    QCOMPARE(f->exchange->messageTexts(), QStringList());
    auto *list = f->libraryList();
    QCOMPARE(list->count(), 1);
    QCOMPARE(
        encodeCodePage(list->item(0)->text()),
        QByteArray("E 626 FS                                2-3I  E Y58NBNNN0YI_E 626_E_FS_0.bmp"));
    QCOMPARE(f->window->entryFolder.at(0), m_drawings + QDir::separator());
    QCOMPARE(f->window->entryStatus.at(0), QStringLiteral("N"));
}

void TestNavigation::addTakesOnlyTheDrawingShown()
{
    f->exchange->answerInput(QStringLiteral("Germany"));
    f->action(QStringLiteral("menuNew"))->trigger();
    selectFile(QStringLiteral("FRG_BR 01_D_DB.bmp"));
    QTest::mouseClick(f->window->chkEPO[3], Qt::LeftButton);
    QTest::mouseClick(f->window->chkOL[1], Qt::LeftButton);

    // Another folder opened: nothing is selected there, whatever the preview still shows.
    QListWidgetItem *other =
        folderItem(folders, native(m_volumePath + QStringLiteral("drawings/sub a")));
    QVERIFY(other);
    doubleClick(folders, other);
    QCOMPARE(f->labelBox()->text(), QStringLiteral("BR 01 DB"));
    QTest::mouseClick(f->addButton(), Qt::LeftButton);
    QCOMPARE(f->exchange->messageTexts(), QStringList{"Select a bitmap FileName!"});
    QCOMPARE(f->libraryList()->count(), 0);

    // A drawing removed after it was chosen.
    QTemporaryDir dir;
    writePicture(dir.filePath(QStringLiteral("FRG_V 200_V_DB.bmp")), {30, 10});
    QVERIFY(folders->setPath(dir.path()));
    selectFile(QStringLiteral("FRG_V 200_V_DB.bmp"));
    QVERIFY(QFile::remove(dir.filePath(QStringLiteral("FRG_V 200_V_DB.bmp"))));
    f->exchange->clearRecords();
    QTest::mouseClick(f->addButton(), Qt::LeftButton);
    QCOMPARE(f->exchange->messageTexts(),
             QStringList{native(dir.filePath(QStringLiteral("FRG_V 200_V_DB.bmp"))) +
                         QStringLiteral(" doesn't exist!")});
    QCOMPARE(f->libraryList()->count(), 0);
    QCOMPARE(f->window->entryCount, 0);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(files));
}

// The selection's look-ups of variation drawings answer from the file list's reading of the
// folder as the system would answer them.
void TestNavigation::variationsFromTheListing_data()
{
    QTest::addColumn<QString>("variation"); // what stands beside the drawing
    QTest::addColumn<bool>("ticked");
#ifdef Q_OS_WIN
    constexpr bool caseIgnored = true;
#else
    constexpr bool caseIgnored = false;
#endif
    QTest::newRow("a drawing") << "file" << true;
    QTest::newRow("a hidden drawing") << "hidden" << false;
    QTest::newRow("a folder named like a drawing") << "folder" << false;
    QTest::newRow("a name in other letter case") << "case" << caseIgnored;
    QTest::newRow("a drawing made after the listing") << "later" << true;
}

void TestNavigation::variationsFromTheListing()
{
    QFETCH(QString, variation);
    QFETCH(bool, ticked);
#ifndef Q_OS_WIN
    if (variation == QLatin1String("hidden"))
        QSKIP("Only Windows hides a file whose name does not start with a dot.");
#endif
    QTemporaryDir dir;
    writePicture(dir.filePath(QStringLiteral("CH_Vr 1_E_SBB.bmp")), {30, 10});
    const QString beside =
        dir.filePath(variation == QLatin1String("case") ? QStringLiteral("ch_vr 1_e_sbb_n0.BMP")
                                                        : QStringLiteral("CH_Vr 1_E_SBB_N0.bmp"));
    if (variation == QLatin1String("folder"))
        QVERIFY(QDir().mkpath(beside));
    else if (variation != QLatin1String("later"))
        QVERIFY(writeBytes(beside, "BM"));
#ifdef Q_OS_WIN
    if (variation == QLatin1String("hidden"))
        QVERIFY(setHidden(beside, true));
#endif
    QVERIFY(folders->setPath(dir.path()));
    if (variation == QLatin1String("later")) {
        QVERIFY(writeBytes(beside, "BM"));
        QTRY_COMPARE(files->count(), 2);
    }
    selectFile(QStringLiteral("CH_Vr 1_E_SBB.bmp"));
    QCOMPARE(f->window->chkVR[0]->isChecked(), ticked);
}

void TestNavigation::openFolderStandsOut()
{
    // A single click only puts the cursor on a folder; the open folder stays marked.
    const QString target = native(m_volumePath + QStringLiteral("drawings/sub a"));
    QListWidgetItem *clicked = folderItem(folders, target);
    QVERIFY(clicked);
    QTest::mouseClick(folders->viewport(), Qt::LeftButton, {},
                      folders->visualItemRect(clicked).center());
    QCOMPARE(folders->currentItem(), clicked);
    QCOMPARE(folders->path(), m_drawings);
    QStringList bold;
    for (int i = 0; i < folders->count(); ++i)
        if (folders->item(i)->font().bold())
            bold.append(folders->item(i)->data(Qt::UserRole).toString());
    QCOMPARE(bold, QStringList{m_drawings});
}

void TestNavigation::listsFollowTheDisk()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("b")));
    for (int i = 0; i < 40; ++i)
        writeText(dir.filePath(QStringLiteral("x%1.bmp").arg(i)));
    QVERIFY(folders->setPath(dir.path()));
    const QString shown = native(dir.path());
    QCOMPARE(f->window->sourceFolder, shown);
    selectFile(QStringLiteral("x30.bmp"));
    const int scrolled = files->verticalScrollBar()->value();
    QVERIFY(scrolled > 0);
    QListWidgetItem *b = folders->item(folders->count() - 1);
    QTest::mouseClick(folders->viewport(), Qt::LeftButton, {}, folders->visualItemRect(b).center());
    f->exchange->clearRecords();
    const QString sourceFolder = f->window->sourceFolder;
    const QString label = f->labelBox()->text();
    QSignalSpy folderChanges(folders, &FolderList::pathChanged);
    QSignalSpy selections(files, &FileList::selectionMoved);

    const auto subFolders = [this] {
        QStringList names;
        for (int i = 0; i < folders->count(); ++i)
            if (!folders->item(i)->font().bold() &&
                folders->item(i)->data(Qt::UserRole).toString().startsWith(folders->path()))
                names.append(folders->item(i)->text().trimmed());
        return names;
    };
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("a")));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("c")));
    writeText(dir.filePath(QStringLiteral("x10a.bmp")));
    writeText(dir.filePath(QStringLiteral("notes.txt")));
    QTRY_COMPARE(subFolders(), (QStringList{"a", "b", "c"}));
    QTRY_VERIFY(!files->findItems(QStringLiteral("x10a.bmp"), Qt::MatchExactly).isEmpty());
    QCOMPARE(files->count(), 41);

    QVERIFY(QDir(dir.path()).rename(QStringLiteral("c"), QStringLiteral("d")));
    QVERIFY(QDir(dir.path()).rename(QStringLiteral("x10a.bmp"), QStringLiteral("y.bmp")));
    QVERIFY(QDir(dir.path()).rmdir(QStringLiteral("a")));
    QVERIFY(QFile::remove(dir.filePath(QStringLiteral("x0.bmp"))));
    QTRY_COMPARE(subFolders(), (QStringList{"b", "d"}));
    QTRY_COMPARE(itemTexts(files).filter(QRegularExpression(QStringLiteral("^(x0|x10a|y)\\."))),
                 QStringList{"y.bmp"});

    // Selection, cursor and the window's state stay as they were; no handler ran.
    QCOMPARE(files->selectedFileName(), QStringLiteral("x30.bmp"));
    QCOMPARE(files->verticalScrollBar()->value(), scrolled);
    QCOMPARE(folders->currentItem()->text().trimmed(), QStringLiteral("b"));
    QCOMPARE(folders->path(), shown);
    QCOMPARE(f->window->sourceFolder, sourceFolder);
    QCOMPARE(f->window->drawingFileName, QStringLiteral("x30.bmp"));
    QCOMPARE(f->labelBox()->text(), label);
    QCOMPARE(folderChanges.size(), 0);
    QCOMPARE(selections.size(), 0);
    QVERIFY(f->exchange->messages.isEmpty());

    // The selected drawing removed: nothing is selected, and still no handler runs.
    QVERIFY(QFile::remove(dir.filePath(QStringLiteral("x30.bmp"))));
    QTRY_VERIFY(files->findItems(QStringLiteral("x30.bmp"), Qt::MatchExactly).isEmpty());
    QVERIFY(files->selectedItems().isEmpty());
    QCOMPARE(selections.size(), 0);
    QCOMPARE(f->window->drawingFileName, QStringLiteral("x30.bmp"));
}

void TestNavigation::fileListRowsFitNamesAndFont()
{
    // Rows as tall and as wide as in an ordinary list of the same names, so that the longest
    // name can be scrolled into view, also after the list's font has grown.
    QTemporaryDir dir;
    for (const QString &name : {QStringLiteral("a.bmp"),
                                QStringLiteral("FRG_BR 01 with tender and a long description.bmp"),
                                QStringLiteral("z.bmp")})
        writeText(dir.filePath(name));
    QVERIFY(folders->setPath(dir.path()));
    for (const int points : {0, 16}) {
        if (points > 0) {
            QFont larger = files->font();
            larger.setPointSize(points);
            files->setFont(larger);
        }
        QListWidget ordinary;
        ordinary.setFont(files->font());
        ordinary.addItems(itemTexts(files));
        ordinary.resize(files->size());
        ordinary.show();
        QVERIFY(QTest::qWaitForWindowExposed(&ordinary));
        QCoreApplication::processEvents();
        for (int row = 0; row < files->count(); ++row)
            QCOMPARE(files->visualItemRect(files->item(row)).height(),
                     ordinary.visualItemRect(ordinary.item(row)).height());
        QCOMPARE(files->horizontalScrollBar()->maximum(),
                 ordinary.horizontalScrollBar()->maximum());
    }
}

void TestNavigation::firstSaveShowsLibraryFolder()
{
    QTemporaryDir dir;
    const QString drawing = QStringLiteral("CH_Re 4-4_E_SBB.bmp");
    writePicture(dir.filePath(drawing), {50, 20});
    QVERIFY(folders->setPath(dir.path()));
    f->exchange->answerInput(QStringLiteral("Swiss"));
    f->action(QStringLiteral("menuNew"))->trigger();
    selectFile(drawing);
    QTest::mouseClick(f->window->chkEPO[4], Qt::LeftButton);
    QTest::mouseClick(f->child(QStringLiteral("cmdAdd")), Qt::LeftButton);
    f->exchange->answerFile(dir.filePath(QStringLiteral("Swiss.txt")));
    f->action(QStringLiteral("menuSave"))->trigger();
    QVERIFY(QFileInfo(dir.filePath(QStringLiteral("Swiss"))).isDir());

    QTRY_VERIFY(folderItem(folders, native(dir.filePath(QStringLiteral("Swiss")))));
    QCOMPARE(folders->path(), native(dir.path()));
    QCOMPARE(files->selectedFileName(), drawing);
}

QTEST_MAIN(TestNavigation)
#include "test_window_navigation.moc"

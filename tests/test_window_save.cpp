#include "checking/librarycheck.h"
#include "entrylines.h"
#include "filelist.h"
#include "mountedvolume.h"
#include "testfiles.h"
#include "text/codepage.h"
#include "windowfixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <optional>

namespace {

const QString completion =
    QStringLiteral("Source Library Attributes File and copy of drawings\rGenerated/Updated!");
const QString replaceText = QStringLiteral("The file already exists.\rDo you want overwrite it?");
const QString captionPrefix = QStringLiteral("Source Library Attributes File: ");

QByteArray drawingBytes(const QString &name)
{
    return "BM" + name.toUtf8();
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

} // namespace

class TestSaveWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void noLibrary();
    void firstSave();
    void dialogEndsSilently_data();
    void dialogEndsSilently();
    void replaceQuestion_data();
    void replaceQuestion();
    void secondSaveCopiesAgain();
    void openedLibraryCopiesOnlyAdditions();
    void openTellsOfMissingDrawings();
    void missingDrawingReportedNoCompletion();
    void folderThatCannotBeMade();
    void refusalStopsAtItsEntry();
    void writeFailure_data();
    void writeFailure();
    void blankFileNameInUpdateMode();
    void fullOrReadOnlyVolume_data();
    void fullOrReadOnlyVolume();
    void volumeFullDuringCopy_data();
    void volumeFullDuringCopy();
    void samePlaceRefused_data();
    void samePlaceRefused();
    void namesWindowsWouldChangeRefused_data();
    void namesWindowsWouldChangeRefused();
    void heldTargetReported_data();
    void heldTargetReported();
    void longPathsCopied();
    void editEntry_data();
    void editEntry();
    void replaceEntry();
    void removeEntry_data();
    void removeEntry();
    void moveEntry();
    void checkLibrary();

private:
    void openLibrary(const QByteArray &bytes);
    void pressInList(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(f->libraryList(), Qt::Key(key), modifiers);
    }
    // The entry menu's items that can be chosen now, as the Menu key shows them.
    QStringList enabledMenuItems();
    // A drawing folder with the files of the entries below.
    void makeDrawings(const QStringList &names);
    void startNewLibrary(const QString &name);
    // Adds an entry for drawing through the window's own Add command.
    void addEntry(const QString &drawing, bool pantograph = false, const QString &cycle = {},
                  bool variations = false);
    // The same for drawing in folder with the type typed as type; true when the list took it.
    bool addFrom(const QString &folder, const QString &drawing, const QString &type,
                 bool pantograph = false, const QString &cycle = {}, bool variations = false);
    void save() { f->action(QStringLiteral("menuSave"))->trigger(); }
    QStringList lines() const;
    QByteArray expectedFile() const;
    QString caption() const { return f->libraryCaption()->text(); }
    QList<ScriptedExchange::Message> messagesOf(MessageKind kind) const;
    // Mounts a small volume of its own and puts the library there: on Linux on a folder of the
    // test, under Wine behind drive E: of the test's prefix.
    std::unique_ptr<MountedVolume> libraryOnOwnVolume(qint64 bytes);

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_drawings; // ends with the separator
    QString m_file;     // where the library's attributes file goes
    QString m_folder;   // its library folder
    QString m_volume;   // the folder of the library's own volume, once mounted
    std::unique_ptr<WindowFixture> f;
};

void TestSaveWindow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_drawings = m_dir->filePath(QStringLiteral("drawings")) + QDir::separator();
    QVERIFY(QDir().mkpath(m_drawings));
    m_file = QDir::toNativeSeparators(m_dir->filePath(QStringLiteral("Swiss.txt")));
    m_folder = QDir::toNativeSeparators(m_dir->filePath(QStringLiteral("Swiss")));
    f = std::make_unique<WindowFixture>();
}

void TestSaveWindow::cleanup()
{
    // Every way out of the command gives the arrow back.
    QCOMPARE(f->exchange->busyDepth, 0);
    QCOMPARE(f->exchange->unscripted, 0);
}

void TestSaveWindow::makeDrawings(const QStringList &names)
{
    for (const QString &name : names)
        QVERIFY(writeBytes(m_drawings + name, drawingBytes(name)));
}

void TestSaveWindow::startNewLibrary(const QString &name)
{
    f->exchange->answerInput(name);
    f->action(QStringLiteral("menuNew"))->trigger();
    QCOMPARE(f->window->libraryMode, QStringLiteral("NEW"));
}

void TestSaveWindow::addEntry(const QString &drawing, bool pantograph, const QString &cycle,
                              bool variations)
{
    QVERIFY(addFrom(m_drawings, drawing, QStringLiteral("E"), pantograph, cycle, variations));
}

bool TestSaveWindow::addFrom(const QString &folder, const QString &drawing, const QString &type,
                             bool pantograph, const QString &cycle, bool variations)
{
    FrmEdit &w = *f->window;
    const int before = w.entryCount;
    w.sourceFolder = folder;
    w.drawingFolder = folder;
    w.drawingFileName = drawing;
    w.chkEPO[4]->setChecked(true);
    f->child<QComboBox>(QStringLiteral("cboUland"))->setCurrentIndex(2);
    auto *types = f->child<QComboBox>(QStringLiteral("cboGT"));
    types->setCurrentIndex(2); // E
    if (type != QLatin1String("E"))
        types->setEditText(type);
    f->labelBox()->setText(QStringLiteral("Re 4/4"));
    w.chkSAR[pantograph ? 0 : 1]->setChecked(true);
    f->cycleBox()->setText(cycle);
    w.chkVR[variations ? 0 : 1]->setChecked(true);
    w.addEntry();
    return w.entryCount == before + 1;
}

QStringList TestSaveWindow::lines() const
{
    return itemTexts(f->libraryList());
}

QByteArray TestSaveWindow::expectedFile() const
{
    QByteArray bytes;
    for (const QString &line : lines())
        bytes += line.toLatin1() + "\r\n";
    return bytes;
}

QList<ScriptedExchange::Message> TestSaveWindow::messagesOf(MessageKind kind) const
{
    QList<ScriptedExchange::Message> found;
    for (const ScriptedExchange::Message &m : f->exchange->messages)
        if (m.kind == kind)
            found.append(m);
    return found;
}

void TestSaveWindow::noLibrary()
{
    save();
    QCOMPARE(f->exchange->messageTexts(), QStringList{"Open a New or an Existing Library!"});
    QCOMPARE(f->exchange->messages.first().kind, MessageKind::Warning);
    QVERIFY(f->exchange->fileRequests.isEmpty());
    QCOMPARE(f->exchange->busyShown, 0);
    QCOMPARE(f->window->libraryMode, QStringLiteral("---"));
}

void TestSaveWindow::firstSave()
{
    makeDrawings({"Re44.bmp", "Ae66_0.bmp", "Ae66_1.bmp", "Ae66_2.bmp", "Ae66_3.bmp",
                  "Ae66_0_SAR.bmp", "Ae66_0_N0.bmp", "Ae66_0_E3.bmp", "Ae66_0_X1.bmp"});
    startNewLibrary(QStringLiteral("Swiss"));
    addEntry(QStringLiteral("Re44.bmp"));
    addEntry(QStringLiteral("Ae66_0.bmp"), true, QStringLiteral("6"), true);
    f->exchange->clearRecords();

    f->exchange->answerFile(m_file);
    save();

    QCOMPARE(f->exchange->fileRequests.size(), 1);
    const FileDialogRequest request = f->exchange->fileRequests.first();
    QCOMPARE(request.purpose, FileDialogRequest::Purpose::Save);
    QCOMPARE(request.title, QStringLiteral("Save the Source Library Attributes File"));
    QCOMPARE(request.filter, QStringLiteral("TXT File (*.txt)|*.txt"));
    QCOMPARE(request.initialName, QStringLiteral("Swiss.txt"));
    QCOMPARE(request.initialFolder, QString());
    QCOMPARE(request.defaultExtension, QStringLiteral("txt"));

    QCOMPARE(f->exchange->messageTexts(), QStringList{completion}); // no replace question
    QCOMPARE(f->exchange->messages.first().kind, MessageKind::Information);
    QCOMPARE(caption(), captionPrefix + m_file);
    QCOMPARE(f->window->libraryMode, QStringLiteral("UPD"));
    QCOMPARE(f->window->libraryFile, m_file);
    QCOMPARE(f->window->libraryFolder, m_folder);
    QVERIFY(f->exchange->busyShown > 0);

    QCOMPARE(readBytes(m_file), expectedFile());
    QCOMPARE(expectedFile().count("\r\n"), 2);
    QCOMPARE(QDir(m_folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 14);
    QVERIFY(QFileInfo(m_folder + QLatin1String("/consists")).isDir());
    const QStringList copied{"Ae66_0.bmp", "Ae66_0_E3.bmp", "Ae66_0_N0.bmp", "Ae66_0_SAR.bmp",
                             "Ae66_1.bmp", "Ae66_2.bmp",    "Ae66_3.bmp",    "Re44.bmp"};
    QCOMPARE(filesIn(m_folder + QLatin1String("/E")), copied);
    for (const QString &name : copied)
        QCOMPARE(readBytes(m_folder + QLatin1String("/E/") + name), drawingBytes(name));
    QCOMPARE(f->window->entryStatus.mid(0, 2), (QStringList{"N", "N"}));
}

void TestSaveWindow::dialogEndsSilently_data()
{
    QTest::addColumn<bool>("cancel");
    QTest::newRow("cancelled") << true;
    QTest::newRow("answer *.txt") << false;
}

void TestSaveWindow::dialogEndsSilently()
{
    QFETCH(bool, cancel);
    makeDrawings({"Re44.bmp"});
    startNewLibrary(QStringLiteral("Swiss"));
    addEntry(QStringLiteral("Re44.bmp"));
    f->exchange->clearRecords();
    if (cancel)
        f->exchange->cancelFile();
    else
        f->exchange->answerFile(QStringLiteral("*.txt"));
    save();

    QVERIFY(f->exchange->messages.isEmpty());
    QCOMPARE(f->exchange->busyShown, 0);
    QCOMPARE(f->window->libraryMode, QStringLiteral("NEW"));
    QCOMPARE(f->window->libraryFile, QStringLiteral("Swiss"));
    QCOMPARE(caption(), captionPrefix + QStringLiteral("Swiss"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{"drawings"});
}

void TestSaveWindow::replaceQuestion_data()
{
    QTest::addColumn<bool>("ok");
    QTest::newRow("OK replaces") << true;
    QTest::newRow("Cancel keeps") << false;
}

void TestSaveWindow::replaceQuestion()
{
    QFETCH(bool, ok);
    const QByteArray old = "an older library\r\n";
    QVERIFY(writeBytes(m_file, old));
    makeDrawings({"Re44.bmp"});
    startNewLibrary(QStringLiteral("Swiss"));
    addEntry(QStringLiteral("Re44.bmp"));
    f->exchange->clearRecords();
    f->exchange->answerFile(m_file);
    f->exchange->answerMessage(ok ? MessageAnswer::Ok : MessageAnswer::Cancel);
    save();

    QCOMPARE(f->exchange->messages.first().text, replaceText);
    QCOMPARE(f->exchange->messages.first().kind, MessageKind::Warning);
    QCOMPARE(f->exchange->messages.first().buttons, MessageButtons::OkCancel);
    if (ok) {
        QCOMPARE(f->exchange->messageTexts(), (QStringList{replaceText, completion}));
        QCOMPARE(readBytes(m_file), expectedFile());
        QCOMPARE(f->window->libraryMode, QStringLiteral("UPD"));
        QCOMPARE(filesIn(m_folder + QLatin1String("/E")), QStringList{"Re44.bmp"});
        return;
    }
    QCOMPARE(f->exchange->messages.size(), 1);
    QCOMPARE(readBytes(m_file), old);
    QCOMPARE(f->exchange->busyShown, 0);
    QCOMPARE(f->window->libraryMode, QStringLiteral("NEW"));
    QCOMPARE(f->window->libraryFile, QString());
    QVERIFY(!QFileInfo::exists(m_folder));

    // The next save proposes a name of its own.
    f->exchange->cancelFile();
    save();
    QCOMPARE(f->exchange->fileRequests.size(), 2);
    QCOMPARE(f->exchange->fileRequests.last().initialName, QStringLiteral(".txt"));
}

void TestSaveWindow::secondSaveCopiesAgain()
{
    makeDrawings({"Re44.bmp", "Re44_SAR.bmp"});
    startNewLibrary(QStringLiteral("Swiss"));
    addEntry(QStringLiteral("Re44.bmp"), true);
    f->exchange->answerFile(m_file);
    save();
    QCOMPARE(f->exchange->messageTexts(), QStringList{completion});

    // The drawing changed in its folder and the copy was lost from the library.
    QVERIFY(writeBytes(m_drawings + QLatin1String("Re44.bmp"), "BM redrawn"));
    QVERIFY(QFile::remove(m_folder + QLatin1String("/E/Re44_SAR.bmp")));
    addEntry(QStringLiteral("Re44.bmp"));
    f->exchange->clearRecords();
    save();

    QVERIFY(f->exchange->fileRequests.isEmpty()); // no dialog, no question
    QCOMPARE(f->exchange->messageTexts(), QStringList{completion});
    QCOMPARE(readBytes(m_file), expectedFile());
    QCOMPARE(expectedFile().count("\r\n"), 2);
    QCOMPARE(readBytes(m_folder + QLatin1String("/E/Re44.bmp")), QByteArray("BM redrawn"));
    QCOMPARE(filesIn(m_folder + QLatin1String("/E")), (QStringList{"Re44.bmp", "Re44_SAR.bmp"}));
    QCOMPARE(caption(), captionPrefix + m_file);
    QCOMPARE(f->window->libraryMode, QStringLiteral("UPD"));
}

// A library whose folder lacks the drawings its lines name: Open says so, and no save claims
// success over them, though it copies only the entries added.
void TestSaveWindow::openedLibraryCopiesOnlyAdditions()
{
    makeDrawings({"Re44.bmp", "Ae66.bmp"});
    const QByteArray loaded =
        "Re 4/4                                  4  CH E Y60NBNNN0NRe44.bmp\r\n\r\n";
    QVERIFY(writeBytes(m_file, loaded));
    f->exchange->answerFile(m_file);
    f->action(QStringLiteral("menuOpen"))->trigger();
    QCOMPARE(f->window->libraryMode, QStringLiteral("UPD"));
    QCOMPARE(f->exchange->messageTexts(),
             QStringList{m_file + " names drawings, but its library folder " + m_folder +
                         " is missing: the display program will find none of them."});
    f->exchange->clearRecords();

    const QString lacking = QStringLiteral("Source Library Attributes File Generated/Updated, but "
                                           "its library folder lacks drawings that its lines "
                                           "name:\r%1\rSelect each drawing and use Edit Entry and "
                                           "Replace Entry (or add it again) to copy it.")
                                .arg(QDir::toNativeSeparators(m_folder + "/E/Re44.bmp"));
    save();
    QCOMPARE(f->exchange->messageTexts(), QStringList{lacking});
    QCOMPARE(f->exchange->messages.first().kind, MessageKind::Warning);
    QCOMPARE(readBytes(m_file), loaded);
    QVERIFY(!QFileInfo::exists(m_folder)); // nothing copied, no folder needed

    addEntry(QStringLiteral("Ae66.bmp"));
    f->exchange->clearRecords();
    save();
    QCOMPARE(f->exchange->messageTexts(), QStringList{lacking});
    QCOMPARE(readBytes(m_file), expectedFile());
    QVERIFY(readBytes(m_file).startsWith(loaded));
    QCOMPARE(filesIn(m_folder + QLatin1String("/E")), QStringList{"Ae66.bmp"});
    QVERIFY(f->exchange->fileRequests.isEmpty());

    // Once the drawing is there, the save is a success again.
    QVERIFY(writeBytes(m_folder + QLatin1String("/E/Re44.bmp"), "BM"));
    f->exchange->clearRecords();
    save();
    QCOMPARE(f->exchange->messageTexts(), QStringList{completion});
}

// A library whose save was cut short names drawings its folder lacks: Open says so once, with
// the first line and drawing, and changes nothing. A line Notepad saved as UTF-8 is read as
// Notepad shows it, not in shifted columns.
void TestSaveWindow::openTellsOfMissingDrawings()
{
    const QByteArray file =
        "\xEF\xBB\xBF" + EntryLine{.label = QStringLiteral("Z\u00FCrich")}.text().toUtf8() +
        "\r\n" + EntryLineBytes{.sar = "Y", .drawing = "Ae66.bmp"}.text() + "\r\n";
    QVERIFY(writeBytes(m_file, file));
    QVERIFY(QDir().mkpath(m_folder + QLatin1String("/E")));
    QVERIFY(writeBytes(m_folder + QLatin1String("/E/Re44.bmp"), "BM"));
    f->exchange->answerFile(m_file);
    f->exchange->answerMessage(MessageAnswer::Cancel); // the lines stay UTF-8
    f->action(QStringLiteral("menuOpen"))->trigger();

    QCOMPARE(f->exchange->messages.size(), 2);
    QCOMPARE(f->exchange->messages.last().kind, MessageKind::Warning);
    const QString told = f->exchange->messages.last().text;
    QVERIFY2(told.startsWith(m_file + QLatin1String(" names drawings")) &&
                 told.contains(QLatin1String("first on line 2")) &&
                 told.contains(QLatin1String("line 2: ") +
                               QDir::toNativeSeparators(m_folder + QLatin1String("/E/Ae66.bmp"))) &&
                 told.contains(QDir::toNativeSeparators(m_folder + "/E/Ae66_SAR.bmp")),
             qPrintable(told));
    QCOMPARE(f->window->libraryMode, QStringLiteral("UPD"));
    QCOMPARE(f->window->entryCount, 2);
    QCOMPARE(readBytes(m_file), file);
    QCOMPARE(filesIn(m_folder + QLatin1String("/E")), QStringList{"Re44.bmp"});
}

void TestSaveWindow::missingDrawingReportedNoCompletion()
{
    makeDrawings({"Re44.bmp", "Re44_SAR.bmp", "Ae66.bmp"});
    startNewLibrary(QStringLiteral("Swiss"));
    addEntry(QStringLiteral("Re44.bmp"), true);
    addEntry(QStringLiteral("Ae66.bmp"));
    QVERIFY(QFile::remove(m_drawings + QLatin1String("Re44_SAR.bmp"))); // gone since it was added
    f->exchange->clearRecords();
    f->exchange->answerFile(m_file);
    save();

    QCOMPARE(f->exchange->messages.size(), 1);
    const ScriptedExchange::Message box = f->exchange->messages.first();
    QCOMPARE(box.kind, MessageKind::Critical);
    const QStringList boxLines = box.text.split(QLatin1Char('\r'));
    QCOMPARE(boxLines.size(), 2);
    QVERIFY2(boxLines[1].startsWith(
                 QDir::toNativeSeparators(m_drawings + QLatin1String("Re44_SAR.bmp")) + ": "),
             qPrintable(box.text));
    QVERIFY(boxLines[1].size() > (m_drawings + QLatin1String("Re44_SAR.bmp: ")).size());
    // The attributes file is written and the rest copied: the library is saved, but not whole.
    QCOMPARE(f->window->libraryMode, QStringLiteral("UPD"));
    QCOMPARE(readBytes(m_file), expectedFile());
    QCOMPARE(filesIn(m_folder + QLatin1String("/E")), (QStringList{"Ae66.bmp", "Re44.bmp"}));
}

void TestSaveWindow::folderThatCannotBeMade()
{
    makeDrawings({"Re44.bmp"});
    QVERIFY(QDir().mkpath(m_folder));
    QVERIFY(writeBytes(m_folder + QLatin1String("/E"), "a file where the type folder goes"));
    startNewLibrary(QStringLiteral("Swiss"));
    addEntry(QStringLiteral("Re44.bmp"));
    f->exchange->clearRecords();
    f->exchange->answerFile(m_file);
    save();

    QCOMPARE(messagesOf(MessageKind::Information).size(), 0);
    QCOMPARE(f->exchange->messages.size(), 1);
    const QString text = f->exchange->messages.first().text;
    QCOMPARE(f->exchange->messages.first().kind, MessageKind::Critical);
    QVERIFY2(text.contains(QDir::toNativeSeparators(m_folder + QLatin1String("/E")) + ": "),
             qPrintable(text));
    QVERIFY2(text.contains(QDir::toNativeSeparators(m_drawings + QLatin1String("Re44.bmp")) + ": "),
             qPrintable(text));
    QCOMPARE(readBytes(m_folder + QLatin1String("/E")),
             QByteArray("a file where the type folder goes"));
    QCOMPARE(f->window->libraryMode, QStringLiteral("UPD"));
    QVERIFY(QFileInfo(m_folder + QLatin1String("/ET")).isDir());
}

void TestSaveWindow::refusalStopsAtItsEntry()
{
    makeDrawings({"A.bmp", "B.bmp", "B_1.bmp", "C.bmp"});
    startNewLibrary(QStringLiteral("Swiss"));
    addEntry(QStringLiteral("A.bmp"));
    addEntry(QStringLiteral("B.bmp"));
    addEntry(QStringLiteral("C.bmp"));
    // A line that claims an animation its drawing's name cannot have (edited, not composed).
    QListWidgetItem *second = f->libraryList()->item(1);
    QString line = second->text();
    line[56] = QLatin1Char('6');
    second->setText(line);
    f->exchange->clearRecords();
    f->exchange->answerFile(m_file);
    save();

    QCOMPARE(f->exchange->messageTexts(),
             QStringList{"Check Animation Drawing and PHASENLAENGE parameter!"});
    QCOMPARE(f->exchange->messages.first().kind, MessageKind::Critical);
    QCOMPARE(filesIn(m_folder + QLatin1String("/E")), (QStringList{"A.bmp", "B.bmp"}));
    QCOMPARE(f->window->libraryMode, QStringLiteral("NEW"));
    QCOMPARE(f->window->libraryFile, m_file);
    QCOMPARE(readBytes(m_file), expectedFile());
}

void TestSaveWindow::writeFailure_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("how");
    QTest::newRow("first save, full disk") << "NEW"
                                           << "full";
    QTest::newRow("first save, file name taken by a folder") << "NEW"
                                                             << "folder";
    QTest::newRow("later save, full disk") << "UPD"
                                           << "full";
    QTest::newRow("later save, file name taken by a folder") << "UPD"
                                                             << "folder";
}

void TestSaveWindow::writeFailure()
{
    QFETCH(QString, mode);
    QFETCH(QString, how);
#ifndef Q_OS_UNIX
    if (how == QLatin1String("full"))
        QSKIP("Windows has no file size limit for a process; fullOrReadOnlyVolume fills a real "
              "volume.");
#endif
    makeDrawings({"Re44.bmp"});
    const QByteArray old = "an older library\r\n";
    if (how == QLatin1String("folder"))
        QVERIFY(QDir().mkpath(m_file + QLatin1String("/inside")));
    else
        QVERIFY(writeBytes(m_file, old));

    if (mode == QLatin1String("NEW")) {
        startNewLibrary(QStringLiteral("Swiss"));
        f->exchange->answerFile(m_file);
        f->exchange->answerMessage(MessageAnswer::Ok); // replace it
    } else {
        f->window->libraryMode = QStringLiteral("UPD"); // as a library whose file became a folder
        f->window->libraryFile = m_file;
        f->window->libraryFolder = m_folder;
    }
    const QString captionBefore = caption();
    addEntry(QStringLiteral("Re44.bmp"));
    f->exchange->clearRecords();
    {
#ifdef Q_OS_UNIX
        std::optional<FileSizeLimit> full;
        if (how == QLatin1String("full"))
            full.emplace(32);
#endif
        save();
    }

    const QList<ScriptedExchange::Message> critical = messagesOf(MessageKind::Critical);
    QCOMPARE(critical.size(), 1);
    QVERIFY2(critical.first().text.contains(m_file + QLatin1String(" could NOT be written: ")),
             qPrintable(critical.first().text));
    QVERIFY(!critical.first().text.endsWith(QLatin1String("written: \rNothing was saved!")));
    QCOMPARE(messagesOf(MessageKind::Information).size(), 0);
    QCOMPARE(f->exchange->messages.last().kind, MessageKind::Critical);
    if (how == QLatin1String("full"))
        QCOMPARE(readBytes(m_file), old);
    else
        QVERIFY(QFileInfo(m_file + QLatin1String("/inside")).isDir());
    QCOMPARE(filesIn(m_dir->path()),
             how == QLatin1String("full") ? QStringList{"Swiss.txt"} : QStringList());
    QVERIFY(!QFileInfo::exists(m_folder + QLatin1String("/E/Re44.bmp"))); // no copy phase
    QCOMPARE(f->window->libraryMode, mode);
    if (mode == QLatin1String("NEW")) {
        QVERIFY(!QFileInfo::exists(m_folder));
        QCOMPARE(f->window->libraryFile, QStringLiteral("Swiss"));
        QCOMPARE(caption(), captionBefore);
    }
}

void TestSaveWindow::blankFileNameInUpdateMode()
{
    makeDrawings({"Re44.bmp"});
    f->window->libraryMode = QStringLiteral("UPD");
    f->window->libraryFile = QStringLiteral("  ");
    f->window->libraryFolder = m_folder;
    addEntry(QStringLiteral("Re44.bmp"));
    f->exchange->clearRecords();
    save();

    QCOMPARE(f->exchange->messages.size(), 1);
    QCOMPARE(f->exchange->messages.first().kind, MessageKind::Critical);
    QVERIFY(!QFileInfo::exists(m_folder));
    QVERIFY(f->exchange->fileRequests.isEmpty());
}

std::unique_ptr<MountedVolume> TestSaveWindow::libraryOnOwnVolume(qint64 bytes)
{
    m_volume = MountedVolume::folderIn(m_dir->path());
    auto volume = std::make_unique<MountedVolume>(m_volume, bytes);
    m_file = QDir::toNativeSeparators(QDir(m_volume).filePath(QStringLiteral("Swiss.txt")));
    m_folder = QDir::toNativeSeparators(QDir(m_volume).filePath(QStringLiteral("Swiss")));
    return volume;
}

void TestSaveWindow::fullOrReadOnlyVolume_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("fault");
    QTest::newRow("later save, volume full") << "UPD"
                                             << "full";
    QTest::newRow("later save, volume read-only") << "UPD"
                                                  << "read-only";
    QTest::newRow("first save over the old file, volume full") << "NEW"
                                                               << "full";
    QTest::newRow("first save over the old file, volume read-only") << "NEW"
                                                                    << "read-only";
}

// The library's own volume fills up or turns read-only after its first save: the next save
// keeps the old attributes file as it was, copies nothing and says which file and why.
void TestSaveWindow::fullOrReadOnlyVolume()
{
    QFETCH(QString, mode);
    QFETCH(QString, fault);
    const std::unique_ptr<MountedVolume> volume = libraryOnOwnVolume(256 * 1024);
    QVERIFY(volume);
    if (!volume->mounted())
        QSKIP(qPrintable(QStringLiteral("No volume to fill: %1.").arg(volume->failure())));
    const QString volumeFolder = m_volume;

    makeDrawings({"Re44.bmp", "Ae66.bmp"});
    startNewLibrary(QStringLiteral("Swiss"));
    addEntry(QStringLiteral("Re44.bmp"));
    f->exchange->answerFile(m_file);
    save();
    QCOMPARE(f->exchange->messageTexts(), QStringList{completion});
    const QByteArray old = readBytes(m_file);
    QCOMPARE(old, expectedFile());

    f->exchange->clearRecords();
    if (mode == QLatin1String("NEW")) {
        startNewLibrary(QStringLiteral("Swiss"));
        f->exchange->answerFile(m_file);
        f->exchange->answerMessage(MessageAnswer::Ok); // replace it
    }
    addEntry(QStringLiteral("Ae66.bmp"));
    const bool full = fault == QLatin1String("full");
    if (full)
        QVERIFY(volume->fill(volumeFolder + QLatin1String("/filler")));
    else
        QVERIFY(volume->makeReadOnly());
    save();

    const QList<ScriptedExchange::Message> critical = messagesOf(MessageKind::Critical);
    QCOMPARE(critical.size(), 1);
    // The system says the file system is read-only; Windows that the volume is write-protected,
    // and Wine that access is denied.
    const QStringList reasons = full ? QStringList{diskFullReason()}
#ifdef Q_OS_WIN
                                     : QStringList{qt_error_string(ERROR_WRITE_PROTECT),
                                                   qt_error_string(ERROR_ACCESS_DENIED)};
#else
                                     : QStringList{qt_error_string(EROFS)};
#endif
    const QString told = critical.first().text;
    QVERIFY2(told.contains(m_file + QLatin1String(" could NOT be written: ")) &&
                 std::any_of(reasons.begin(), reasons.end(),
                             [&](const QString &reason) { return told.contains(reason); }),
             qPrintable(told));
    QVERIFY(messagesOf(MessageKind::Information).isEmpty());
    QCOMPARE(readBytes(m_file), old);
    QCOMPARE(filesIn(volumeFolder),
             full ? (QStringList{"Swiss.txt", "filler"}) : QStringList{"Swiss.txt"});
    QCOMPARE(filesIn(m_folder + QLatin1String("/E")), QStringList{"Re44.bmp"});
    QCOMPARE(f->window->libraryMode, mode);
    if (mode == QLatin1String("NEW"))
        QCOMPARE(f->window->libraryFile, QStringLiteral("Swiss"));
}

void TestSaveWindow::volumeFullDuringCopy_data()
{
    QTest::addColumn<bool>("olderCopy");
    QTest::newRow("first copy") << false;
    QTest::newRow("over an older copy") << true;
}

// Room for the attributes file but not for the drawing: the file is saved, the drawing is
// reported at its target with the system's reason, an older copy stays byte for byte as it
// was, and no part of the new one is left in the library folder.
void TestSaveWindow::volumeFullDuringCopy()
{
    QFETCH(bool, olderCopy);
    const std::unique_ptr<MountedVolume> volume = libraryOnOwnVolume(512 * 1024);
    QVERIFY(volume);
    if (!volume->mounted())
        QSKIP(qPrintable(QStringLiteral("No volume to fill: %1.").arg(volume->failure())));
    const QString volumeFolder = m_volume;

    const QByteArray older = "BM" + QByteArray(80 * 1024, '\x11');
    const QByteArray drawing = "BM" + QByteArray(64 * 1024, '\x5a');
    QVERIFY(writeBytes(m_drawings + QLatin1String("Re44.bmp"), olderCopy ? older : drawing));
    startNewLibrary(QStringLiteral("Swiss"));
    addEntry(QStringLiteral("Re44.bmp"));
    f->exchange->answerFile(m_file);
    if (olderCopy) {
        save();
        QCOMPARE(f->exchange->messageTexts().last(), completion);
        QVERIFY(writeBytes(m_drawings + QLatin1String("Re44.bmp"), drawing));
    }
    QVERIFY(volume->fill(volumeFolder + QLatin1String("/filler"), 16 * 1024));
    f->exchange->clearRecords();
    save();

    QCOMPARE(readBytes(m_file), expectedFile());
    const QList<ScriptedExchange::Message> critical = messagesOf(MessageKind::Critical);
    QCOMPARE(critical.size(), 1);
    const QString drawingPath = QDir::toNativeSeparators(m_folder + QLatin1String("/E/Re44.bmp"));
    QVERIFY2(critical.first().text.contains(drawingPath + QLatin1String(": ")) &&
                 critical.first().text.contains(diskFullReason()),
             qPrintable(critical.first().text));
    QVERIFY(messagesOf(MessageKind::Information).isEmpty());
    QCOMPARE(filesIn(m_folder + QLatin1String("/E")),
             olderCopy ? QStringList{"Re44.bmp"} : QStringList());
    if (olderCopy)
        QCOMPARE(readBytes(m_folder + QLatin1String("/E/Re44.bmp")), older);
    QCOMPARE(f->window->libraryMode, QStringLiteral("UPD"));
}

void TestSaveWindow::samePlaceRefused_data()
{
    // The first entry is added from folder A, or read from the library's attributes file; then
    // the list may change, or a file; the second is added from folder B, or again from A.
    // Folders A and B hold the same bytes under a name until A's drawing is edited.
    QTest::addColumn<QString>("first");     // drawing [+ frames when it ends "_0.bmp"]
    QTest::addColumn<QString>("firstFrom"); // "A" or "file"
    QTest::addColumn<QString>("between");   // "", "erase", "open another", "edit", "lose copy"
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("secondType");
    QTest::addColumn<QString>("secondFrom");
    QTest::addColumn<QString>("why"); // what the refusal says; empty: added
    QTest::newRow("same name, other case, other folder")
        << "Re44.bmp"
        << "A"
        << ""
        << "RE44.bmp"
        << "E"
        << "B" << QStringLiteral("whose name differs in letter case");
    QTest::newRow("a frame of the first is the second's drawing")
        << "Ae_0.bmp"
        << "A"
        << ""
        << "AE_2.bmp"
        << "E"
        << "B" << QStringLiteral("whose name differs in letter case");
    QTest::newRow("type code typed in lower case")
        << "Re44.bmp"
        << "A"
        << ""
        << "re44.bmp"
        << "e"
        << "B" << QStringLiteral("whose name differs in letter case");
    QTest::newRow("entry read from the file, the very same drawing again")
        << "Re44.bmp"
        << "file"
        << ""
        << "Re44.bmp"
        << "E"
        << "A" << QStringLiteral("");
    QTest::newRow("entry read from the file, drawing edited since")
        << "Re44.bmp"
        << "file"
        << "edit"
        << "Re44.bmp"
        << "E"
        << "A" << QStringLiteral("and their contents differ");
    QTest::newRow("entry read from the file, its copy missing") << "Re44.bmp"
                                                                << "file"
                                                                << "lose copy"
                                                                << "Re44.bmp"
                                                                << "E"
                                                                << "A" << QStringLiteral("");
    QTest::newRow("the very same drawing again") << "Re44.bmp"
                                                 << "A"
                                                 << ""
                                                 << "Re44.bmp"
                                                 << "E"
                                                 << "A" << QStringLiteral("");
    QTest::newRow("the same drawing from another folder") << "Re44.bmp"
                                                          << "A"
                                                          << ""
                                                          << "Re44.bmp"
                                                          << "E"
                                                          << "B" << QStringLiteral("");
    QTest::newRow("another drawing of the same name")
        << "Re44.bmp"
        << "A"
        << "edit"
        << "Re44.bmp"
        << "E"
        << "B" << QStringLiteral("and their contents differ");
    QTest::newRow("another type folder") << "Re44.bmp"
                                         << "A"
                                         << ""
                                         << "RE44.bmp"
                                         << "V"
                                         << "B" << QStringLiteral("");
    QTest::newRow("stale slot after Erase Last") << "Re44.bmp"
                                                 << "A"
                                                 << "erase"
                                                 << "RE44.bmp"
                                                 << "E"
                                                 << "B" << QStringLiteral("");
    QTest::newRow("stale slot after opening another library") << "Re44.bmp"
                                                              << "A"
                                                              << "open another"
                                                              << "RE44.bmp"
                                                              << "E"
                                                              << "B" << QStringLiteral("");
}

// Windows, and the display program, take two names that differ only in letter case for one
// file: Add refuses a drawing that would replace another entry's file in the library folder.
void TestSaveWindow::samePlaceRefused()
{
    QFETCH(QString, first);
    QFETCH(QString, firstFrom);
    QFETCH(QString, between);
    QFETCH(QString, second);
    QFETCH(QString, secondType);
    QFETCH(QString, secondFrom);
    QFETCH(QString, why);
    const bool refused = !why.isEmpty();
    const QString folderA = m_dir->filePath(QStringLiteral("A")) + QDir::separator();
    const QString folderB = m_dir->filePath(QStringLiteral("B")) + QDir::separator();
    QVERIFY(QDir().mkpath(folderA) && QDir().mkpath(folderB));
    const bool animated = first.endsWith(QLatin1String("_0.bmp"));
    QStringList firstFiles{first};
    if (animated)
        for (const char *k : {"1", "2", "3"})
            firstFiles.append(first.chopped(5) + QLatin1String(k) + QLatin1String(".bmp"));
    for (const QString &name : firstFiles)
        QVERIFY(writeBytes(folderA + name, drawingBytes(name)));
    QVERIFY(writeBytes(folderB + second, drawingBytes(second)));

    FrmEdit &w = *f->window;
    const QString cycle = animated ? QStringLiteral("6") : QString();
    if (firstFrom == QLatin1String("file")) {
        // A saved library with the drawing in its type folder, opened.
        startNewLibrary(QStringLiteral("Swiss"));
        QVERIFY(addFrom(folderA, first, QStringLiteral("E"), false, cycle));
        f->exchange->answerFile(m_file);
        save();
        f->exchange->answerFile(m_file);
        f->action(QStringLiteral("menuOpen"))->trigger();
        QCOMPARE(w.entryStatus.value(0), QStringLiteral("O"));
    } else {
        startNewLibrary(QStringLiteral("Swiss"));
        QVERIFY(addFrom(folderA, first, QStringLiteral("E"), false, cycle));
    }
    QCOMPARE(w.entryCount, 1);
    if (between == QLatin1String("erase")) {
        w.eraseLastEntry();
    } else if (between == QLatin1String("edit")) {
        QVERIFY(writeBytes(folderA + first, "BM edited"));
    } else if (between == QLatin1String("lose copy")) {
        QVERIFY(QFile::remove(QDir(m_folder).filePath(QStringLiteral("E/") + first)));
    } else if (between == QLatin1String("open another")) {
        const QString other = m_dir->filePath(QStringLiteral("Other.txt"));
        QVERIFY(writeBytes(other, ""));
        f->exchange->answerFile(other);
        f->action(QStringLiteral("menuOpen"))->trigger();
    }
    const int before = w.entryCount;
    f->exchange->clearRecords();
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    f->child<QWidget>(QStringLiteral("cmdAdd"))->setFocus();

    addFrom(secondFrom == QLatin1String("A") ? folderA : folderB, second, secondType);

    if (!refused) {
        QCOMPARE(f->exchange->messageTexts(), QStringList());
        QCOMPARE(w.entryCount, before + 1);
        return;
    }
    QCOMPARE(w.entryCount, before);
    QCOMPARE(f->exchange->messages.size(), 1);
    QCOMPARE(f->exchange->messages.first().kind, MessageKind::Warning);
    const QString told = f->exchange->messages.first().text;
    QVERIFY2(told.contains(QStringLiteral("of entry 1 (\"Re 4/4\"), ") + why), qPrintable(told));
    QVERIFY2(told.contains(QDir::toNativeSeparators(
                 (secondFrom == QLatin1String("A") ? folderA : folderB) + second)),
             qPrintable(told));
    QCOMPARE(QApplication::focusWidget(), f->child<QWidget>(QStringLiteral("File1")));
}

void TestSaveWindow::namesWindowsWouldChangeRefused_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("named"); // the name the message quotes
    QTest::newRow("folder ends in a blank") << "Swiss .txt"
                                            << "\"Swiss \"";
    QTest::newRow("file ends in a dot") << "Swiss.txt."
                                        << "\"Swiss.txt.\"";
    QTest::newRow("device name") << "CON.txt"
                                 << "\"CON.txt\"";
    QTest::newRow("device name, other case, blank before the extension") << "lpt1 .txt"
                                                                         << "\"lpt1 .txt\"";
    QTest::newRow("device name with two extensions") << "aux.lib.txt"
                                                     << "\"aux.lib.txt\"";
}

// The library is made for Windows: a name that Windows would store otherwise, or take for a
// device, is refused before anything is written.
void TestSaveWindow::namesWindowsWouldChangeRefused()
{
    QFETCH(QString, fileName);
    QFETCH(QString, named);
    makeDrawings({"Re44.bmp"});
    startNewLibrary(QStringLiteral("Swiss"));
    addEntry(QStringLiteral("Re44.bmp"));
    f->exchange->clearRecords();
    f->exchange->answerFile(QDir::toNativeSeparators(m_dir->filePath(fileName)));
    save();

    QCOMPARE(f->exchange->messages.size(), 1);
    QCOMPARE(f->exchange->messages.first().kind, MessageKind::Critical);
    const QString told = f->exchange->messages.first().text;
    QVERIFY2(told.contains(named) && told.endsWith(QLatin1String("\rNothing was saved!")),
             qPrintable(told));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{"drawings"});
    QCOMPARE(f->window->libraryMode, QStringLiteral("NEW"));
    QCOMPARE(f->window->libraryFile, QStringLiteral("Swiss"));
}

void TestSaveWindow::heldTargetReported_data()
{
    QTest::addColumn<bool>("readOnlySource");
    QTest::newRow("source writable") << false;
    QTest::newRow("source read-only") << true;
}

// Another program holds the library's copy open (Windows then refuses to replace it): the copy
// is reported at its target, the held file stays as it was, and no part file is left, whatever
// the source's attributes.
void TestSaveWindow::heldTargetReported()
{
#ifndef Q_OS_WIN
    QSKIP("Only Windows stops a file from being replaced while another program holds it open.");
#else
    QFETCH(bool, readOnlySource);
    makeDrawings({"Re44.bmp"});
    startNewLibrary(QStringLiteral("Swiss"));
    addEntry(QStringLiteral("Re44.bmp"));
    f->exchange->answerFile(m_file);
    save();
    const QString target = m_folder + QLatin1String("/E/Re44.bmp");
    const QByteArray old = readBytes(target);
    QVERIFY(writeBytes(m_drawings + QLatin1String("Re44.bmp"), "BM redrawn"));
    if (readOnlySource)
        QVERIFY(
            QFile::setPermissions(m_drawings + QLatin1String("Re44.bmp"), QFileDevice::ReadOwner));

    QProcess holder;
    holder.start(QCoreApplication::applicationDirPath() + QLatin1String("/holdfile.exe"),
                 {QDir::toNativeSeparators(target)});
    QVERIFY2(holder.waitForReadyRead(20000) && holder.readLine().startsWith("held"),
             qPrintable(holder.readAllStandardError()));
    f->exchange->clearRecords();
    save();
    holder.closeWriteChannel(); // the helper lets go
    QVERIFY(holder.waitForFinished(20000));
    QFile::setPermissions(m_drawings + QLatin1String("Re44.bmp"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner);

    const QList<ScriptedExchange::Message> critical = messagesOf(MessageKind::Critical);
    QCOMPARE(critical.size(), 1);
    QVERIFY2(critical.first().text.contains(QDir::toNativeSeparators(target) + QLatin1String(": ")),
             qPrintable(critical.first().text));
    QVERIFY(messagesOf(MessageKind::Information).isEmpty());
    QCOMPARE(readBytes(target), old);
    QCOMPARE(filesIn(m_folder + QLatin1String("/E")), QStringList{"Re44.bmp"});
#endif
}

// A library whose path is past 300 characters, with drawings from a folder past 300
// characters: everything is copied (Windows' classic file calls stop at 260).
void TestSaveWindow::longPathsCopied()
{
    QString deep = m_dir->path();
    while (deep.size() < 300)
        deep += QLatin1String("/a-folder-with-a-long-name-to-pass-the-classic-limit");
    m_drawings = deep + QLatin1String("/drawings") + QDir::separator();
    QVERIFY(QDir().mkpath(m_drawings));
    m_file = QDir::toNativeSeparators(deep + QLatin1String("/library/Swiss.txt"));
    m_folder = QDir::toNativeSeparators(deep + QLatin1String("/library/Swiss"));
    QVERIFY(QDir().mkpath(deep + QLatin1String("/library")));
    QVERIFY(m_folder.size() > 300);
    makeDrawings({"Re44.bmp", "Re44_SAR.bmp", "Re44_N0.bmp"});
    startNewLibrary(QStringLiteral("Swiss"));
    addEntry(QStringLiteral("Re44.bmp"), true, {}, true);
    f->exchange->clearRecords();
    f->exchange->answerFile(m_file);
    save();

    QCOMPARE(f->exchange->messageTexts(), QStringList{completion});
    QCOMPARE(readBytes(m_file), expectedFile());
    QCOMPARE(filesIn(m_folder + QLatin1String("/E")),
             (QStringList{"Re44.bmp", "Re44_N0.bmp", "Re44_SAR.bmp"}));
    for (const QString &name : filesIn(m_folder + QLatin1String("/E")))
        QCOMPARE(readBytes(m_folder + QLatin1String("/E/") + name), drawingBytes(name));
}

void TestSaveWindow::openLibrary(const QByteArray &bytes)
{
    QVERIFY(writeBytes(m_file, bytes));
    f->exchange->answerFile(m_file);
    f->action(QStringLiteral("menuOpen"))->trigger();
    f->exchange->clearRecords();
}

QStringList TestSaveWindow::enabledMenuItems()
{
    auto *menu = f->child<QMenu>(QStringLiteral("mnuEntry"));
    pressInList(Qt::Key_Menu);
    QStringList enabled;
    if (menu->isVisible())
        for (const QAction *action : menu->actions())
            if (action->isEnabled() && !action->isSeparator())
                enabled.append(action->objectName());
    menu->close();
    return enabled;
}

// Edit Entry puts the entry's drawing and every attribute into the form, or names what keeps it
// from doing so and changes nothing.
void TestSaveWindow::editEntry_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("drawingThere");
    QTest::addColumn<QString>("told"); // the warning, or empty
    const QByteArray full = EntryLineBytes{.label = "Ae 6/6",
                                           .epoche = "2-5",
                                           .uland = "FRG",
                                           .gt = "V",
                                           .ol = "3",
                                           .olh = "40",
                                           .sar = "Y",
                                           .richtung = "L",
                                           .rangier = "Y",
                                           .wz = "Y",
                                           .dt = "Y",
                                           .phasenlaenge = "0",
                                           .variations = "Y",
                                           .drawing = "Re44.bmp"}
                                .text();
    QTest::newRow("every field") << full << true << QString();
    QTest::newRow("drawing gone") << full << false << QStringLiteral("%1 doesn't exist!");
    QTest::newRow("epoch 7")
        << EntryLineBytes{.epoche = "7"}.text() << true
        << QStringLiteral("Entry 1 cannot be edited: its EPOCHE (columns 41-43) holds \"7  \", "
                          "which the form cannot show as Add to Library would write it.");
    QTest::newRow("blank country")
        << EntryLineBytes{.uland = ""}.text() << true
        << QStringLiteral("Entry 1 cannot be edited: its ULAND (columns 44-46) holds \"   \", "
                          "which the form cannot show as Add to Library would write it.");
    QTest::newRow("no file name")
        << EntryLineBytes{.drawing = "  "}.text() << true
        << QStringLiteral("Entry 1 cannot be edited: its file name (column 59 on) holds \"  \", "
                          "which the form cannot show as Add to Library would write it.");
}

void TestSaveWindow::editEntry()
{
    QFETCH(QByteArray, line);
    QFETCH(bool, drawingThere);
    QFETCH(QString, told);
    const QString typeFolder = m_folder + QDir::separator() + QStringLiteral("V");
    QVERIFY(QDir().mkpath(m_folder + QLatin1String("/E")) && QDir().mkpath(typeFolder));
    if (drawingThere)
        for (const char *name : {"E/Re44.bmp", "V/Re44.bmp", "V/Re44_SAR.bmp", "V/Re44_N1.bmp"})
            QVERIFY(writeBytes(m_folder + u'/' + QLatin1String(name), "BM"));
    openLibrary(line + "\r\n");
    const QString labelBefore = f->labelBox()->text();
    f->libraryList()->setCurrentRow(0);
    pressInList(Qt::Key_Return);

    QCOMPARE(f->exchange->messageTexts(),
             told.isEmpty() ? QStringList()
                            : QStringList{told.arg(typeFolder + QDir::separator() + "Re44.bmp")});
    FrmEdit &w = *f->window;
    if (!told.isEmpty() && drawingThere) {
        QCOMPARE(f->labelBox()->text(), labelBefore);
        QVERIFY(enabledMenuItems().contains(QStringLiteral("menuRemoveEntry")));
        QVERIFY(!enabledMenuItems().contains(QStringLiteral("menuReplaceEntry")));
        return;
    }
    QCOMPARE(f->child<FileList>(QStringLiteral("File1"))->selectedFileName(),
             drawingThere ? QStringLiteral("Re44.bmp") : QString());
    QCOMPARE(w.drawingFileName, drawingThere ? QStringLiteral("Re44.bmp") : QString());
    QCOMPARE(w.sourceFolder, typeFolder + QDir::separator());
    QCOMPARE(f->preview()->pixmap().isNull(), true); // "BM" alone is no picture
    // The form gives the line back exactly, the label and every box included.
    QCOMPARE(f->labelBox()->text(), QStringLiteral("Ae 6/6"));
    QCOMPARE(f->child<QComboBox>(QStringLiteral("cboUland"))->currentText(),
             QStringLiteral("FRG - Germany"));
    QCOMPARE(f->child<QComboBox>(QStringLiteral("cboGT"))->currentText(),
             QStringLiteral("V  - Diesel Locomotive"));
    f->exchange->clearRecords();
    f->action(QStringLiteral("menuReplaceEntry"))->trigger();
    if (drawingThere) {
        QCOMPARE(f->exchange->messageTexts(), QStringList());
        QCOMPARE(encodeCodePage(lines().first()), line);
    } else {
        QCOMPARE(f->exchange->messageTexts(), QStringList{"Select a bitmap FileName!"});
    }
}

// Tried as a returning user would: a saved library opened, entry 3 edited, its epoch changed and
// put back, saved: the file differs in that line only, and no copy of a drawing is touched.
void TestSaveWindow::replaceEntry()
{
    makeDrawings({"A.bmp", "B.bmp", "C_0.bmp", "C_1.bmp", "C_2.bmp", "C_3.bmp", "C_0_SAR.bmp"});
    startNewLibrary(QStringLiteral("Swiss"));
    addEntry(QStringLiteral("A.bmp"));
    addEntry(QStringLiteral("B.bmp"));
    addEntry(QStringLiteral("C_0.bmp"), true, QStringLiteral("4"));
    f->exchange->answerFile(m_file);
    save();
    const QByteArray saved = readBytes(m_file);
    const QStringList copies = filesIn(m_folder + QLatin1String("/E"));
    QCOMPARE(copies.size(), 7);
    const QDateTime past = QDateTime::currentDateTime().addDays(-3);
    for (const QString &name : copies) {
        QFile copy(m_folder + QLatin1String("/E/") + name);
        QVERIFY(copy.open(QIODevice::ReadWrite) &&
                copy.setFileTime(past, QFileDevice::FileModificationTime));
    }
    openLibrary(saved);
    QCOMPARE(enabledMenuItems(), QStringList{"menuCheckLibrary"}); // no entry current yet

    f->libraryList()->setCurrentRow(2);
    QCOMPARE(enabledMenuItems(),
             (QStringList{"menuEditEntry", "menuRemoveEntry", "menuMoveUp", "menuCheckLibrary"}));
    f->action(QStringLiteral("menuEditEntry"))->trigger();
    // Nothing is asked while only an entry was loaded.
    f->action(QStringLiteral("menuNew"))->trigger();
    QCOMPARE(f->exchange->messageTexts(), QStringList{"New Source Library NOT Generated!"});
    f->exchange->clearRecords();

    // A refusal of the form changes nothing.
    f->window->chkEPO[4]->setChecked(false);
    f->action(QStringLiteral("menuReplaceEntry"))->trigger();
    QCOMPARE(f->exchange->messageTexts(), QStringList{"Select almost one value for EPOCHE!"});
    QCOMPARE(encodeCodePage(lines().at(2)), saved.split('\r').at(2).mid(1));
    f->exchange->clearRecords();

    f->window->chkEPO[3]->setChecked(true);
    f->window->chkEPO[4]->setChecked(true);
    f->libraryList()->setCurrentRow(0); // Replace follows the loaded entry, not the current one
    f->action(QStringLiteral("menuReplaceEntry"))->trigger();
    QCOMPARE(f->exchange->messageTexts(), QStringList());
    QCOMPARE(f->libraryList()->currentRow(), 2);
    QCOMPARE(f->window->entryStatus, (QStringList{"O", "O", "N"}));
    save();
    QCOMPARE(f->exchange->messageTexts(), QStringList{completion});
    QList<QByteArray> expectedLines = saved.split('\n');
    expectedLines[2].replace(EntryFields::epoche.index(), 3, "3-4");
    const QByteArray expected = expectedLines.join('\n');
    QVERIFY(expected != saved);
    QCOMPARE(readBytes(m_file), expected);
    QCOMPARE(checkLibraryFile(m_file).findings, CheckFindings{});
    for (const QString &name : copies) {
        const QFileInfo copy(m_folder + QLatin1String("/E/") + name);
        QCOMPARE(copy.lastModified(), past);
        QCOMPARE(readBytes(copy.filePath()), drawingBytes(name));
    }

    // Once the loaded entry is removed there is nothing to replace.
    f->exchange->answerMessage(MessageAnswer::Ok);
    f->libraryList()->setCurrentRow(2);
    pressInList(Qt::Key_Delete);
    QVERIFY(!enabledMenuItems().contains(QStringLiteral("menuReplaceEntry")));
}

void TestSaveWindow::removeEntry_data()
{
    QTest::addColumn<MessageAnswer>("answer");
    QTest::addColumn<QStringList>("left"); // the labels of the entries left
    QTest::newRow("OK") << MessageAnswer::Ok << QStringList{"A", "C"};
    QTest::newRow("Cancel") << MessageAnswer::Cancel << QStringList{"A", "B", "C"};
}

void TestSaveWindow::removeEntry()
{
    QFETCH(MessageAnswer, answer);
    QFETCH(QStringList, left);
    makeDrawings({"A.bmp"});
    openLibrary(EntryLineBytes{.label = "A"}.text() + "\r\n" +
                EntryLineBytes{.label = "B", .drawing = "B.bmp"}.text() + "\r\n");
    QVERIFY(addFrom(m_drawings, QStringLiteral("A.bmp"), QStringLiteral("E")));
    f->labelBox()->setText(QStringLiteral("C"));
    f->window->entryFolder[2] = m_drawings; // C's folder goes with it
    f->libraryList()->item(2)->setText(EntryLine{.label = "C", .drawing = "A.bmp"}.text());
    f->exchange->clearRecords();
    f->libraryList()->setCurrentRow(1);
    f->exchange->answerMessage(answer);
    pressInList(Qt::Key_Delete);

    QCOMPARE(f->exchange->messageTexts(), QStringList{"Remove entry 2 (\"B\") from the library?\r"
                                                      "Its drawings stay in the library folder."});
    QCOMPARE(f->exchange->messages.first().kind, MessageKind::Warning);
    QStringList labels;
    for (const QString &line : lines())
        labels.append(line.left(1));
    QCOMPARE(labels, left);
    QCOMPARE(int(f->window->entryCount), left.size());
    QCOMPARE(f->window->entryStatus.size(), left.size());
    QCOMPARE(f->window->entryStatus.last(), QStringLiteral("N"));
    QCOMPARE(f->window->entryFolder.last(), m_drawings);
    QCOMPARE(f->libraryList()->currentRow(), 1);
}

void TestSaveWindow::moveEntry()
{
    makeDrawings({"A.bmp"});
    openLibrary(EntryLineBytes{.label = "A"}.text() + "\r\n" + EntryLineBytes{.label = "B"}.text() +
                "\r\n");
    QVERIFY(addFrom(m_drawings, QStringLiteral("A.bmp"), QStringLiteral("E")));
    f->libraryList()->setCurrentRow(2);
    const auto order = [this] {
        QString shown;
        for (const QString &line : lines())
            shown += line.left(1);
        return shown + f->window->entryStatus.join(QString()) +
               QString::number(f->libraryList()->currentRow());
    };
    pressInList(Qt::Key_Up, Qt::ControlModifier);
    QCOMPARE(order(), QStringLiteral("ARBONO1"));
    pressInList(Qt::Key_Up, Qt::ControlModifier);
    pressInList(Qt::Key_Up, Qt::ControlModifier); // the first stays first
    QCOMPARE(order(), QStringLiteral("RABNOO0"));
    pressInList(Qt::Key_Down, Qt::ControlModifier);
    QCOMPARE(order(), QStringLiteral("ARBONO1"));
    QCOMPARE(f->window->entryFolder.at(1), QDir::toNativeSeparators(m_drawings));
    QVERIFY(f->exchange->messages.isEmpty());
}

// F7 checks the library as the list holds it: a line read from the file, a line added in the
// window (its drawing looked for in its source folder) and the library folder; Go to Entry
// leads to the finding's entry.
void TestSaveWindow::checkLibrary()
{
    makeDrawings({"Ae66.bmp"});
    QVERIFY(QDir().mkpath(m_folder + QLatin1String("/E")));
    for (const char *name : {"Re44.bmp", "Ee33.bmp", "Stray.bmp"})
        QVERIFY(writeBytes(m_folder + QLatin1String("/E/") + name, "BM"));
    openLibrary(EntryLineBytes{}.text() + "\r\n" +
                EntryLineBytes{.olh = "39", .drawing = "Ee33.bmp"}.text() + "\r\n");
    QVERIFY(addFrom(m_drawings, QStringLiteral("Ae66.bmp"), QStringLiteral("E")));
    QVERIFY(QFile::remove(m_drawings + QLatin1String("Ae66.bmp"))); // gone since it was added
    f->libraryList()->setCurrentRow(0);
    f->window->show();
    QVERIFY(QTest::qWaitForWindowActive(f->window.get()));

    QStringList shown;
    bool goToAtCount = true;
    QTimer::singleShot(0, this, [&] {
        auto *window = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        QVERIFY(window && window->objectName() == QLatin1String("frmCheck"));
        QCOMPARE(window->windowTitle(), QStringLiteral("Zerbon - Check Library"));
        auto *findings = window->findChild<QListWidget *>(QStringLiteral("lstFindings"));
        for (int row = 0; row < findings->count(); ++row)
            shown.append(findings->item(row)->text());
        findings->setCurrentRow(findings->count() - 1);
        goToAtCount = window->findChild<QPushButton *>(QStringLiteral("cmdGoTo"))->isEnabled();
        findings->setCurrentRow(1);
        QTest::keyClick(findings, Qt::Key_Return);
    });
    QTest::keyClick(f->window.get(), Qt::Key_F7);

    QCOMPARE(shown,
             (QStringList{"line 2: error: columns 50-51: OLH \"39\" is not two digits 40 to 90",
                          "line 3: error: columns 59-66: the drawing \"Ae66.bmp\" is missing from "
                          "its source folder \"" +
                              QDir::toNativeSeparators(m_drawings) + "\"",
                          "warning: " + QDir::toNativeSeparators("\"E/Stray.bmp\"") +
                              " is named by no line: the display program does not show it",
                          "2 errors, 1 warning in 3 entries"}));
    QVERIFY(!goToAtCount);
    QCOMPARE(f->libraryList()->currentRow(), 2);
    QCOMPARE(f->window->focusWidget(), static_cast<QWidget *>(f->libraryList()));
    QVERIFY(f->exchange->messages.isEmpty());
}

QTEST_MAIN(TestSaveWindow)
#include "test_window_save.moc"

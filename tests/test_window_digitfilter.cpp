#include "digitonlyfilter.h"
#include "scriptedexchange.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <memory>

namespace {

const QString refusal = QStringLiteral("Only numbers allowed in text box");
const QString clipboardText = QStringLiteral("999");

} // namespace

// A window with a filtered box, as txtPixels and txtCycle are, and an unfiltered box that
// shows what each key would have done without the filter.
class TestDigitFilter : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void keys_data();
    void keys();
    void refusedCharacterNeverReachesBox();
    void copyLeavesClipboard();
    void tabMovesFocusWithoutMessage();
    void autoRepeatRefusesEachPress();
    void ctrlKeyDoesNotReachApplicationShortcut();
    void altShortcutStillWorks();
    void inputMethodCommits_data();
    void inputMethodCommits();
    void typedCharacterCodes_data();
    void typedCharacterCodes();

private:
    bool focusOn(QLineEdit *box);
    void expectRefusals(int count);

    // Fresh for every test, so that no hook of an earlier test outlives it.
    std::unique_ptr<ScriptedExchange> exchange;
    std::unique_ptr<QWidget> window;
    QLineEdit *filtered = nullptr;
    QLineEdit *plain = nullptr;
};

void TestDigitFilter::init()
{
    exchange = std::make_unique<ScriptedExchange>();
    window = std::make_unique<QWidget>();
    auto *layout = new QVBoxLayout(window.get());
    filtered = new QLineEdit(window.get());
    plain = new QLineEdit(window.get());
    layout->addWidget(filtered);
    layout->addWidget(plain);
    filtered->installEventFilter(new DigitOnlyFilter(*exchange, window.get()));
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QApplication::clipboard()->setText(clipboardText);
    QCOMPARE(QApplication::clipboard()->text(), clipboardText);
}

void TestDigitFilter::cleanup()
{
    window.reset();
    filtered = nullptr;
    plain = nullptr;
    exchange.reset();
}

bool TestDigitFilter::focusOn(QLineEdit *box)
{
    box->setFocus(Qt::OtherFocusReason);
    return QTest::qWaitFor([box] { return box->hasFocus(); });
}

void TestDigitFilter::expectRefusals(int count)
{
    QCOMPARE(exchange->messages.size(), count);
    for (const ScriptedExchange::Message &message : std::as_const(exchange->messages)) {
        QCOMPARE(message.kind, MessageKind::Critical);
        QCOMPARE(message.text, refusal);
        QCOMPARE(message.buttons, MessageButtons::Ok);
    }
}

void TestDigitFilter::keys_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QTestEventList>("events");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("messages");
    QTest::addColumn<QString>("unfiltered"); // the same keys in a box without the filter

    auto keys = [](std::initializer_list<std::pair<Qt::Key, Qt::KeyboardModifiers>> list) {
        QTestEventList events;
        for (const auto &[key, modifiers] : list)
            events.addKeyClick(key, modifiers);
        return events;
    };
    auto typed = [](const char *text) {
        QTestEventList events;
        events.addKeyClicks(QString::fromLatin1(text));
        return events;
    };
    const Qt::KeyboardModifiers none = Qt::NoModifier;
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;

    QTest::newRow("digit") << "" << typed("7") << "7" << 0 << "7";
    QTest::newRow("all digits") << "" << typed("0123456789") << "0123456789" << 0 << "0123456789";
    QTest::newRow("letter") << "12" << typed("a") << "12" << 1 << "12a";
    QTest::newRow("capital letter") << "12" << typed("A") << "12" << 1 << "12A";
    QTest::newRow("backspace") << "123" << keys({{Qt::Key_Backspace, none}}) << "12" << 0 << "12";
    QTest::newRow("space") << "12" << typed(" ") << "12" << 1 << "12 ";
    QTest::newRow("minus dot comma") << "12" << typed("-.,") << "12" << 3 << "12-.,";
    QTest::newRow("several wrong keys") << "5" << typed("abc+x") << "5" << 5 << "5abc+x";
    QTest::newRow("mixed") << "" << typed("1a2b3") << "123" << 2 << "1a2b3";
    QTest::newRow("return") << "12" << keys({{Qt::Key_Return, none}}) << "12" << 1 << "12";
    QTest::newRow("keypad enter") << "12" << keys({{Qt::Key_Enter, Qt::KeypadModifier}}) << "12"
                                  << 1 << "12";
    QTest::newRow("escape") << "12" << keys({{Qt::Key_Escape, none}}) << "12" << 1 << "12";
    QTest::newRow("keypad digit") << "1" << keys({{Qt::Key_4, Qt::KeypadModifier}}) << "14" << 0
                                  << "14";
    QTest::newRow("editing keys") << "1234"
                                  << keys({{Qt::Key_Left, none},
                                           {Qt::Key_Left, none},
                                           {Qt::Key_Delete, none},
                                           {Qt::Key_Home, none},
                                           {Qt::Key_9, none},
                                           {Qt::Key_Right, none},
                                           {Qt::Key_End, none},
                                           {Qt::Key_5, none},
                                           {Qt::Key_Up, none},
                                           {Qt::Key_Down, none}})
                                  << "91245" << 0 << "91245";
    QTest::newRow("function and modifier keys") << "12"
                                                << keys({{Qt::Key_F2, none},
                                                         {Qt::Key_Shift, none},
                                                         {Qt::Key_Control, none},
                                                         {Qt::Key_Alt, none},
                                                         {Qt::Key_Insert, none},
                                                         {Qt::Key_PageUp, none}})
                                                << "12" << 0 << "12";
    QTest::newRow("ctrl+v pastes nothing")
        << "1" << keys({{Qt::Key_V, ctrl}}) << "1" << 1 << "1999";
    QTestEventList typedThenUndone = typed("12");
    typedThenUndone.addKeyClick(Qt::Key_Z, ctrl);
    QTest::newRow("ctrl+z does not undo") << "" << typedThenUndone << "12" << 1 << "";
    QTest::newRow("ctrl+x cuts nothing")
        << "123" << keys({{Qt::Key_Home, Qt::ShiftModifier}, {Qt::Key_X, ctrl}}) << "123" << 1
        << "";
    QTest::newRow("ctrl+a selects nothing")
        << "123" << keys({{Qt::Key_A, ctrl}, {Qt::Key_5, none}}) << "1235" << 1 << "5";
    // Word deletion, cut, paste and undo through keys that type no character of their own.
    QTest::newRow("ctrl+backspace deletes no word")
        << "12" << keys({{Qt::Key_Backspace, ctrl}}) << "12" << 1 << "";
    QTest::newRow("ctrl+delete deletes no word")
        << "12" << keys({{Qt::Key_Home, none}, {Qt::Key_Delete, ctrl}}) << "12" << 1 << "";
    QTest::newRow("shift+insert pastes nothing")
        << "1" << keys({{Qt::Key_Insert, Qt::ShiftModifier}}) << "1" << 1 << "1999";
    QTest::newRow("shift+delete cuts nothing")
        << "123" << keys({{Qt::Key_Home, Qt::ShiftModifier}, {Qt::Key_Delete, Qt::ShiftModifier}})
        << "123" << 1 << "";
    QTest::newRow("alt+letter") << "12" << keys({{Qt::Key_X, Qt::AltModifier}}) << "12" << 1
                                << "12x";
}

void TestDigitFilter::keys()
{
    QFETCH(QString, start);
    QFETCH(QTestEventList, events);
    QFETCH(QString, expected);
    QFETCH(int, messages);
    QFETCH(QString, unfiltered);

    filtered->setText(start);
    plain->setText(start);

    QVERIFY(focusOn(plain));
    events.simulate(plain);
    QCOMPARE(plain->text(), unfiltered);
    QCOMPARE(exchange->messages.size(), 0);

    QVERIFY(focusOn(filtered));
    events.simulate(filtered);
    QCOMPARE(filtered->text(), expected);
    expectRefusals(messages);
}

void TestDigitFilter::refusedCharacterNeverReachesBox()
{
    filtered->setText(QStringLiteral("42"));
    QStringList textWhileShown;
    exchange->onMessage(
        [&](const ScriptedExchange::Message &) { textWhileShown.append(filtered->text()); });
    QVERIFY(focusOn(filtered));
    QTest::keyClick(filtered, Qt::Key_A);
    QTest::keyClick(filtered, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(textWhileShown, QStringList({"42", "42"}));
    QCOMPARE(filtered->text(), QStringLiteral("42"));
    QVERIFY(!filtered->isUndoAvailable());
    expectRefusals(2);
}

void TestDigitFilter::copyLeavesClipboard()
{
    filtered->setText(QStringLiteral("123"));
    QVERIFY(focusOn(filtered));
    filtered->selectAll();
    QTest::keyClick(filtered, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), clipboardText);
    QCOMPARE(filtered->text(), QStringLiteral("123"));
    expectRefusals(1);

    // The same key copies in an unfiltered box.
    plain->setText(QStringLiteral("456"));
    QVERIFY(focusOn(plain));
    plain->selectAll();
    QTest::keyClick(plain, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("456"));
}

void TestDigitFilter::tabMovesFocusWithoutMessage()
{
    QVERIFY(focusOn(filtered));
    QTest::keyClick(filtered, Qt::Key_Tab);
    QVERIFY(QTest::qWaitFor([this] { return plain->hasFocus(); }));
    QTest::keyClick(plain, Qt::Key_Backtab, Qt::ShiftModifier);
    QVERIFY(QTest::qWaitFor([this] { return filtered->hasFocus(); }));
    QVERIFY(filtered->text().isEmpty());
    expectRefusals(0);
}

void TestDigitFilter::autoRepeatRefusesEachPress()
{
    QVERIFY(focusOn(filtered));
    for (int i = 0; i < 3; ++i) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"), i > 0);
        QApplication::sendEvent(filtered, &press);
    }
    QVERIFY(filtered->text().isEmpty());
    expectRefusals(3);

    for (int i = 0; i < 3; ++i) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_5, Qt::NoModifier, QStringLiteral("5"), i > 0);
        QApplication::sendEvent(filtered, &press);
    }
    QCOMPARE(filtered->text(), QStringLiteral("555"));
    expectRefusals(3);
}

void TestDigitFilter::ctrlKeyDoesNotReachApplicationShortcut()
{
    auto *save = new QAction(QStringLiteral("Save"), window.get());
    save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    window->addAction(save);
    QSignalSpy triggered(save, &QAction::triggered);

    QVERIFY(focusOn(plain));
    QTest::keyClick(plain, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(triggered.size(), 1);

    QVERIFY(focusOn(filtered));
    QTest::keyClick(filtered, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(triggered.size(), 1);
    QVERIFY(filtered->text().isEmpty());
    expectRefusals(1);
}

void TestDigitFilter::altShortcutStillWorks()
{
    // Menu accelerators are Alt shortcuts; the box must not claim them.
    auto *menu = new QAction(QStringLiteral("Go"), window.get());
    menu->setShortcut(QKeySequence(Qt::ALT | Qt::Key_G));
    window->addAction(menu);
    QSignalSpy triggered(menu, &QAction::triggered);

    QVERIFY(focusOn(plain));
    QTest::keyClick(plain, Qt::Key_G, Qt::AltModifier);
    QCOMPARE(triggered.size(), 1);
    QVERIFY(focusOn(filtered));
    QTest::keyClick(filtered, Qt::Key_G, Qt::AltModifier);
    QCOMPARE(triggered.size(), 2);
    QVERIFY(filtered->text().isEmpty());
    expectRefusals(0);
}

void TestDigitFilter::inputMethodCommits_data()
{
    // Text that an input method (a dead key, a compose sequence, an input method editor)
    // composes and then commits to the box.
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("composing"); // shown while composing, before the commit
    QTest::addColumn<QString>("commit");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("messages");
    QTest::addColumn<QString>("unfiltered");
    QTest::newRow("dead key e acute") << "12"
                                      << "\u00b4"
                                      << "\u00e9"
                                      << "12" << 1 << "12\u00e9";
    QTest::newRow("compose sequence") << "12"
                                      << "o"
                                      << "\u00f6"
                                      << "12" << 1 << "12\u00f6";
    QTest::newRow("committed without composing") << ""
                                                 << ""
                                                 << "x"
                                                 << "" << 1 << "x";
    QTest::newRow("character beyond the BMP") << "1"
                                              << ""
                                              << "\U0001F600"
                                              << "1" << 1 << "1\U0001F600";
    QTest::newRow("two characters") << "1"
                                    << ""
                                    << "a-"
                                    << "1" << 2 << "1a-";
    QTest::newRow("digits among letters") << "1"
                                          << ""
                                          << "2b"
                                          << "1" << 1 << "12b";
    QTest::newRow("digits") << "1"
                            << ""
                            << "23"
                            << "123" << 0 << "123";
    QTest::newRow("full-width digit") << "1"
                                      << ""
                                      << "\uff12"
                                      << "1" << 1 << "1\uff12";
}

void TestDigitFilter::inputMethodCommits()
{
    QFETCH(QString, start);
    QFETCH(QString, composing);
    QFETCH(QString, commit);
    QFETCH(QString, expected);
    QFETCH(int, messages);
    QFETCH(QString, unfiltered);

    const auto compose = [&](QLineEdit *box) {
        box->setText(start);
        QVERIFY(focusOn(box));
        if (!composing.isEmpty()) {
            QInputMethodEvent preedit(composing, {});
            QApplication::sendEvent(box, &preedit);
        }
        QInputMethodEvent committed;
        committed.setCommitString(commit);
        QApplication::sendEvent(box, &committed);
    };
    compose(plain);
    QCOMPARE(plain->text(), unfiltered);
    QCOMPARE(exchange->messages.size(), 0);

    compose(filtered);
    QCOMPARE(filtered->text(), expected);
    expectRefusals(messages);
    // Nothing composed stays in the box either.
    QCOMPARE(filtered->inputMethodQuery(Qt::ImSurroundingText).toString(), expected);
    QCOMPARE(filtered->isUndoAvailable(), expected != start);
}

void TestDigitFilter::typedCharacterCodes_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("code"); // -1: types nothing

    const int ctrl = int(Qt::ControlModifier);
    QTest::newRow("digit") << int(Qt::Key_7) << 0 << "7" << 55;
    QTest::newRow("backspace") << int(Qt::Key_Backspace) << 0 << "\b" << 8;
    QTest::newRow("backspace without text") << int(Qt::Key_Backspace) << 0 << "" << 8;
    QTest::newRow("ctrl+backspace") << int(Qt::Key_Backspace) << ctrl << "" << 127;
    QTest::newRow("alt+backspace") << int(Qt::Key_Backspace) << int(Qt::AltModifier) << "\b" << 127;
    QTest::newRow("shift+backspace")
        << int(Qt::Key_Backspace) << int(Qt::ShiftModifier) << "\b" << 8;
    QTest::newRow("return without text") << int(Qt::Key_Return) << 0 << "" << 13;
    QTest::newRow("enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << "\r" << 13;
    QTest::newRow("escape without text") << int(Qt::Key_Escape) << 0 << "" << 27;
    QTest::newRow("ctrl+v as control character") << int(Qt::Key_V) << ctrl << "\x16" << 22;
    QTest::newRow("ctrl+v as letter") << int(Qt::Key_V) << ctrl << "v" << 22;
    QTest::newRow("ctrl+v without text") << int(Qt::Key_V) << ctrl << "" << 22;
    QTest::newRow("ctrl+c") << int(Qt::Key_C) << ctrl << "" << 3;
    QTest::newRow("ctrl+x") << int(Qt::Key_X) << ctrl << "" << 24;
    QTest::newRow("ctrl+z") << int(Qt::Key_Z) << ctrl << "" << 26;
    QTest::newRow("ctrl+shift+a") << int(Qt::Key_A) << (ctrl | int(Qt::ShiftModifier)) << "A" << 1;
    QTest::newRow("altgr euro") << int(Qt::Key_E) << (ctrl | int(Qt::AltModifier)) << "\u20ac"
                                << 0x20ac;
    QTest::newRow("unknown key with text") << int(Qt::Key_unknown) << 0 << "\u00e9" << 0xe9;
    QTest::newRow("tab with text") << int(Qt::Key_Tab) << 0 << "\t" << -1;
    QTest::newRow("delete with text") << int(Qt::Key_Delete) << 0 << "\x7f" << -1;
    QTest::newRow("arrow") << int(Qt::Key_Left) << 0 << "" << -1;
    QTest::newRow("shift alone") << int(Qt::Key_Shift) << int(Qt::ShiftModifier) << "" << -1;
    QTest::newRow("dead key") << int(Qt::Key_Dead_Acute) << 0 << "" << -1;
    QTest::newRow("key without text") << int(Qt::Key_A) << 0 << "" << -1;
}

void TestDigitFilter::typedCharacterCodes()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QFETCH(int, code);

    const QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text);
    const std::optional<char16_t> typed = DigitOnlyFilter::typedCharacter(event);
    QCOMPARE(typed ? int(*typed) : -1, code);
}

QTEST_MAIN(TestDigitFilter)
#include "test_window_digitfilter.moc"

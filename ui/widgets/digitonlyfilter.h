#pragma once

#include <QObject>

#include <optional>

class ModalExchange;
class QInputMethodEvent;
class QKeyEvent;

// Key filter of the numeric text boxes: digits and Backspace pass; every other typed
// character, however it is typed, is refused with a critical message and never reaches the
// box: control characters of shortcuts such as Ctrl+V, editing shortcuts without a character
// of their own (Shift+Insert pastes, Ctrl+Backspace deletes a word), and text that an input
// method commits (a dead key or compose sequence). Keys that type no character (arrows,
// Delete, Home, End, Tab, function and modifier keys) are left alone.
//
// Install it with installEventFilter on each box; one filter may serve several boxes.
class DigitOnlyFilter : public QObject
{
    Q_OBJECT

public:
    DigitOnlyFilter(ModalExchange &exchange, QObject *parent);

    // The character code the key press types: its text, or for Ctrl+letter the control
    // character (Ctrl+A = 1 ... Ctrl+Z = 26), Return/Enter 13, Escape 27, Backspace 8, and
    // Backspace with Ctrl, Alt or Meta 127 (a word or undo command, not a Backspace); nullopt
    // for a key that types nothing.
    static std::optional<char16_t> typedCharacter(const QKeyEvent &event);
    static bool isAccepted(char16_t character);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // How many characters the key press types that the box must not take; a refused
    // editing shortcut counts as one.
    static int refusedCharacters(const QKeyEvent &event);
    // The same for the text an input method commits.
    static int refusedCharacters(const QInputMethodEvent &event);
    void refuse(int characters);

    ModalExchange &m_exchange;
};

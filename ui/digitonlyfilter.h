#pragma once

#include <QObject>

#include <optional>

class ModalExchange;
class QKeyEvent;

// Key filter of the numeric text boxes: digits and Backspace pass; every other typed
// character, control characters of shortcuts such as Ctrl+V included, is refused with a
// critical message and never reaches the box. Keys that type no character (arrows, Delete,
// Home, End, Tab, function and modifier keys) are left alone.
//
// Install it with installEventFilter on each box; one filter may serve several boxes.
class DigitOnlyFilter : public QObject
{
    Q_OBJECT

public:
    DigitOnlyFilter(ModalExchange &exchange, QObject *parent);

    // The character code the key press types: its text, or for Ctrl+letter the control
    // character (Ctrl+A = 1 ... Ctrl+Z = 26), Return/Enter 13, Escape 27, Backspace 8;
    // nullopt for a key that types nothing.
    static std::optional<char16_t> typedCharacter(const QKeyEvent &event);
    static bool isAccepted(char16_t character);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    ModalExchange &m_exchange;
};

#include "digitonlyfilter.h"

#include "modalexchange.h"

#include <QEvent>
#include <QKeyEvent>

DigitOnlyFilter::DigitOnlyFilter(ModalExchange &exchange, QObject *parent)
    : QObject(parent), m_exchange(exchange)
{
}

std::optional<char16_t> DigitOnlyFilter::typedCharacter(const QKeyEvent &event)
{
    const int key = event.key();
    switch (key) {
    case Qt::Key_Backspace:
        return u'\b';
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return u'\r';
    case Qt::Key_Escape:
        return char16_t(27);
    default:
        break;
    }
    // Qt numbers the keys without a character of their own (arrows, Delete, Tab, function,
    // modifier and dead keys) from Key_Escape on; some platforms still attach a text to them
    // (Tab, Delete), which must not count as typed.
    if (key >= Qt::Key_Escape && key != Qt::Key_unknown)
        return std::nullopt;

    // Platforms differ in the text of Ctrl+letter (the control character, the letter, or
    // none); the key itself tells. Ctrl+Alt is AltGr on Windows and types its own text.
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    const bool control =
        modifiers.testFlag(Qt::ControlModifier) && !modifiers.testFlag(Qt::AltModifier);
    if (control && key >= Qt::Key_A && key <= Qt::Key_Z)
        return char16_t(key - Qt::Key_A + 1);

    const QString text = event.text();
    if (text.isEmpty())
        return std::nullopt;
    return text.at(0).unicode();
}

bool DigitOnlyFilter::isAccepted(char16_t character)
{
    return (character >= u'0' && character <= u'9') || character == u'\b';
}

bool DigitOnlyFilter::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride)
        return QObject::eventFilter(watched, event);

    const auto &keyEvent = static_cast<const QKeyEvent &>(*event);
    const std::optional<char16_t> character = typedCharacter(keyEvent);
    if (!character || isAccepted(*character))
        return QObject::eventFilter(watched, event);

    if (type == QEvent::ShortcutOverride) {
        // Claiming the key keeps Ctrl+S and the like from firing an application shortcut
        // instead of being refused here. Alt combinations stay with the menu mnemonics; one
        // that opens no menu comes back as a key press and is refused then.
        const Qt::KeyboardModifiers modifiers = keyEvent.modifiers();
        const bool control = modifiers.testFlag(Qt::ControlModifier);
        if (!control && modifiers.testAnyFlags(Qt::AltModifier | Qt::MetaModifier))
            return false;
        event->accept();
        return true;
    }

    m_exchange.message(MessageKind::Critical, QStringLiteral("Only numbers allowed in text box"));
    // Accepted, so that no parent (a dialog's default button, say) acts on it either.
    event->accept();
    return true;
}

#include "digitonlyfilter.h"

#include "modalexchange.h"

#include <QCoreApplication>
#include <QEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QStringView>

#include <algorithm>
#include <array>

namespace {

// Editing commands that change the text or the clipboard through keys that may type no
// character of their own (Shift+Insert, Ctrl+Delete, the Paste key...). Plain Backspace and
// Delete are not among them.
constexpr std::array editingShortcuts = {
    QKeySequence::Paste,
    QKeySequence::Cut,
    QKeySequence::Copy,
    QKeySequence::Undo,
    QKeySequence::Redo,
    QKeySequence::DeleteStartOfWord,
    QKeySequence::DeleteEndOfWord,
    QKeySequence::DeleteEndOfLine,
    QKeySequence::DeleteCompleteLine,
    QKeySequence::SelectAll,
};

bool isEditingShortcut(const QKeyEvent &event)
{
    return std::any_of(editingShortcuts.begin(), editingShortcuts.end(),
                       [&event](QKeySequence::StandardKey key) { return event.matches(key); });
}

// Characters of text that are not digits; a character beyond the Basic Multilingual Plane
// counts once.
int nonDigits(QStringView text)
{
    int count = 0;
    for (const char32_t character : text.toUcs4())
        if (character < U'0' || character > U'9')
            ++count;
    return count;
}

} // namespace

DigitOnlyFilter::DigitOnlyFilter(ModalExchange &exchange, QObject *parent)
    : QObject(parent), m_exchange(exchange)
{
}

std::optional<char16_t> DigitOnlyFilter::typedCharacter(const QKeyEvent &event)
{
    const int key = event.key();
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    switch (key) {
    case Qt::Key_Backspace:
        // Windows types DEL for Ctrl+Backspace; with Alt or Meta it is an undo or word command.
        return modifiers.testAnyFlags(Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)
                   ? char16_t(127)
                   : u'\b';
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

int DigitOnlyFilter::refusedCharacters(const QKeyEvent &event)
{
    const std::optional<char16_t> character = typedCharacter(event);
    if (!character)
        return isEditingShortcut(event) ? 1 : 0;
    if (!isAccepted(*character))
        return 1;
    // A key may type more than one character (a compose sequence on some systems).
    const QString text = event.text();
    return text.size() > 1 ? nonDigits(text) : 0;
}

int DigitOnlyFilter::refusedCharacters(const QInputMethodEvent &event)
{
    return nonDigits(event.commitString());
}

void DigitOnlyFilter::refuse(int characters)
{
    // One message per refused character, as for keys typed one after another.
    for (int i = 0; i < characters; ++i)
        m_exchange.message(MessageKind::Critical,
                           QStringLiteral("Only numbers allowed in text box"));
}

bool DigitOnlyFilter::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::InputMethod) {
        const auto &composed = static_cast<const QInputMethodEvent &>(*event);
        const int refused = refusedCharacters(composed);
        if (refused == 0)
            return QObject::eventFilter(watched, event);
        // The commit is refused whole, as one typed character is. The composition it ends is
        // still ended, so that nothing composed stays shown in the box.
        QInputMethodEvent withoutCommit(composed.preeditString(), composed.attributes());
        QCoreApplication::sendEvent(watched, &withoutCommit);
        refuse(refused);
        event->accept();
        return true;
    }
    if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride)
        return QObject::eventFilter(watched, event);

    const auto &keyEvent = static_cast<const QKeyEvent &>(*event);
    const int refused = refusedCharacters(keyEvent);
    if (refused == 0)
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

    refuse(refused);
    // Accepted, so that no parent (a dialog's default button, say) acts on it either.
    event->accept();
    return true;
}

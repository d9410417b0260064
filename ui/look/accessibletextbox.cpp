#include "accessibletextbox.h"

#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QLineEdit>
#include <QValidator>

namespace {

// A QLineEdit as a screen reader reads and edits it: its name, value, state, caret, selection
// and text by character, word and line, as Qt's own interface gives them.
class AccessibleTextBox : public QAccessibleWidget,
                          public QAccessibleTextInterface,
                          public QAccessibleEditableTextInterface
{
public:
    explicit AccessibleTextBox(QLineEdit *box) : QAccessibleWidget(box, QAccessible::EditableText)
    {
        addControllingSignal(QStringLiteral("textChanged(const QString&)"));
        addControllingSignal(QStringLiteral("returnPressed()"));
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        if (type == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text which) const override
    {
        QString text;
        if (which == QAccessible::Value)
            text = shownText();
        if (text.isEmpty())
            text = QAccessibleWidget::text(which);
        if (text.isEmpty() && which == QAccessible::Description)
            text = box()->placeholderText();
        return text;
    }

    void setText(QAccessible::Text which, const QString &text) override
    {
        if (which != QAccessible::Value) {
            QAccessibleWidget::setText(which, text);
            return;
        }
        QString typed = text;
        int position = 0;
        if (const QValidator *validator = box()->validator();
            validator && validator->validate(typed, position) != QValidator::Acceptable)
            return;
        box()->setText(typed);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = true;
        state.readOnly = box()->isReadOnly();
        state.passwordEdit = box()->echoMode() != QLineEdit::Normal;
        state.selectableText = true;
        return state;
    }

    // The text interface.
    void selection(int selectionIndex, int *startOffset, int *endOffset) const override
    {
        *startOffset = *endOffset = 0;
        if (selectionIndex != 0)
            return;
        *startOffset = box()->selectionStart();
        *endOffset = *startOffset + int(box()->selectedText().size());
    }
    int selectionCount() const override { return box()->hasSelectedText() ? 1 : 0; }
    void addSelection(int startOffset, int endOffset) override
    {
        setSelection(0, startOffset, endOffset);
    }
    void removeSelection(int selectionIndex) override
    {
        if (selectionIndex == 0)
            box()->deselect();
    }
    void setSelection(int selectionIndex, int startOffset, int endOffset) override
    {
        if (selectionIndex == 0)
            box()->setSelection(startOffset, endOffset - startOffset);
    }
    int cursorPosition() const override { return box()->cursorPosition(); }
    void setCursorPosition(int position) override { box()->setCursorPosition(position); }

    QString text(int startOffset, int endOffset) const override
    {
        if (startOffset > endOffset || box()->echoMode() != QLineEdit::Normal)
            return {};
        return box()->text().mid(startOffset, endOffset - startOffset);
    }
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int *startOffset,
                             int *endOffset) const override
    {
        if (hidesText(startOffset, endOffset))
            return {};
        return QAccessibleTextInterface::textBeforeOffset(caretFor(offset), boundary, startOffset,
                                                          endOffset);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int *startOffset,
                            int *endOffset) const override
    {
        if (hidesText(startOffset, endOffset))
            return {};
        return QAccessibleTextInterface::textAfterOffset(caretFor(offset), boundary, startOffset,
                                                         endOffset);
    }
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int *startOffset,
                         int *endOffset) const override
    {
        if (hidesText(startOffset, endOffset))
            return {};
        return QAccessibleTextInterface::textAtOffset(caretFor(offset), boundary, startOffset,
                                                      endOffset);
    }
    int characterCount() const override { return int(box()->text().size()); }

    QRect characterRect(int offset) const override
    {
        const QString character = text(offset, offset + 1);
        if (character.isEmpty())
            return {};
        // Measured from the caret, which stands where the box has scrolled its text to.
        const QFontMetrics metrics(box()->font());
        const QString shown = box()->displayText();
        const int caretX = box()->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
        const int x = caretX + metrics.horizontalAdvance(shown.left(offset)) -
                      metrics.horizontalAdvance(shown.left(box()->cursorPosition()));
        QRect rect(x, box()->textMargins().top(), metrics.horizontalAdvance(character),
                   metrics.height());
        rect.moveTo(box()->mapToGlobal(rect.topLeft()));
        return rect;
    }
    int offsetAtPoint(const QPoint &point) const override
    {
        return box()->cursorPositionAt(box()->mapFromGlobal(point));
    }
    void scrollToSubstring(int startIndex, int endIndex) override
    {
        box()->setCursorPosition(endIndex);
        box()->setCursorPosition(startIndex);
    }

    // A text box has no attributes: one run, without any, covers its whole text.
    QString attributes(int offset, int *startOffset, int *endOffset) const override
    {
        Q_UNUSED(offset);
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

    // The editable text interface.
    void deleteText(int startOffset, int endOffset) override
    {
        box()->setText(box()->text().remove(startOffset, endOffset - startOffset));
    }
    void insertText(int offset, const QString &text) override
    {
        box()->setText(box()->text().insert(offset, text));
    }
    void replaceText(int startOffset, int endOffset, const QString &text) override
    {
        box()->setText(box()->text().replace(startOffset, endOffset - startOffset, text));
    }

private:
    QLineEdit *box() const { return static_cast<QLineEdit *>(object()); }

    // What the box shows: its text, a star for each character of a password, nothing at all
    // where it echoes nothing.
    QString shownText() const
    {
        switch (box()->echoMode()) {
        case QLineEdit::Normal:
            return box()->text();
        case QLineEdit::NoEcho:
            return {};
        default:
            return QString(box()->text().size(), QLatin1Char('*'));
        }
    }

    // A password is not read out piece by piece.
    bool hidesText(int *startOffset, int *endOffset) const
    {
        if (box()->echoMode() == QLineEdit::Normal)
            return false;
        *startOffset = *endOffset = -1;
        return true;
    }

    // The offset -2 asks for the caret's.
    int caretFor(int offset) const { return offset == -2 ? cursorPosition() : offset; }
};

} // namespace

QAccessibleInterface *newAccessibleTextBox(QLineEdit *box)
{
    return new AccessibleTextBox(box);
}

#include "accessiblecombobox.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QKeySequence>
#include <QLineEdit>

namespace {

// Its children are Qt's: the pop-up list, and the text box of an editable combo box, which is
// also where the focus is (the combo box is its text box's focus proxy).
class AccessibleComboBox : public QAccessibleWidget
{
public:
    explicit AccessibleComboBox(QComboBox *combo) : QAccessibleWidget(combo, QAccessible::ComboBox)
    {
    }

    int childCount() const override { return combo()->isEditable() ? 2 : 1; }
    QAccessibleInterface *child(int index) const override
    {
        if (index == 0)
            return QAccessible::queryAccessibleInterface(combo()->view());
        if (index == 1 && combo()->isEditable())
            return QAccessible::queryAccessibleInterface(combo()->lineEdit());
        return nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        if (child->object() == combo()->view())
            return 0;
        if (combo()->isEditable() && child->object() == combo()->lineEdit())
            return 1;
        return -1;
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        if (combo()->isEditable() &&
            combo()->lineEdit()->rect().contains(combo()->lineEdit()->mapFromGlobal(QPoint(x, y))))
            return child(1);
        return nullptr;
    }
    QAccessibleInterface *focusChild() const override
    {
        return combo()->isEditable() ? child(1) : nullptr;
    }

    QString text(QAccessible::Text which) const override
    {
        QString text;
        if (which == QAccessible::Value)
            text = combo()->isEditable() ? combo()->lineEdit()->text() : combo()->currentText();
        else if (which == QAccessible::Accelerator)
            text = QKeySequence(Qt::Key_Down).toString(QKeySequence::NativeText);
        return text.isEmpty() ? QAccessibleWidget::text(which) : text;
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = combo()->isEditable();
        return state;
    }

    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    QString localizedActionDescription(const QString &action) const override
    {
        if (action == showMenuAction() || action == pressAction())
            return QComboBox::tr("Open the combo box selection popup");
        return {};
    }
    void doAction(const QString &action) override
    {
        if (action != showMenuAction() && action != pressAction())
            return;
        if (combo()->view()->isVisible())
            combo()->hidePopup();
        else
            combo()->showPopup();
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    QComboBox *combo() const { return static_cast<QComboBox *>(object()); }
};

} // namespace

QAccessibleInterface *newAccessibleComboBox(QComboBox *combo)
{
    return new AccessibleComboBox(combo);
}

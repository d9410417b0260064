#include "focusannouncement.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

namespace {

void reportFocus(QWidget *widget, int child = -1)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent event(widget, QAccessible::Focus);
    event.setChild(child);
    QAccessible::updateAccessibility(&event);
}

// The current item of view as the view's accessible child, or -1.
int currentChild(QAbstractItemView *view)
{
    const QModelIndex current = view->currentIndex();
    QAccessibleInterface *list = QAccessible::queryAccessibleInterface(view);
    if (!current.isValid() || !list || !list->tableInterface())
        return -1;
    QAccessibleInterface *cell = list->tableInterface()->cellAt(current.row(), current.column());
    return cell ? list->indexOfChild(cell) : -1;
}

class FocusAnnouncer : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (auto *box = qobject_cast<QLineEdit *>(watched))
            return holdFocusIn(box, event);
        auto *view = qobject_cast<QAbstractItemView *>(watched);
        if (view && event->type() == QEvent::FocusIn) {
            // After the view has reported itself.
            QTimer::singleShot(0, view, [list = QPointer<QAbstractItemView>(view)] {
                if (list && list->hasFocus())
                    reportFocus(list, currentChild(list));
            });
        }
        return false;
    }

private:
    // True when the event is held back from the box.
    bool holdFocusIn(QLineEdit *box, QEvent *event)
    {
        switch (event->type()) {
        case QEvent::FocusIn:
            // Without a screen reader listening the box hears of its focus as usual.
            if (m_delivering || !QAccessible::isActive())
                return false;
            m_held = box;
            m_reason = static_cast<QFocusEvent *>(event)->reason();
            QTimer::singleShot(0, box, [this, box] { deliverHeld(box); });
            return true;
        case QEvent::FocusOut:
            // The box never heard of the focus it loses.
            if (m_held == box) {
                m_held = nullptr;
                return true;
            }
            return false;
        case QEvent::ShortcutOverride:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::InputMethod:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            deliverHeld(box);
            return false;
        default:
            return false;
        }
    }

    void deliverHeld(QLineEdit *box)
    {
        if (m_held != box || !box->hasFocus())
            return;
        m_held = nullptr;
        m_delivering = true;
        QFocusEvent focusIn(QEvent::FocusIn, m_reason);
        QCoreApplication::sendEvent(box, &focusIn);
        m_delivering = false;
    }

    QPointer<QLineEdit> m_held; // the box whose focus-in waits for the focus's report
    Qt::FocusReason m_reason = Qt::OtherFocusReason;
    bool m_delivering = false;
};

} // namespace

void announceFocusFully(QWidget &client)
{
    // A combo box's own text box and pop-up list are the combo box's to report.
    const auto insideComboBox = [](const QWidget *widget) {
        for (const QWidget *w = widget->parentWidget(); w; w = w->parentWidget())
            if (qobject_cast<const QComboBox *>(w))
                return true;
        return false;
    };
    auto *announcer = new FocusAnnouncer(&client);
    for (QWidget *control : client.findChildren<QWidget *>())
        if ((qobject_cast<QLineEdit *>(control) || qobject_cast<QAbstractItemView *>(control)) &&
            !insideComboBox(control))
            control->installEventFilter(announcer);
}

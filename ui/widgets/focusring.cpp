#include "focusring.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>

namespace {
// Thick enough to be seen at a glance, thin enough to stay in the gaps between the controls:
// a white line along the control, so that the ring shows on the black preview too, and a
// black band around it, which stands out on the orange.
constexpr int innerLine = 1;
constexpr int thickness = 3;
} // namespace

FocusRing::FocusRing(QWidget *container) : QWidget(container)
{
    setObjectName(QStringLiteral("focusRing"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget *, QWidget *now) { follow(now); });
}

void FocusRing::follow(QWidget *focused)
{
    QWidget *container = parentWidget();
    // The control is the container's own child that holds the focus widget (an editable combo
    // box has it in its line edit, a list in its viewport).
    QWidget *control = focused;
    while (control && control->parentWidget() != container)
        control = control->parentWidget();
    if (control == this)
        control = nullptr;
    if (m_control)
        m_control->removeEventFilter(this);
    m_control = control;
    if (!control) {
        hide();
        return;
    }
    control->installEventFilter(this);
    surround();
}

void FocusRing::surround()
{
    const QRect ring = m_control->geometry().adjusted(-thickness, -thickness, thickness, thickness);
    setGeometry(ring);
    const QRect outer(QPoint(0, 0), ring.size());
    setMask(QRegion(outer).subtracted(
        QRegion(outer.adjusted(thickness, thickness, -thickness, -thickness))));
    raise();
    show();
}

bool FocusRing::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_control && (event->type() == QEvent::Move || event->type() == QEvent::Resize))
        surround();
    return QWidget::eventFilter(watched, event);
}

void FocusRing::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::WindowText));
    const int band = thickness - innerLine;
    painter.fillRect(rect().adjusted(band, band, -band, -band), Qt::white);
}

#pragma once

#include <QPointer>
#include <QWidget>

// A ring drawn around whichever control of a container has the keyboard focus. The styles'
// own focus marks are thin lines in the highlight colour, which vanish on the orange
// background, and a picture or an empty list shows none at all; the ring lies outside the
// control, so the unfocused control looks exactly as designed.
class FocusRing : public QWidget
{
    Q_OBJECT

public:
    explicit FocusRing(QWidget *container);

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void follow(QWidget *focused);
    void surround();

    QPointer<QWidget> m_control;
};

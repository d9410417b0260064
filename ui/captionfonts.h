#pragma once

#include <QFont>
#include <QList>

class QWidget;

// The room a control's caption has inside the control, as the control's style lays it out.
int captionRoom(const QWidget &control);
// The caption a control shows (a label's, a check box's or a button's text).
QString captionOf(const QWidget &control);

// Gives every control of one kind (all labels, all check boxes, all buttons) one font: the
// designed one where its family is installed, otherwise the system's general font at the
// largest size, up to the designed one, with which every caption of them fits its room.
void setCaptionFont(const QList<QWidget *> &controls, const QFont &designed);

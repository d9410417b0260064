#pragma once

#include <QFont>
#include <QList>
#include <QStringList>

class QWidget;

// The room a control's caption has inside the control, as the control's style lays it out.
int captionRoom(const QWidget &control);
// The caption a control shows (a label's, a check box's or a button's text).
QString captionOf(const QWidget &control);

// The sans-serif faces that stand in for the designed caption font where it is missing, in the
// order they are tried: the design's own successor first, then those of Windows, then those of
// Linux desktops.
QStringList captionStandIns();

// Gives every control of one kind (all labels, all check boxes, all buttons) one font: the
// designed one where its family is installed, otherwise the first installed stand-in at the
// largest size, up to the designed one, with which every caption of them fits its room.
void setCaptionFont(const QList<QWidget *> &controls, const QFont &designed);

// The design's caption font: "MS Sans Serif" at 8.25 points, bold for labels and check boxes,
// regular for buttons.
QFont designCaptionFont(bool bold);

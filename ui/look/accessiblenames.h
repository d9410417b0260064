#pragma once

class QWidget;

// Names every control of the main window's client area for screen readers by the captions
// the user sees beside it, and makes a row's caption the buddy of its control where the caption
// alone is the control's name.
void nameControlsForScreenReaders(QWidget &client);

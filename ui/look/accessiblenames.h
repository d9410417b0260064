#pragma once

class QWidget;

// Names every control of the main window's client area for screen readers by the captions
// the user sees beside it, and makes each row's caption the buddy of its control.
void nameControlsForScreenReaders(QWidget &client);

#pragma once

class QWidget;

// Makes screen readers announce each text box and list of the client area when it gets the
// focus, with what it holds.
//
// Qt tells a text box of its focus before it reports the focus to screen readers, and the box
// answers by moving its caret and selecting its text: a screen reader hears of the caret first,
// takes it for the box's arrival, says the text at the caret (nothing, in an empty box) and
// then ignores the focus as old news. The box therefore learns of its focus only once the focus
// has been reported: at the next turn of the event loop, or at once when input reaches it
// first. Without a screen reader listening nothing is held back. A list reports only itself when it gets the focus, and its current item only when
// that changes: its current item is reported after it.
void announceFocusFully(QWidget &client);

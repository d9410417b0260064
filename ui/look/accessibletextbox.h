#pragma once

class QAccessibleInterface;
class QLineEdit;

// A text box as a screen reader reads and edits it, answering as Qt's own interface does but
// with one attribute run over its whole text: Qt's run is empty (it starts and ends at the
// offset asked for), and a screen reader that joins runs on AT-SPI then speaks every value one
// character short.
QAccessibleInterface *newAccessibleTextBox(QLineEdit *box);

#pragma once

class QAccessibleInterface;
class QComboBox;

// An editable combo box as a screen reader reads it, answering as Qt's own interface does on Windows on
// every system: its name is its own (or its caption's), its value the item or text it shows.
// Qt on Unix desktops names a combo box by its shown item, and a screen reader then says the
// value twice, as the name and as the value, with the caption only as a description after it.
QAccessibleInterface *newAccessibleComboBox(QComboBox *combo);

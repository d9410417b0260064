#pragma once

// Gives every text box of the program (QLineEdit: the window's boxes, the country and type
// boxes, the input box, the file dialog's name box) an accessible interface that answers as
// Qt's own does, but with one attribute run over the whole text. Qt's run is empty (it starts
// and ends at the offset asked for), and a screen reader that joins runs on AT-SPI then speaks
// every value one character short. Interfaces are made once for each widget and kept, so this
// is installed before the first window is built; installing it again changes nothing.
void installAccessibleTextBoxes();

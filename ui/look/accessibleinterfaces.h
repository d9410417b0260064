#pragma once

// Gives the program's text boxes (every QLineEdit: the window's boxes, the country and type
// boxes, the input box, the file dialog's name box) and editable combo boxes accessible interfaces of
// their own, through which a screen reader hears each value whole and once. Interfaces are
// made once for each widget and kept, so this is installed before the first window is built;
// installing it again changes nothing.
void installAccessibleInterfaces();

#pragma once

class QFileDialog;

// Lets Qt's own file dialog open large enough to read: the size, type and date columns as wide
// as what they show, the name column taking the rest of a dialog of about 120 characters'
// width. Call it once the dialog is set up, before it is shown.
void makeColumnsReadable(QFileDialog &dialog);

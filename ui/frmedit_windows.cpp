#include "frmedit.h"

void FrmEdit::showHelp() {}
void FrmEdit::showAbout() {}

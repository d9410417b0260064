#include "frmedit.h"

void FrmEdit::saveLibrary() {}

#include "frmedit.h"

void FrmEdit::publishHtml() {}

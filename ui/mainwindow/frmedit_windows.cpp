#include "frmedit.h"

#include "frmabout.h"
#include "frmaiuto.h"

// A new window for each opening, so that each one starts from its design state.

void FrmEdit::showHelp()
{
    FrmAiuto help(this);
    help.exec();
}

void FrmEdit::showAbout()
{
    FrmAbout about(this);
    about.exec();
}

#include "calculator/vorrakhelpdialog.h"

VorrakHelpDialog::VorrakHelpDialog(QWidget *parent, const char *name, bool modal, Qt::WindowFlags f)
    : VorrakHelpDialogBase(parent, name, modal, f)
{
}

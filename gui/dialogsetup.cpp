#include "gui/dialogsetup.h"

#include "icons/vorrakicons.h"

#include <QDialog>

void setUpDialog(QDialog &dialog, const char *name, bool modal)
{
    if (name)
        dialog.setObjectName(QString::fromLatin1(name));
    dialog.setModal(modal);
    dialog.setWindowIcon(vorrakWindowIcon());
}

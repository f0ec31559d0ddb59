#include "calculator/vorrakdialog.h"

#include <QApplication>

VorrakDialog::VorrakDialog(QWidget *parent, const char *name, bool modal, Qt::WindowFlags f)
    : VorrakDialogBase(parent, name, modal, f)
{
    // Installed after the widgets exist and before the dialog is shown.
    QApplication::setStyle(QStringLiteral("Fusion"));
}

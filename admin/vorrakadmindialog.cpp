#include "admin/vorrakadmindialog.h"

#include <QApplication>

VorrakAdminDialog::VorrakAdminDialog(QWidget *parent, const char *name, bool modal, Qt::WindowFlags flags)
    : VorrakAdminDialogBase(parent, name, modal, flags)
{
    QApplication::setStyle(QStringLiteral("Fusion"));
}

#include "vorrakreqdialog.h"

#include "vorrakicons.h"

VorrakReqDialog::VorrakReqDialog(QWidget *parent, const char *name, bool modal, Qt::WindowFlags flags)
    : QDialog(parent, flags)
{
    if (name)
        setObjectName(QString::fromLatin1(name));
    setupUi(this);
    setWindowIcon(vorrakWindowIcon());
    setModal(modal);

    connect(FixedBox, &QCheckBox::toggled, this, &VorrakReqDialog::setFixed);
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    NameEdit->setFocus();
}

void VorrakReqDialog::setFixed(bool on)
{
    MultiEdit->setEnabled(!on);
    FixedBox->setChecked(on);
}

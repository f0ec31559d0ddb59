#include "vorrakprocdialog.h"

#include "vorrakicons.h"

VorrakProcDialog::VorrakProcDialog(int mode, QWidget *parent, const char *name, bool modal,
                                   Qt::WindowFlags flags)
    : QDialog(parent, flags)
{
    if (name)
        setObjectName(QString::fromLatin1(name));
    setupUi(this);
    setWindowIcon(vorrakWindowIcon());
    setModal(modal);

    if (mode == ProcessMode)
        connect(SpecialBox, &QCheckBox::toggled, this, &VorrakProcDialog::setSpecial);
    else
        removeQlPart();
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    NameEdit->setFocus();
}

void VorrakProcDialog::removeQlPart()
{
    delete MaxQlLabel;
    delete MaxQlSpin;
    delete MinQlLabel;
    delete MinQlSpin;
    delete SpecialBox;
    delete qlGrid;
    MaxQlLabel = nullptr;
    MaxQlSpin = nullptr;
    MinQlLabel = nullptr;
    MinQlSpin = nullptr;
    SpecialBox = nullptr;
    qlGrid = nullptr;
}

void VorrakProcDialog::setSpecial(bool on)
{
    if (!MaxQlSpin)
        return;
    MaxQlSpin->setEnabled(!on);
    SpecialBox->setChecked(on);
}

#include "vorrakreqdialog.h"

#include "vorrakicons.h"

#include <QIntValidator>
#include <limits>

VorrakReqDialog::VorrakReqDialog(QWidget *parent, const char *name, bool modal, Qt::WindowFlags flags)
    : QDialog(parent, flags)
{
    if (name)
        setObjectName(QString::fromLatin1(name));
    setupUi(this);
    setWindowIcon(vorrakWindowIcon());
    setModal(modal);

    // The data file keeps the ID as a 32-bit signed number: other text can't
    // be typed, and OK waits while the field holds no whole number in that
    // range (empty, a lone sign, ten digits above 2147483647), so nothing is
    // stored as 0 behind the user's back. The digits are read the way
    // QString::toInt() reads them, without group separators.
    QLocale numbers = QLocale::c();
    numbers.setNumberOptions(QLocale::RejectGroupSeparator);
    auto *idValidator = new QIntValidator(std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max(),
                                          LorvexEdit);
    idValidator->setLocale(numbers);
    LorvexEdit->setValidator(idValidator);
    connect(LorvexEdit, &QLineEdit::textChanged, this,
            [this] { OkBtn->setEnabled(LorvexEdit->hasAcceptableInput()); });

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

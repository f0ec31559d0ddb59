#include "admin/vorrakreqdialog.h"

#include "gui/dialogsetup.h"
#include "gui/shownname.h"
#include "tradeskill/multiplier.h"
#include "tradeskill/req.h"
#include "ui_vorrakreqdialog.h"

#include <QIntValidator>
#include <limits>

VorrakReqDialog::VorrakReqDialog(QWidget *parent, const char *name, bool modal, Qt::WindowFlags flags)
    : QDialog(parent, flags)
    , m_ui(std::make_unique<Ui::VorrakReqDialog>())
{
    setUpDialog(*this, name, modal);
    m_ui->setupUi(this);

    // The data file keeps the ID as a 32-bit signed number: other text can't
    // be typed, and OK waits while the field holds no whole number in that
    // range (empty, a lone sign, ten digits above 2147483647), so nothing is
    // stored as 0 behind the user's back. The digits are read the way
    // QString::toInt() reads them, without group separators.
    QLocale numbers = QLocale::c();
    numbers.setNumberOptions(QLocale::RejectGroupSeparator);
    QLineEdit *idEdit = m_ui->LorvexEdit;
    auto *idValidator = new QIntValidator(std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max(),
                                          idEdit);
    idValidator->setLocale(numbers);
    idEdit->setValidator(idValidator);
    connect(idEdit, &QLineEdit::textChanged, this,
            [this, idEdit] { m_ui->OkBtn->setEnabled(idEdit->hasAcceptableInput()); });

    connect(m_ui->FixedBox, &QCheckBox::toggled, this, &VorrakReqDialog::setFixed);
    connect(m_ui->OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    m_ui->NameEdit->setFocus();
}

VorrakReqDialog::~VorrakReqDialog() = default;

void VorrakReqDialog::prepareForSkill()
{
    m_ui->LorvexLabel->setEnabled(false);
    m_ui->LorvexEdit->setEnabled(false);
}

void VorrakReqDialog::showReq(const Req &req)
{
    ShownName::edit(m_ui->NameEdit, req.name);
    ShownName::edit(m_ui->MultiEdit, req.multiplier);
    if (Multiplier(req.multiplier).isFixed())
        setFixed(true);
    if (m_ui->LorvexEdit->isEnabled())
        m_ui->LorvexEdit->setText(QString::number(req.id));
}

void VorrakReqDialog::readReq(Req &req) const
{
    req.name = ShownName::edited(m_ui->NameEdit);
    req.multiplier = m_ui->FixedBox->isChecked() ? QStringLiteral("0") : ShownName::edited(m_ui->MultiEdit);
    if (m_ui->LorvexEdit->isEnabled()) {
        bool ok = false;
        const qint32 id = m_ui->LorvexEdit->text().toInt(&ok);
        req.id = ok ? id : 0;
    }
}

void VorrakReqDialog::setFixed(bool on)
{
    m_ui->MultiEdit->setEnabled(!on);
    m_ui->FixedBox->setChecked(on);
}

#include "admin/vorrakprocdialog.h"

#include "gui/dialogsetup.h"
#include "gui/shownname.h"
#include "tradeskill/proc.h"
#include "ui_vorrakprocdialog.h"

VorrakProcDialog::VorrakProcDialog(Mode mode, QWidget *parent, const char *name, bool modal, Qt::WindowFlags flags)
    : QDialog(parent, flags)
    , m_ui(std::make_unique<Ui::VorrakProcDialog>())
{
    setUpDialog(*this, name, modal);
    m_ui->setupUi(this);

    if (mode == ProcessMode)
        connect(m_ui->SpecialBox, &QCheckBox::toggled, this, &VorrakProcDialog::setSpecial);
    else
        removeQlPart();
    connect(m_ui->OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    m_ui->NameEdit->setFocus();
}

VorrakProcDialog::~VorrakProcDialog() = default;

void VorrakProcDialog::removeQlPart()
{
    delete m_ui->MaxQlLabel;
    delete m_ui->MaxQlSpin;
    delete m_ui->MinQlLabel;
    delete m_ui->MinQlSpin;
    delete m_ui->SpecialBox;
    delete m_ui->qlGrid;
    m_ui->MaxQlLabel = nullptr;
    m_ui->MaxQlSpin = nullptr;
    m_ui->MinQlLabel = nullptr;
    m_ui->MinQlSpin = nullptr;
    m_ui->SpecialBox = nullptr;
    m_ui->qlGrid = nullptr;
}

QString VorrakProcDialog::name() const
{
    return ShownName::edited(m_ui->NameEdit);
}

void VorrakProcDialog::setName(const QString &name)
{
    ShownName::edit(m_ui->NameEdit, name);
}

void VorrakProcDialog::showProc(const Proc &proc)
{
    ShownName::edit(m_ui->NameEdit, proc.name);
    m_ui->MaxQlSpin->setValue(proc.maxQL);
    m_ui->MinQlSpin->setValue(proc.minQL);
    if (proc.isSpecial())
        setSpecial(true);
}

void VorrakProcDialog::readProc(Proc &proc) const
{
    proc.name = ShownName::edited(m_ui->NameEdit);
    const auto minQL = quint8(m_ui->MinQlSpin->value());
    proc.minQL = minQL;
    proc.maxQL = m_ui->SpecialBox->isChecked() ? minQL : quint8(m_ui->MaxQlSpin->value());
}

void VorrakProcDialog::setSpecial(bool on)
{
    if (!m_ui->MaxQlSpin)
        return;
    m_ui->MaxQlSpin->setEnabled(!on);
    m_ui->SpecialBox->setChecked(on);
}

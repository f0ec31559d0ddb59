#include "admin/helpadmin/vorraktopicdialog.h"

#include "gui/dialogsetup.h"
#include "ui_vorraktopicdialog.h"

VorrakTopicDialog::VorrakTopicDialog(QWidget *parent, const char *name, bool modal, Qt::WindowFlags flags)
    : QDialog(parent, flags)
    , m_ui(std::make_unique<Ui::VorrakTopicDialog>())
{
    setUpDialog(*this, name, modal);
    m_ui->setupUi(this);
    connect(m_ui->OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    m_ui->IDEdit->setFocus();
}

VorrakTopicDialog::~VorrakTopicDialog() = default;

void VorrakTopicDialog::setVisible(bool visible)
{
    QDialog::setVisible(visible);
    if (visible && m_ui->IDEdit->hasSelectedText())
        m_ui->IDEdit->end(false);
}

QLineEdit *VorrakTopicDialog::idEdit() const
{
    return m_ui->IDEdit;
}

QLineEdit *VorrakTopicDialog::headerEdit() const
{
    return m_ui->HeaderEdit;
}

#include "recordform.h"

#include "multiplier.h"
#include "vorrakprocdialog.h"
#include "vorrakreqdialog.h"

namespace RecordForm {

void presetProc(VorrakProcDialog &form, const Proc &proc)
{
    form.NameEdit->setText(proc.name);
    form.MaxQlSpin->setValue(proc.maxQL);
    form.MinQlSpin->setValue(proc.minQL);
    if (proc.isSpecial())
        form.setSpecial(true);
}

void readProc(const VorrakProcDialog &form, Proc &proc)
{
    proc.name = form.NameEdit->text();
    const auto minQL = quint8(form.MinQlSpin->value());
    proc.minQL = minQL;
    proc.maxQL = form.SpecialBox->isChecked() ? minQL : quint8(form.MaxQlSpin->value());
}

void prepareForSkill(VorrakReqDialog &form)
{
    form.LorvexLabel->setEnabled(false);
    form.LorvexEdit->setEnabled(false);
}

void presetReq(VorrakReqDialog &form, const Req &req)
{
    form.NameEdit->setText(req.name);
    form.MultiEdit->setText(req.multiplier);
    if (Multiplier(req.multiplier).isFixed())
        form.setFixed(true);
    if (form.LorvexEdit->isEnabled())
        form.LorvexEdit->setText(QString::number(req.id));
}

void readReq(const VorrakReqDialog &form, Req &req)
{
    req.name = form.NameEdit->text();
    req.multiplier = form.FixedBox->isChecked() ? QStringLiteral("0") : form.MultiEdit->text();
    if (form.LorvexEdit->isEnabled()) {
        bool ok = false;
        const qint32 id = form.LorvexEdit->text().toInt(&ok);
        req.id = ok ? id : 0;
    }
}

} // namespace RecordForm

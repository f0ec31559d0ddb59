#pragma once

#include <QDialog>
#include <memory>

struct Proc;

namespace Ui {
class VorrakProcDialog;
}

// The form for a process group's name (GroupMode) or a process (ProcessMode:
// name, highest and lowest QL and the special flag). The editing actions
// preset it before exec() and read it after an accepted run; in GroupMode the
// QL widgets do not exist.
class VorrakProcDialog : public QDialog
{
    Q_OBJECT

public:
    enum Mode { GroupMode = 0, ProcessMode = 1 };

    explicit VorrakProcDialog(Mode mode, QWidget *parent = nullptr, const char *name = nullptr, bool modal = false,
                              Qt::WindowFlags flags = {});
    ~VorrakProcDialog() override;

    // The name field, all a group's form has.
    QString name() const;
    void setName(const QString &name);

    // Name and QL limits; a process with equal limits opens in the special
    // state. Only the fields the form shows are touched.
    void showProc(const Proc &proc);
    // A checked "Special" box stores the Min QL value as both limits.
    void readProc(Proc &proc) const;

public slots:
    // A special process exists at one QL: the Min QL value stands for both,
    // so Max QL is locked while the box is checked.
    virtual void setSpecial(bool on);

private:
    void removeQlPart();

    std::unique_ptr<Ui::VorrakProcDialog> m_ui;
};

#pragma once

#include "ui_vorrakprocdialog.h"

#include <QDialog>

// The form for a process group's name (mode 0) or a process (mode 1: name,
// highest and lowest QL and the special flag). The editing actions preset
// its public widgets before exec() and read them after an accepted run; in
// mode 0 the QL widgets do not exist and their members are null.
class VorrakProcDialog : public QDialog, public Ui::VorrakProcDialog
{
    Q_OBJECT

public:
    enum Mode { GroupMode = 0, ProcessMode = 1 };

    explicit VorrakProcDialog(int mode, QWidget *parent = nullptr, const char *name = nullptr,
                              bool modal = false, Qt::WindowFlags flags = {});

public slots:
    // A special process exists at one QL: the Min QL value stands for both,
    // so Max QL is locked while the box is checked.
    virtual void setSpecial(bool on);

private:
    void removeQlPart();
};

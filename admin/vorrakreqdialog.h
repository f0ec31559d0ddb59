#pragma once

#include "ui_vorrakreqdialog.h"

#include <QDialog>

// The form for one requirement: name, multiplier or the fixed flag, the
// Lorvex item ID and a parent choice that nothing reads. The editing actions
// preset its public widgets before exec() and read them after an accepted
// run; for a skill they disable the ID field.
class VorrakReqDialog : public QDialog, public Ui::VorrakReqDialog
{
    Q_OBJECT

public:
    explicit VorrakReqDialog(QWidget *parent = nullptr, const char *name = nullptr, bool modal = false,
                             Qt::WindowFlags flags = {});

public slots:
    // A fixed requirement stores the multiplier "0", so the multiplier field
    // is locked (keeping its text) while the box is checked.
    virtual void setFixed(bool on);
};

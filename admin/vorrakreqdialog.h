#pragma once

#include <QDialog>
#include <memory>

struct Req;

namespace Ui {
class VorrakReqDialog;
}

// The form for one requirement: name, multiplier or the fixed flag, the
// Lorvex item ID and a parent choice that nothing reads. The editing actions
// preset it before exec() and read it after an accepted run; only the fields
// the form shows are touched.
class VorrakReqDialog : public QDialog
{
    Q_OBJECT

public:
    explicit VorrakReqDialog(QWidget *parent = nullptr, const char *name = nullptr, bool modal = false,
                             Qt::WindowFlags flags = {});
    ~VorrakReqDialog() override;

    // Disables the ID row: a skill has no item number.
    void prepareForSkill();
    // Name, multiplier (a multiplier worth 0 opens fixed) and, unless the ID
    // row is disabled, the ID as a signed number so negative IDs survive.
    void showReq(const Req &req);
    // A checked "Fixed" box stores "0"; the ID is read only while its row is
    // enabled, and text that is no 32-bit number reads as 0.
    void readReq(Req &req) const;

public slots:
    // A fixed requirement stores the multiplier "0", so the multiplier field
    // is locked (keeping its text) while the box is checked.
    virtual void setFixed(bool on);

private:
    std::unique_ptr<Ui::VorrakReqDialog> m_ui;
};

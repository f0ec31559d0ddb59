#pragma once

#include "admin/vorrakadmindialogbase.h"

// The main dialog the program runs: the base dialog in the editor's style.
class VorrakAdminDialog : public VorrakAdminDialogBase
{
    Q_OBJECT

public:
    explicit VorrakAdminDialog(QWidget *parent = nullptr, const char *name = nullptr, bool modal = false,
                               Qt::WindowFlags flags = {});
};

#pragma once

#include "admin/vorrakadmindialogbase.h"
#include "gui/programstyle.h"

// The main dialog the program runs: the base dialog in the programs' style.
class VorrakAdminDialog : public VorrakAdminDialogBase
{
    Q_OBJECT

public:
    using VorrakAdminDialogBase::VorrakAdminDialogBase;

private:
    ProgramStyle m_style;
};

#pragma once

#include "calculator/vorrakdialogbase.h"
#include "gui/programstyle.h"

// The main dialog as the program shows it: the base dialog in the programs' style.
class VorrakDialog : public VorrakDialogBase
{
    Q_OBJECT

public:
    using VorrakDialogBase::VorrakDialogBase;

private:
    ProgramStyle m_style;
};

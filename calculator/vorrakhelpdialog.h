#pragma once

#include "calculator/vorrakhelpdialogbase.h"

// The help viewer the main dialog opens: the base dialog as it is, under the
// name the main dialog knows it by.
class VorrakHelpDialog : public VorrakHelpDialogBase
{
    Q_OBJECT

public:
    using VorrakHelpDialogBase::VorrakHelpDialogBase;
};

#pragma once

#include "calculator/vorrakhelpdialogbase.h"

// The help viewer the main dialog opens.
class VorrakHelpDialog : public VorrakHelpDialogBase
{
    Q_OBJECT

public:
    explicit VorrakHelpDialog(QWidget *parent = nullptr, const char *name = nullptr, bool modal = false,
                              Qt::WindowFlags f = {});
};

#pragma once

#include "calculator/vorrakdialogbase.h"

// The main dialog as the program shows it: the base dialog in the Fusion style.
class VorrakDialog : public VorrakDialogBase
{
    Q_OBJECT

public:
    explicit VorrakDialog(QWidget *parent = nullptr, const char *name = nullptr, bool modal = false,
                          Qt::WindowFlags f = {});
};

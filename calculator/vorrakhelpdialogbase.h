#pragma once

#include "ui_vorrakhelpdialogbase.h"

#include "helpdata.h"

#include <QDialog>

// The calculator's read-only help window: the topic titles on the left,
// followed by "About Qt", and the chosen topic's rich-text body on the right.
class VorrakHelpDialogBase : public QDialog, protected Ui::VorrakHelpDialogBase
{
    Q_OBJECT

public:
    explicit VorrakHelpDialogBase(QWidget *parent = nullptr, const char *name = nullptr, bool modal = false,
                                  Qt::WindowFlags f = {});
    ~VorrakHelpDialogBase() override;

protected slots:
    virtual void topicSelected(int index);

private:
    void clearWithoutSelection();

    // Declared before any widget pointer: the help file is read afresh
    // before the window is built.
    HelpData m_help;
    // The topic shown last, -1 before any; "About Qt" returns to it.
    int lastTopic = -1;
};

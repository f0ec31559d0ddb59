#pragma once

#include "help/helpdata.h"

#include <QDialog>
#include <memory>

namespace Ui {
class VorrakHelpDialogBase;
}

// The calculator's read-only help window: the topic titles on the left,
// followed by "About Qt", and the chosen topic's rich-text body on the right.
class VorrakHelpDialogBase : public QDialog
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

    // The help file is read afresh before the window is built.
    HelpData m_help;
    std::unique_ptr<Ui::VorrakHelpDialogBase> m_ui;
    // The topic shown last, -1 before any; "About Qt" returns to it.
    int lastTopic = -1;
};

#pragma once

#include "tradeskill/requirements.h"
#include "tradeskill/tradeskilldata.h"

#include <QDialog>
#include <memory>
#include <optional>

class QAction;
class QTreeWidget;
class QTreeWidgetItem;

namespace Ui {
class VorrakDialogBase;
}

// The calculator's main dialog: pick a tradeskill group, one of its
// processes and the product's QL, press "GO!" and read the tools, items and
// skills the process needs.
class VorrakDialogBase : public QDialog
{
    Q_OBJECT

public:
    explicit VorrakDialogBase(QWidget *parent = nullptr, const char *name = nullptr, bool modal = false,
                              Qt::WindowFlags f = {});
    ~VorrakDialogBase() override;

protected slots:
    virtual void goClicked();
    virtual void helpClicked();
    virtual void itemClicked(QTreeWidgetItem *item);
    virtual void procGrpChanged(int index);
    virtual void processChanged(int index);
    void updateProcGrpList();
    void updateProcList();

protected:
    bool event(QEvent *e) override;

private:
    // What the last press of "GO!" calculated, for copying it.
    struct Calculation
    {
        QString product;
        int ql = 0;
        Requirements requirements;
    };

    void setUpResultList(QTreeWidget *list);
    void applyGoButtonFont();
    void copyResults();
    // Results belong to the selection they were calculated for.
    void clearResults();

    // The data file is read before the widgets are built and filled.
    TradeskillData m_data;
    std::unique_ptr<Ui::VorrakDialogBase> m_ui;
    QAction *m_copyAction = nullptr;
    std::optional<Calculation> m_lastCalculation;
};

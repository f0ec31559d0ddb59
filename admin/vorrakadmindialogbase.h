#pragma once

#include "tradeskill/tradeskilldata.h"

#include <QDialog>
#include <memory>

class QTreeWidget;

namespace Ui {
class VorrakAdminDialogBase;
}

// The editor's main dialog: browses groups, their processes and the
// requirements of a process, runs the editing actions and the sorts, and
// opens the help administration. It owns the tradeskill store, loaded before
// any widget exists; writing it back is left to whoever ran the dialog, once
// it has closed.
class VorrakAdminDialogBase : public QDialog
{
    Q_OBJECT

public:
    explicit VorrakAdminDialogBase(QWidget *parent = nullptr, const char *name = nullptr,
                                   bool modal = false, Qt::WindowFlags flags = {});
    ~VorrakAdminDialogBase() override;

    // The store remembers what it loaded, to keep the file on disk safe when
    // it is written at the end.
    TradeskillData &data() { return m_data; }
    const TradeskillData &data() const { return m_data; }

protected slots:
    virtual void doAction();
    virtual void selectProcGrp(int);
    virtual void selectProc(int);
    virtual void selectAction(int action);
    virtual void editHelp();
    virtual void sortProcGrpList();
    virtual void sortProcList();

protected:
    // Each refresh ends with the next one down, so a level is never shown
    // with stale entries below it.
    void fillProcGrpList();
    void fillProcList();
    void fillReqLists();

    // The entries of ActionList, in its order; curAction holds the one last
    // chosen, as an int because it comes from the list's activated(int).
    enum Action { AddAction = 0, DeleteAction = 1, EditAction = 2 };
    int curAction = AddAction;

private:
    enum Type { GroupType = 0, ProcessType = 1, ItemType = 2, SkillType = 3 };

    void addGroup();
    void addProcess();
    void addReq(int type);
    void editGroup();
    void editProcess();
    void editReq(int type);
    void deleteGroup();
    void deleteProcess();
    void deleteReq(int type);

    // The records behind the current combo box entries, or null.
    ProcGroup *currentGroup();
    Proc *currentProc();
    // The list of a requirement type and the position of its current row in
    // the process's requirements, or -1 when no row is current.
    QTreeWidget *reqList(int type) const;
    int currentReqIndex(int type);

    bool confirm(const QString &question);
    // True (after telling the user) when a list cannot take another entry.
    bool refuseIfFull(qsizetype size, const QString &what);
    void showMessage(const QString &text);

    // Name and multiplier visible; the id and position columns hidden.
    static void setUpReqList(QTreeWidget *list);

    std::unique_ptr<Ui::VorrakAdminDialogBase> m_ui;
    TradeskillData m_data;
};

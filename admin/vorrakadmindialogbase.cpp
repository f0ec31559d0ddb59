#include "admin/vorrakadmindialogbase.h"

#include "admin/helpadmin/helpadministration.h"
#include "admin/namesort.h"
#include "admin/vorrakprocdialog.h"
#include "admin/vorrakreqdialog.h"
#include "common/debuglog.h"
#include "gui/currentrowselected.h"
#include "gui/dialogsetup.h"
#include "gui/dialogwindowflags.h"
#include "gui/messageboxparent.h"
#include "gui/programcaption.h"
#include "gui/shownname.h"
#include "gui/textmessagebox.h"
#include "tradeskill/tradeskillfile.h"
#include "ui_vorrakadmindialogbase.h"

#include <QHeaderView>
#include <iterator>

namespace {

constexpr int FirstHiddenColumn = 2;
constexpr int ItemsPositionColumn = 3;
constexpr int SkillsPositionColumn = 2;

const QString &nameOfGroup(const ProcGroup &group) { return group.name; }
const QString &nameOfProc(const Proc &proc) { return proc.name; }

// A requirement's row: the name and the multiplier as shown, the hidden
// columns whole.
QTreeWidgetItem *reqRow(QStringList columns)
{
    QStringList tips(columns.size());
    for (int column = 0; column < FirstHiddenColumn; ++column) {
        tips[column] = ShownName::tip(columns.at(column));
        columns[column] = ShownName::of(columns.at(column));
    }
    auto *row = new QTreeWidgetItem(columns);
    for (int column = 0; column < FirstHiddenColumn; ++column)
        row->setToolTip(column, tips.at(column));
    return row;
}

} // namespace

VorrakAdminDialogBase::VorrakAdminDialogBase(QWidget *parent, const char *name, bool modal, Qt::WindowFlags flags)
    : QDialog(parent, flags)
    , m_ui(std::make_unique<Ui::VorrakAdminDialogBase>())
    , m_data(CountWord::Groups)
{
    setUpDialog(*this, name, modal);

    // The store is loaded before any widget exists; a load message opens
    // where messageBoxParent() says, the dialog not being shown yet.
    const LoadResult loaded = m_data.load();
    if (!loaded.isOk())
        showMessage(messageBeforeSaving(loaded));

    m_ui->setupUi(this);
    // Labels as wide as the wider of the two: the combo boxes line up and
    // take the free width of their rows.
    const int labelWidth = qMax(m_ui->ProcGroupLabel->sizeHint().width(), m_ui->ProcessLabel->sizeHint().width());
    m_ui->ProcGroupLabel->setFixedWidth(labelWidth);
    m_ui->ProcessLabel->setFixedWidth(labelWidth);
    setUpReqList(m_ui->ItemsList);
    setUpReqList(m_ui->SkillsList);
    // Qt 6.4 follows a tab widget's focus proxy (its tab bar) into the pages
    // when it orders the tab chain and when it looks for the next widget,
    // which cuts the widgets after the lists out of the chain or sends Tab
    // back to the tab bar. So the tab bar takes the focus on its own, the tab
    // widget none (setting that reaches the tab bar, hence the order).
    QWidget *tabBar = m_ui->ReqControl->focusProxy();
    m_ui->ReqControl->setFocusProxy(nullptr);
    m_ui->ReqControl->setFocusPolicy(Qt::NoFocus);
    tabBar->setFocusPolicy(Qt::TabFocus);
    QWidget *const chain[] = {m_ui->SortProcBtn, tabBar, m_ui->ItemsList, m_ui->SkillsList, m_ui->ActionList};
    for (size_t i = 1; i < std::size(chain); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);

    connect(m_ui->ExitBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->HelpBtn, &QPushButton::clicked, this, &VorrakAdminDialogBase::editHelp);
    connect(m_ui->ProcGroupList, &QComboBox::activated, this, &VorrakAdminDialogBase::selectProcGrp);
    connect(m_ui->ProcessList, &QComboBox::activated, this, &VorrakAdminDialogBase::selectProc);
    connect(m_ui->SortGrpBtn, &QPushButton::clicked, this, &VorrakAdminDialogBase::sortProcGrpList);
    connect(m_ui->SortProcBtn, &QPushButton::clicked, this, &VorrakAdminDialogBase::sortProcList);
    connect(m_ui->ActionList, &QComboBox::activated, this, &VorrakAdminDialogBase::selectAction);
    connect(m_ui->ActionBtn, &QPushButton::clicked, this, &VorrakAdminDialogBase::doAction);

    m_ui->ProcGroupList->setFocus();
    fillProcGrpList();
    selectAction(AddAction);
}

VorrakAdminDialogBase::~VorrakAdminDialogBase() = default;

void VorrakAdminDialogBase::setUpReqList(QTreeWidget *list)
{
    QHeaderView *header = list->header();
    header->setSectionsClickable(false);
    header->setSectionsMovable(false);
    header->setStretchLastSection(false);
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    header->resizeSection(1, 110);
    // The id and position columns carry data for the actions, not for the eye.
    for (int column = FirstHiddenColumn; column < list->columnCount(); ++column) {
        header->resizeSection(column, 0);
        list->setColumnHidden(column, true);
    }
    keepCurrentRowSelected(list);
}

void VorrakAdminDialogBase::showMessage(const QString &text)
{
    TextMessageBox::warning(messageBoxParent(this), ProgramCaption::editor(), text);
}

// --- refresh cascade -------------------------------------------------------

void VorrakAdminDialogBase::fillProcGrpList()
{
    m_ui->ProcGroupList->clear();
    QStringList names;
    names.reserve(m_data.procGrps().size());
    for (const ProcGroup &group : m_data.procGrps())
        names.append(group.name);
    ShownName::fill(m_ui->ProcGroupList, names);
    fillProcList();
}

void VorrakAdminDialogBase::fillProcList()
{
    m_ui->ProcessList->clear();
    const ProcGroup *group = currentGroup();
    QStringList names;
    if (group) {
        names.reserve(group->procs.size());
        for (const Proc &proc : group->procs)
            names.append(proc.name);
    }
    ShownName::fill(m_ui->ProcessList, names);
    m_ui->SortProcBtn->setEnabled(names.size() >= 2);
    fillReqLists();
}

void VorrakAdminDialogBase::fillReqLists()
{
    m_ui->ItemsList->clear();
    m_ui->SkillsList->clear();
    const Proc *proc = currentProc();
    if (!proc)
        return;

    QList<QTreeWidgetItem *> items;
    QList<QTreeWidgetItem *> skills;
    for (qsizetype i = 0; i < proc->reqs.size(); ++i) {
        const Req &req = proc->reqs.at(i);
        const QString position = QString::number(i);
        if (req.t == 0) {
            items.append(reqRow({req.name, req.multiplier, QString::number(quint32(req.id)), position}));
        } else {
            skills.append(reqRow({req.name, req.multiplier, position}));
        }
    }
    // Added in one go and sorted once: row-by-row sorted insertion would make
    // large processes slow to show.
    m_ui->ItemsList->addTopLevelItems(items);
    m_ui->SkillsList->addTopLevelItems(skills);
    m_ui->ItemsList->sortItems(0, Qt::AscendingOrder);
    m_ui->SkillsList->sortItems(0, Qt::AscendingOrder);
}

// --- selection --------------------------------------------------------------

void VorrakAdminDialogBase::selectProcGrp(int)
{
    fillProcList();
    selectAction(curAction);
}

void VorrakAdminDialogBase::selectProc(int)
{
    fillReqLists();
    selectAction(curAction);
}

void VorrakAdminDialogBase::selectAction(int action)
{
    curAction = action;
    m_ui->ActionBtn->setText(m_ui->ActionList->currentText());
}

void VorrakAdminDialogBase::editHelp()
{
    HelpAdministration::run(this);
}

// --- sorting ----------------------------------------------------------------

void VorrakAdminDialogBase::sortProcGrpList()
{
    VORRAK_DEBUG("Sorting ProcGroupList:");
    QList<ProcGroup> sorted = sortByName(m_data.procGrps(), nameOfGroup);
    VORRAK_DEBUG("List sorted, saving...");
    m_data.procGrps() = std::move(sorted);
    fillProcGrpList();
    VORRAK_DEBUG("Sorting Complete!");
}

void VorrakAdminDialogBase::sortProcList()
{
    ProcGroup *group = currentGroup();
    if (!group)
        return;
    VORRAK_DEBUG("Sorting ProcessList (%s):", latin1Form(group->name).constData());
    QList<Proc> sorted = sortByName(group->procs, nameOfProc);
    VORRAK_DEBUG("List sorted, saving...");
    group->procs = std::move(sorted);
    fillProcList();
    VORRAK_DEBUG("Sorting Complete!");
}

// --- targets ----------------------------------------------------------------

ProcGroup *VorrakAdminDialogBase::currentGroup()
{
    const int g = m_ui->ProcGroupList->currentIndex();
    QList<ProcGroup> &groups = m_data.procGrps();
    return g >= 0 && g < groups.size() ? &groups[g] : nullptr;
}

Proc *VorrakAdminDialogBase::currentProc()
{
    ProcGroup *group = currentGroup();
    const int p = m_ui->ProcessList->currentIndex();
    return group && p >= 0 && p < group->procs.size() ? &group->procs[p] : nullptr;
}

QTreeWidget *VorrakAdminDialogBase::reqList(int type) const
{
    return type == ItemType ? m_ui->ItemsList : m_ui->SkillsList;
}

int VorrakAdminDialogBase::currentReqIndex(int type)
{
    const Proc *proc = currentProc();
    const QTreeWidgetItem *row = selectedRow(reqList(type));
    if (!proc || !row)
        return -1;
    const int column = type == ItemType ? ItemsPositionColumn : SkillsPositionColumn;
    bool ok = false;
    const int r = row->text(column).toInt(&ok);
    return ok && r >= 0 && r < proc->reqs.size() ? r : -1;
}

// --- actions ----------------------------------------------------------------

void VorrakAdminDialogBase::doAction()
{
    const int type = m_ui->TypeList->currentIndex();
    switch (curAction) {
    case AddAction:
        if (type == GroupType)
            addGroup();
        else if (type == ProcessType)
            addProcess();
        else if (type == ItemType || type == SkillType)
            addReq(type);
        break;
    case DeleteAction:
        if (type == GroupType)
            deleteGroup();
        else if (type == ProcessType)
            deleteProcess();
        else if (type == ItemType || type == SkillType)
            deleteReq(type);
        break;
    case EditAction:
        if (type == GroupType)
            editGroup();
        else if (type == ProcessType)
            editProcess();
        else if (type == ItemType || type == SkillType)
            editReq(type);
        break;
    default:
        showMessage(tr("An unknown error occured.") + QLatin1Char('\n')
                    + tr("Unable to determin type of action to perform."));
        break;
    }
}

bool VorrakAdminDialogBase::confirm(const QString &question)
{
    return TextMessageBox::warning(this, ProgramCaption::editor(), question, QMessageBox::Yes | QMessageBox::No,
                                   QMessageBox::No)
        == QMessageBox::Yes;
}

bool VorrakAdminDialogBase::refuseIfFull(qsizetype size, const QString &what)
{
    if (size < TradeskillFile::MaxListSize)
        return false;
    showMessage(tr("Unable to add: %1 already holds %2 entries, the most the data file can keep.")
                    .arg(what)
                    .arg(TradeskillFile::MaxListSize));
    return true;
}

void VorrakAdminDialogBase::addGroup()
{
    if (refuseIfFull(m_data.procGrps().size(), tr("the group list")))
        return;
    VorrakProcDialog form(VorrakProcDialog::GroupMode, this, nullptr, true, DialogWindowFlags);
    if (form.exec() != QDialog::Accepted)
        return;
    ProcGroup group;
    group.name = form.name();
    m_data.procGrps().append(group);
    fillProcGrpList();
}

void VorrakAdminDialogBase::addProcess()
{
    ProcGroup *group = currentGroup();
    if (!group || refuseIfFull(group->procs.size(), tr("this group")))
        return;
    VorrakProcDialog form(VorrakProcDialog::ProcessMode, this, nullptr, true, DialogWindowFlags);
    if (form.exec() != QDialog::Accepted)
        return;
    Proc proc;
    form.readProc(proc);
    group->procs.append(proc);
    fillProcList();
}

void VorrakAdminDialogBase::addReq(int type)
{
    Proc *proc = currentProc();
    if (!proc || refuseIfFull(proc->reqs.size(), tr("this process")))
        return;
    VorrakReqDialog form(this, nullptr, true, DialogWindowFlags);
    if (type == SkillType)
        form.prepareForSkill();
    if (form.exec() != QDialog::Accepted)
        return;
    Req req;
    req.t = type == SkillType ? 1 : 0;
    form.readReq(req);
    proc->reqs.append(req);
    fillReqLists();
}

void VorrakAdminDialogBase::editGroup()
{
    ProcGroup *group = currentGroup();
    if (!group)
        return;
    VorrakProcDialog form(VorrakProcDialog::GroupMode, this, nullptr, true, DialogWindowFlags);
    form.setName(group->name);
    if (form.exec() != QDialog::Accepted)
        return;
    group->name = form.name();
    fillProcGrpList();
}

void VorrakAdminDialogBase::editProcess()
{
    Proc *proc = currentProc();
    if (!proc)
        return;
    VorrakProcDialog form(VorrakProcDialog::ProcessMode, this, nullptr, true, DialogWindowFlags);
    form.showProc(*proc);
    if (form.exec() != QDialog::Accepted)
        return;
    form.readProc(*proc);
    fillProcList();
}

void VorrakAdminDialogBase::editReq(int type)
{
    const int r = currentReqIndex(type);
    if (r < 0)
        return;
    VorrakReqDialog form(this, nullptr, true, DialogWindowFlags);
    if (type == SkillType)
        form.prepareForSkill();
    Req req = currentProc()->reqs.at(r);
    form.showReq(req);
    if (form.exec() != QDialog::Accepted)
        return;
    form.readReq(req);
    currentProc()->reqs[r] = req;
    fillReqLists();
}

void VorrakAdminDialogBase::deleteGroup()
{
    const int g = m_ui->ProcGroupList->currentIndex();
    if (!currentGroup())
        return;
    const QString question = tr("Really delete process group \"%1\" and all of it's processes "
                                "and items/tools/skills?")
                                 .arg(ShownName::of(currentGroup()->name));
    if (!confirm(question))
        return;
    m_data.procGrps().removeAt(g);
    fillProcGrpList();
}

void VorrakAdminDialogBase::deleteProcess()
{
    ProcGroup *group = currentGroup();
    const int p = m_ui->ProcessList->currentIndex();
    if (!currentProc())
        return;
    const QString question = tr("Really delete process \"%1\" and all of it's items/tools/skills?")
                                 .arg(ShownName::of(currentProc()->name));
    if (!confirm(question))
        return;
    group->procs.removeAt(p);
    fillProcList();
}

void VorrakAdminDialogBase::deleteReq(int type)
{
    const int r = currentReqIndex(type);
    if (r < 0)
        return;
    const QString name = ShownName::of(currentProc()->reqs.at(r).name);
    const QString question = type == ItemType ? tr("Really delete item/tool \"%1\"?").arg(name)
                                              : tr("Really delete skill \"%1\"?").arg(name);
    if (!confirm(question))
        return;
    currentProc()->reqs.removeAt(r);
    fillReqLists();
}

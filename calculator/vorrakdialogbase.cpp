#include "calculator/vorrakdialogbase.h"

#include "calculator/vorrakhelpdialog.h"
#include "common/debuglog.h"
#include "gui/dialogsetup.h"
#include "gui/dialogwindowflags.h"
#include "gui/programcaption.h"
#include "gui/shownname.h"
#include "gui/textmessagebox.h"
#include "ui_vorrakdialogbase.h"

#include <QAction>
#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QShortcut>

VorrakDialogBase::VorrakDialogBase(QWidget *parent, const char *name, bool modal, Qt::WindowFlags f)
    : QDialog(parent, f)
    , m_data(CountWord::ProcGroups)
    , m_ui(std::make_unique<Ui::VorrakDialogBase>())
{
    const LoadResult loaded = m_data.load();
    if (!loaded.isOk())
        TextMessageBox::critical(nullptr, ProgramCaption::calculator(), loaded.text());

    setUpDialog(*this, name, modal);
    m_ui->setupUi(this);
    applyGoButtonFont();
    setUpResultList(m_ui->ItemsList);
    setUpResultList(m_ui->SkillsList);

    auto *helpKey = new QShortcut(QKeySequence(Qt::Key_F1), this);

    // Ctrl+C and the lists' context menus copy the last calculation.
    m_copyAction = new QAction(tr("Copy"), this);
    m_copyAction->setShortcut(QKeySequence::Copy);
    m_copyAction->setShortcutContext(Qt::WindowShortcut);
    m_copyAction->setEnabled(false);
    addAction(m_copyAction);
    for (QTreeWidget *list : {m_ui->ItemsList, m_ui->SkillsList}) {
        list->addAction(m_copyAction);
        list->setContextMenuPolicy(Qt::ActionsContextMenu);
    }

    connect(m_ui->GoButton, &QPushButton::clicked, this, &VorrakDialogBase::goClicked);
    connect(m_ui->HelpButton, &QPushButton::clicked, this, &VorrakDialogBase::helpClicked);
    connect(m_ui->ExitButton, &QPushButton::clicked, this, &VorrakDialogBase::accept);
    connect(m_ui->ProcGrpList, &QComboBox::activated, this, &VorrakDialogBase::procGrpChanged);
    connect(m_ui->ProcessList, &QComboBox::activated, this, &VorrakDialogBase::processChanged);
    connect(m_ui->ItemsList, &QTreeWidget::itemDoubleClicked, this, &VorrakDialogBase::itemClicked);
    connect(helpKey, &QShortcut::activated, this, &VorrakDialogBase::helpClicked);
    connect(m_copyAction, &QAction::triggered, this, &VorrakDialogBase::copyResults);
    connect(m_ui->QualitySpin, &QSpinBox::valueChanged, this, &VorrakDialogBase::clearResults);

    updateProcGrpList();
}

VorrakDialogBase::~VorrakDialogBase() = default;

void VorrakDialogBase::setUpResultList(QTreeWidget *list)
{
    // Rows are always shown by name; the user can neither re-sort nor resize.
    list->setSortingEnabled(true);
    list->sortByColumn(0, Qt::AscendingOrder);
    QHeaderView *header = list->header();
    header->setSectionsClickable(false);
    header->setSortIndicatorShown(false);
    header->setStretchLastSection(false);
    header->setSectionResizeMode(QHeaderView::Fixed);
    list->setColumnWidth(0, 300);
    list->setColumnWidth(1, 60);
}

void VorrakDialogBase::applyGoButtonFont()
{
    QFont font = m_ui->GoButton->font();
    font.setFamily(QStringLiteral("Arial"));
    font.setPointSize(16);
    font.setWeight(QFont::Black);
    m_ui->GoButton->setFont(font);
}

bool VorrakDialogBase::event(QEvent *e)
{
    const bool result = QDialog::event(e);
    // "GO!" keeps its own font whatever the application font becomes.
    if (e->type() == QEvent::ApplicationFontChange)
        applyGoButtonFont();
    return result;
}

void VorrakDialogBase::updateProcGrpList()
{
    m_ui->ProcGrpList->clear();
    QStringList names;
    for (int i = 0; i < m_data.procGrpCount(); ++i)
        names.append(m_data.procGrpName(i));
    ShownName::fill(m_ui->ProcGrpList, names);
    // A single group is shown but there is nothing to choose.
    m_ui->ProcGrpList->setEnabled(m_data.procGrpCount() > 1);
    updateProcList();
}

void VorrakDialogBase::updateProcList()
{
    m_ui->ProcessList->clear();
    const int g = m_ui->ProcGrpList->currentIndex();
    QStringList names;
    for (int i = 0; i < m_data.procCount(g); ++i)
        names.append(m_data.proc(g, i).name);
    ShownName::fill(m_ui->ProcessList, names);
    m_ui->ProcessList->setEnabled(m_data.procCount(g) > 1);
    processChanged(0);
}

void VorrakDialogBase::procGrpChanged(int)
{
    updateProcList();
}

void VorrakDialogBase::processChanged(int)
{
    const int g = m_ui->ProcGrpList->currentIndex();
    const int p = m_ui->ProcessList->currentIndex();
    const Proc proc = m_data.proc(g, p);
    // Another group or process: the rows of the last one go.
    clearResults();
    VORRAK_DEBUG("Selected %dx%d: %s (ql %d-%d)", g, p, latin1Form(proc.name).constData(), int(proc.minQL),
                 int(proc.maxQL));

    const QlRange range = proc.qlRange();
    m_ui->QualitySpin->setRange(range.lowest, range.highest);
    m_ui->QualitySpin->setValue(range.lowest);
    // A special process is made at its one QL only; the spin box shows the
    // special text in place of that value.
    const bool special = proc.isSpecial();
    m_ui->QualitySpin->setSpecialValueText(special ? tr("* Special * ") : QString());
    m_ui->QualitySpin->setEnabled(!special);
}

void VorrakDialogBase::clearResults()
{
    m_ui->ItemsList->clear();
    m_ui->SkillsList->clear();
    m_lastCalculation.reset();
    m_copyAction->setEnabled(false);
}

void VorrakDialogBase::goClicked()
{
    m_ui->ItemsList->clear();
    m_ui->SkillsList->clear();

    const int ql = m_ui->QualitySpin->value();
    const int g = m_ui->ProcGrpList->currentIndex();
    const int p = m_ui->ProcessList->currentIndex();
    const Proc proc = m_data.proc(g, p);
    VORRAK_DEBUG("Calculating requirements for making a QL %.0f %s", double(ql), latin1Form(proc.name).constData());
    m_lastCalculation = Calculation{proc.name, ql, Requirements::of(proc, ql)};
    m_copyAction->setEnabled(true);

    const auto addRow = [](QTreeWidget *list, const RequirementRow &row) {
        auto *item = new QTreeWidgetItem(list, {ShownName::of(row.name), row.amount});
        item->setToolTip(0, ShownName::tip(row.name));
    };
    for (const RequirementRow &row : m_lastCalculation->requirements.items)
        addRow(m_ui->ItemsList, row);
    for (const RequirementRow &row : m_lastCalculation->requirements.skills)
        addRow(m_ui->SkillsList, row);
}

void VorrakDialogBase::helpClicked()
{
    VorrakHelpDialog help(nullptr, nullptr, true, DialogWindowFlags);
    help.exec();
}

void VorrakDialogBase::itemClicked(QTreeWidgetItem *)
{
    qWarning("VorrakDialogBase::itemClicked(QListViewItem*): Not implemented yet!");
}

void VorrakDialogBase::copyResults()
{
    if (!m_lastCalculation)
        return;
    const Calculation &c = *m_lastCalculation;
    QGuiApplication::clipboard()->setText(requirementsText(c.product, c.ql, c.requirements));
}

#include "vorrakdialogbase.h"

#include "debuglog.h"
#include "dialogwindowflags.h"
#include "requirements.h"
#include "resulttext.h"
#include "vorrakhelpdialog.h"
#include "vorrakicons.h"

#include <QAction>
#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMessageBox>
#include <QShortcut>

VorrakDialogBase::VorrakDialogBase(QWidget *parent, const char *name, bool modal, Qt::WindowFlags f)
    : QDialog(parent, f)
    , m_data("ProcGroups: %d")
{
    const LoadResult loaded = m_data.load();
    if (!loaded.message.isEmpty())
        QMessageBox::critical(nullptr, QStringLiteral("Vorrak"), loaded.message);

    if (name)
        setObjectName(QLatin1String(name));
    setModal(modal);
    setupUi(this);
    setWindowIcon(vorrakWindowIcon());
    applyGoButtonFont();
    setUpResultList(ItemsList);
    setUpResultList(SkillsList);

    auto *helpKey = new QShortcut(QKeySequence(Qt::Key_F1), this);

    // Ctrl+C and the lists' context menus copy the last calculation.
    m_copyAction = new QAction(tr("Copy"), this);
    m_copyAction->setShortcut(QKeySequence::Copy);
    m_copyAction->setShortcutContext(Qt::WindowShortcut);
    m_copyAction->setEnabled(false);
    addAction(m_copyAction);
    for (QTreeWidget *list : {ItemsList, SkillsList}) {
        list->addAction(m_copyAction);
        list->setContextMenuPolicy(Qt::ActionsContextMenu);
    }

    connect(GoButton, &QPushButton::clicked, this, &VorrakDialogBase::goClicked);
    connect(HelpButton, &QPushButton::clicked, this, &VorrakDialogBase::helpClicked);
    connect(ExitButton, &QPushButton::clicked, this, &VorrakDialogBase::accept);
    connect(ProcGrpList, &QComboBox::activated, this, &VorrakDialogBase::procGrpChanged);
    connect(ProcessList, &QComboBox::activated, this, &VorrakDialogBase::processChanged);
    connect(ItemsList, &QTreeWidget::itemDoubleClicked, this, &VorrakDialogBase::itemClicked);
    connect(helpKey, &QShortcut::activated, this, &VorrakDialogBase::helpClicked);
    connect(m_copyAction, &QAction::triggered, this, &VorrakDialogBase::copyResults);
    connect(QualitySpin, &QSpinBox::valueChanged, this, &VorrakDialogBase::clearResults);

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
    QFont font = GoButton->font();
    font.setFamily(QStringLiteral("Arial"));
    font.setPointSize(16);
    font.setWeight(QFont::Black);
    GoButton->setFont(font);
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
    ProcGrpList->clear();
    for (int i = 0; i < m_data.procGrpCount(); ++i)
        ProcGrpList->addItem(m_data.procGrpName(i));
    // A single group is shown but there is nothing to choose.
    ProcGrpList->setEnabled(m_data.procGrpCount() > 1);
    updateProcList();
}

void VorrakDialogBase::updateProcList()
{
    ProcessList->clear();
    const int g = ProcGrpList->currentIndex();
    for (int i = 0; i < m_data.procCount(g); ++i)
        ProcessList->addItem(m_data.proc(g, i).name);
    ProcessList->setEnabled(m_data.procCount(g) > 1);
    processChanged(0);
}

void VorrakDialogBase::procGrpChanged(int)
{
    updateProcList();
}

void VorrakDialogBase::processChanged(int)
{
    const int g = ProcGrpList->currentIndex();
    const int p = ProcessList->currentIndex();
    const Proc proc = m_data.proc(g, p);
    // Another group or process: the rows of the last one go.
    clearResults();
    qDebug("Selected %dx%d: %s (ql %d-%d)", g, p, latin1Form(proc.name).constData(), int(proc.minQL),
           int(proc.maxQL));

    QualitySpin->setMinimum(proc.minQL);
    QualitySpin->setMaximum(proc.maxQL);
    QualitySpin->setValue(proc.minQL);
    // A special process is made at its one QL only; the spin box shows the
    // special text in place of that value.
    const bool special = proc.isSpecial();
    QualitySpin->setSpecialValueText(special ? tr("* Special * ") : QString());
    QualitySpin->setEnabled(!special);
}

void VorrakDialogBase::clearResults()
{
    ItemsList->clear();
    SkillsList->clear();
    m_lastCalculation.reset();
    m_copyAction->setEnabled(false);
}

void VorrakDialogBase::goClicked()
{
    ItemsList->clear();
    SkillsList->clear();

    const int ql = QualitySpin->value();
    const int g = ProcGrpList->currentIndex();
    const int p = ProcessList->currentIndex();
    const Proc proc = m_data.proc(g, p);
    qDebug("Calculating requirements for making a QL %.0f %s", double(ql), latin1Form(proc.name).constData());
    m_lastCalculation = Calculation{proc.name, ql};
    m_copyAction->setEnabled(true);

    const Requirements requirements = Requirements::of(proc, ql);
    for (const RequirementRow &row : requirements.items)
        new QTreeWidgetItem(ItemsList, {row.name, row.amount});
    for (const RequirementRow &row : requirements.skills)
        new QTreeWidgetItem(SkillsList, {row.name, row.amount});
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
    QGuiApplication::clipboard()->setText(
        resultText(m_lastCalculation->product, m_lastCalculation->ql, {ItemsList, SkillsList}));
}

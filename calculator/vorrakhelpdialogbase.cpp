#include "calculator/vorrakhelpdialogbase.h"

#include "gui/dialogsetup.h"
#include "gui/messageboxparent.h"
#include "gui/programcaption.h"
#include "gui/shownname.h"
#include "gui/textmessagebox.h"
#include "ui_vorrakhelpdialogbase.h"

#include <QMessageBox>
#include <QSignalBlocker>

VorrakHelpDialogBase::VorrakHelpDialogBase(QWidget *parent, const char *name, bool modal, Qt::WindowFlags f)
    : QDialog(parent, f)
    , m_ui(std::make_unique<Ui::VorrakHelpDialogBase>())
{
    const LoadResult loaded = m_help.load();
    if (!loaded.isOk())
        TextMessageBox::critical(nullptr, ProgramCaption::calculator(), loaded.text());

    setUpDialog(*this, name, modal);
    m_ui->setupUi(this);

    for (int i = 0; i < m_help.count(); ++i) {
        const QString header = m_help.header(i);
        auto *entry = new QListWidgetItem(ShownName::of(header), m_ui->TopicsList);
        entry->setToolTip(ShownName::tip(header));
    }
    m_ui->TopicsList->addItem(tr("About Qt"));
    // The first topic, shown below, is also the one marked as chosen; made
    // current before the list is connected, so it is not shown twice.
    if (m_help.count() > 0)
        m_ui->TopicsList->setCurrentRow(0);

    connect(m_ui->CloseButton, &QPushButton::clicked, this, &VorrakHelpDialogBase::reject);
    // Queued, so that a mouse press on "About Qt" has finished selecting
    // that entry before the about box runs and the last topic is selected
    // again; run from inside the press, the press would select "About Qt"
    // afterwards while the body shows the last topic.
    connect(m_ui->TopicsList, &QListWidget::currentRowChanged, this, &VorrakHelpDialogBase::topicSelected,
            Qt::QueuedConnection);
    connect(m_ui->TopicsList, &QListWidget::itemSelectionChanged, this, &VorrakHelpDialogBase::clearWithoutSelection);

    // With no topics the list's only entry is "About Qt", and the list would
    // make it current, opening the about box a second time, as soon as it got
    // the focus on showing; the close button takes the first focus instead.
    if (m_help.count() == 0)
        m_ui->CloseButton->setFocus();

    topicSelected(0);
}

VorrakHelpDialogBase::~VorrakHelpDialogBase() = default;

void VorrakHelpDialogBase::topicSelected(int index)
{
    if (index >= m_help.count()) {
        // Parented to the viewer only once it is shown: over a window still
        // being built the box would open at the screen's top-left corner.
        QMessageBox::aboutQt(messageBoxParent(this));
        if (lastTopic != -1)
            m_ui->TopicsList->setCurrentRow(lastTopic);
        return;
    }
    lastTopic = index;
    m_ui->BodyView->showBody(m_help.body(index));
}

void VorrakHelpDialogBase::clearWithoutSelection()
{
    if (!m_ui->TopicsList->selectedItems().isEmpty())
        return;
    // Ctrl+click takes the mark off the chosen entry: then no entry looks
    // current and no body is shown.
    const QSignalBlocker quiet(m_ui->TopicsList);
    m_ui->TopicsList->setCurrentRow(-1);
    m_ui->BodyView->clear();
}

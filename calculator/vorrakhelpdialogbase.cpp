#include "vorrakhelpdialogbase.h"

#include "vorrakicons.h"

#include <QMessageBox>
#include <QSignalBlocker>

VorrakHelpDialogBase::VorrakHelpDialogBase(QWidget *parent, const char *name, bool modal, Qt::WindowFlags f)
    : QDialog(parent, f)
{
    const LoadResult loaded = m_help.load();
    if (!loaded.message.isEmpty())
        QMessageBox::critical(nullptr, QStringLiteral("Vorrak"), loaded.message);

    if (name)
        setObjectName(QLatin1String(name));
    setModal(modal);
    setupUi(this);
    setWindowIcon(vorrakWindowIcon());

    for (int i = 0; i < m_help.count(); ++i)
        TopicsList->addItem(m_help.header(i));
    TopicsList->addItem(tr("About Qt"));
    // The first topic, shown below, is also the one marked as chosen; made
    // current before the list is connected, so it is not shown twice.
    if (m_help.count() > 0)
        TopicsList->setCurrentRow(0);

    connect(CloseButton, &QPushButton::clicked, this, &VorrakHelpDialogBase::reject);
    // Queued, so that a mouse press on "About Qt" has finished selecting
    // that entry before the about box runs and the last topic is selected
    // again; run from inside the press, the press would select "About Qt"
    // afterwards while the body shows the last topic.
    connect(TopicsList, &QListWidget::currentRowChanged, this, &VorrakHelpDialogBase::topicSelected,
            Qt::QueuedConnection);
    connect(TopicsList, &QListWidget::itemSelectionChanged, this, &VorrakHelpDialogBase::clearWithoutSelection);

    // With no topics the list's only entry is "About Qt", and the list would
    // make it current, opening the about box a second time, as soon as it got
    // the focus on showing; the close button takes the first focus instead.
    if (m_help.count() == 0)
        CloseButton->setFocus();

    topicSelected(0);
}

VorrakHelpDialogBase::~VorrakHelpDialogBase() = default;

void VorrakHelpDialogBase::topicSelected(int index)
{
    if (index >= m_help.count()) {
        // Parented to the viewer only once it is shown: over a window still
        // being built the box would open at the screen's top-left corner.
        QMessageBox::aboutQt(isVisible() ? this : nullptr);
        if (lastTopic != -1)
            TopicsList->setCurrentRow(lastTopic);
        return;
    }
    lastTopic = index;
    BodyView->showBody(m_help.body(index));
}

void VorrakHelpDialogBase::clearWithoutSelection()
{
    if (!TopicsList->selectedItems().isEmpty())
        return;
    // Ctrl+click takes the mark off the chosen entry: then no entry looks
    // current and no body is shown.
    const QSignalBlocker quiet(TopicsList);
    TopicsList->setCurrentRow(-1);
    BodyView->clear();
}

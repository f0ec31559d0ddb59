#include "admin/helpadmin/vorrakhelpdialog.h"

#include "admin/helpadmin/bodyeditlimit.h"
#include "admin/helpadmin/bodytextedit.h"
#include "admin/helpadmin/topicidlevel.h"
#include "admin/helpadmin/vorrakeditor.h"
#include "admin/helpadmin/vorraktopicdialog.h"
#include "common/debuglog.h"
#include "gui/currentrowselected.h"
#include "gui/dialogsetup.h"
#include "gui/dialogwindowflags.h"
#include "gui/messageboxparent.h"
#include "gui/programcaption.h"
#include "gui/sessionending.h"
#include "gui/shownname.h"
#include "gui/textmessagebox.h"
#include "help/helpfile.h"
#include "ui_vorrakhelpdialog.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QTreeWidgetItemIterator>

namespace {

enum Column { TitleColumn, IdColumn, IndexColumn };

} // namespace

VorrakHelpDialog::VorrakHelpDialog(QWidget *parent, const char *name, bool modal, Qt::WindowFlags flags)
    : QDialog(parent, flags)
    , m_ui(std::make_unique<Ui::VorrakHelpDialog>())
{
    setUpDialog(*this, name, modal);
    resize(450, 400);
    setWindowTitle(ProgramCaption::editor());

    VORRAK_DEBUG("Loading help data...");
    const LoadResult loaded = m_helpData.load();
    if (!loaded.isOk())
        TextMessageBox::warning(messageBoxParent(this), ProgramCaption::editor(), messageBeforeSaving(loaded));

    setUpGui();

    VORRAK_DEBUG("Connecting signals");
    connect(m_ui->CloseBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->HeaderList, &QTreeWidget::itemSelectionChanged, this, &VorrakHelpDialog::topicSelected);
    // The row that looks current is the selected one, the one the actions
    // act on.
    keepCurrentRowSelected(m_ui->HeaderList);
    connect(m_ui->AddBtn, &QPushButton::clicked, this, &VorrakHelpDialog::addTopic);
    connect(m_ui->EditBtn, &QPushButton::clicked, this, &VorrakHelpDialog::editTopic);
    connect(m_ui->DelBtn, &QPushButton::clicked, this, &VorrakHelpDialog::deleteTopic);
    connect(m_ui->EditorBtn, &QPushButton::clicked, this, &VorrakHelpDialog::editBody);

    updateTopicList();
}

VorrakHelpDialog::~VorrakHelpDialog() = default;

void VorrakHelpDialog::setUpGui()
{
    // The form builds these pieces, top to bottom, in this order.
    static const char *const pieces[] = {
        "Setting up GUI:",    " * TopLevel layout", "   + HBoxLayout",     "     + VBoxLayout",
        "       + HeaderLabel", "       + HeaderList", "     + BodyFrame",    "       + BodyView",
        "   + ActionGroup",   "     + AddBtn",        "     + EditBtn",      "     + DelBtn",
        "     + EditorBtn",   "   + HBoxLayout",      "     + CloseBtnBtn",
    };
    for (const char *piece : pieces)
        VORRAK_DEBUG("%s", piece);

    m_ui->setupUi(this);
    QTreeWidget *list = m_ui->HeaderList;
    // The ID places a topic in the tree, so it is always shown whole; a long
    // title is elided in the width left over.
    list->header()->setSectionResizeMode(TitleColumn, QHeaderView::Stretch);
    list->header()->setSectionResizeMode(IdColumn, QHeaderView::ResizeToContents);
    list->header()->setStretchLastSection(false);
    list->setTextElideMode(Qt::ElideRight);
    list->setColumnWidth(IndexColumn, 0);
    list->setColumnHidden(IndexColumn, true);
    list->sortByColumn(IdColumn, Qt::AscendingOrder);
    m_ui->BodyView->setAcceptRichText(true);
}

void VorrakHelpDialog::updateTopicList()
{
    QTreeWidget *list = m_ui->HeaderList;
    list->clear();
    // Sorted once at the end instead of moving every new row into place.
    list->setSortingEnabled(false);
    QTreeWidgetItem *lastTopLevel = nullptr;
    const QList<HelpTopic> &topics = m_helpData.topics();
    for (int p = 0; p < int(topics.size()); ++p) {
        const HelpTopic &topic = topics.at(p);
        const TopicIdLevel level(topic.id);
        VORRAK_DEBUG("IDTest: %.2f - %d = %.2f", level.value(), level.wholeForLog(), level.fraction());

        QTreeWidgetItem *row;
        if (level.isSubTopic() && lastTopLevel) {
            row = new QTreeWidgetItem(lastTopLevel);
            lastTopLevel->setExpanded(true);
        } else {
            // A sub-topic ID without any whole-numbered topic before it has
            // no parent to go under, so it stands on the top level.
            row = new QTreeWidgetItem(list);
            if (!level.isSubTopic())
                lastTopLevel = row;
        }
        row->setText(TitleColumn, ShownName::of(topic.header));
        row->setToolTip(TitleColumn, ShownName::tip(topic.header));
        row->setText(IdColumn, ShownName::of(topic.id));
        row->setToolTip(IdColumn, ShownName::tip(topic.id));
        row->setText(IndexColumn, QString::number(p));
    }
    list->setSortingEnabled(true);
    // The rebuilt list has no selection, so no body either.
    topicSelected();
}

int VorrakHelpDialog::selectedTopic() const
{
    const QTreeWidgetItem *row = selectedRow(m_ui->HeaderList);
    if (!row)
        return -1;
    bool ok = false;
    const int p = row->text(IndexColumn).toInt(&ok, 10);
    return ok && p >= 0 && p < m_helpData.count() ? p : -1;
}

QTreeWidgetItem *VorrakHelpDialog::rowOfTopic(int position) const
{
    const QString index = QString::number(position);
    for (QTreeWidgetItemIterator it(m_ui->HeaderList); *it; ++it) {
        if ((*it)->text(IndexColumn) == index)
            return *it;
    }
    return nullptr;
}

void VorrakHelpDialog::makeCurrent(int position)
{
    if (QTreeWidgetItem *row = rowOfTopic(position))
        m_ui->HeaderList->setCurrentItem(row);
}

void VorrakHelpDialog::topicSelected()
{
    const int p = selectedTopic();
    if (p < 0) {
        // Nothing chosen: no row looks current, no body is shown.
        m_ui->HeaderList->setCurrentItem(nullptr);
        m_ui->BodyView->clear();
        return;
    }
    VORRAK_DEBUG("Topic selected: #%d", p);
    m_ui->BodyView->showBody(m_helpData.topics().at(p).body);
}

void VorrakHelpDialog::addTopic()
{
    // The file keeps the count in 16 bits.
    if (m_helpData.count() >= HelpFile::MaxTopics) {
        TextMessageBox::warning(this, ProgramCaption::editor(),
                                tr("The help file cannot hold more than %1 topics.").arg(HelpFile::MaxTopics));
        return;
    }
    VorrakTopicDialog form(this, nullptr, true, DialogWindowFlags);
    if (form.exec() != QDialog::Accepted)
        return;
    m_helpData.topics().append(HelpTopic{form.idEdit()->text(), form.headerEdit()->text(), QString()});
    updateTopicList();
    makeCurrent(m_helpData.count() - 1);
}

void VorrakHelpDialog::deleteTopic()
{
    const int p = selectedTopic();
    if (p < 0)
        return;
    VORRAK_DEBUG("Deleting Topic: #%d", p);
    const HelpTopic &topic = m_helpData.topics().at(p);
    // Both values go in at once, so a "%2" inside the header stays as typed.
    const QString question = tr("Really delete help topic \"%1\" (%2)?")
                                 .arg(ShownName::of(topic.header), ShownName::of(topic.id));
    if (TextMessageBox::warning(this, ProgramCaption::editor(), question, QMessageBox::Yes | QMessageBox::No)
        != QMessageBox::Yes)
        return;
    // The row below takes the place of the deleted one; below the last row
    // there is none.
    const QTreeWidgetItem *below = m_ui->HeaderList->itemBelow(rowOfTopic(p));
    const int next = below ? below->text(IndexColumn).toInt() : -1;
    m_helpData.topics().removeAt(p);
    updateTopicList();
    makeCurrent(next > p ? next - 1 : next);
}

void VorrakHelpDialog::editTopic()
{
    const int p = selectedTopic();
    if (p < 0)
        return;
    VORRAK_DEBUG("Editing Topic: #%d", p);
    VorrakTopicDialog form(this, nullptr, true, DialogWindowFlags);
    HelpTopic &topic = m_helpData.topics()[p];
    form.idEdit()->setText(topic.id);
    form.headerEdit()->setText(topic.header);
    if (form.exec() != QDialog::Accepted)
        return;
    topic.id = form.idEdit()->text();
    topic.header = form.headerEdit()->text();
    updateTopicList();
    makeCurrent(p);
}

void VorrakHelpDialog::editBody()
{
    const int p = selectedTopic();
    if (p < 0)
        return;
    VORRAK_DEBUG("Editing Body: #%d", p);
    const QString &body = m_helpData.topics().at(p).body;
    const Result<> opens = BodyEditLimit::mayOpen(body);
    if (!opens) {
        TextMessageBox::warning(this, ProgramCaption::editor(), opens.text());
        return;
    }
    VorrakEditor editor(this, nullptr, true, DialogWindowFlags);
    editor.bodyEdit()->setBody(body);
    int result;
    {
        // Should the program have to end inside exec(), a changed body is
        // kept as by Save, before the help file is written.
        SessionEnding::KeepStep keep([this, p, &editor] {
            if (editor.bodyEdit()->isChanged())
                m_helpData.topics()[p].body = editor.bodyEdit()->body();
        });
        result = editor.exec();
    }
    if (result != QDialog::Accepted)
        return;
    m_helpData.topics()[p].body = editor.bodyEdit()->body();
    makeCurrent(p);
    // Show the saved body at once rather than the one from before the edit.
    topicSelected();
}

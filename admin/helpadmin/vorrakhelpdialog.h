#pragma once

#include "help/helpdata.h"

#include <QDialog>
#include <memory>

class QTreeWidgetItem;

namespace Ui {
class VorrakHelpDialog;
}

// The help topic administration of the data editor: the topics of
// Vorrak.hlp as a tree by ID, the selected topic's rendered body, and the
// actions add, edit, delete and open the body editor. Changes stay in
// helpData(); the opener writes the file once the window has closed.
class VorrakHelpDialog : public QDialog
{
    Q_OBJECT

public:
    // The arguments of the editor's dialogs: without a name the object is
    // called "VorrakHelpDialog".
    explicit VorrakHelpDialog(QWidget *parent = nullptr, const char *name = nullptr, bool modal = false,
                   Qt::WindowFlags flags = {});
    ~VorrakHelpDialog() override;

    // The store remembers what it loaded, so that the opener's save keeps
    // an unreadable or changed file before writing over it.
    HelpData &helpData() { return m_helpData; }

    // Rebuilds the tree from the topics: an ID with a positive fractional
    // part is a sub-topic of the last whole-numbered topic before it.
    void updateTopicList();

protected slots:
    virtual void addTopic();
    virtual void deleteTopic();
    virtual void editTopic();
    virtual void editBody();
    virtual void topicSelected();

private:
    void setUpGui();
    // The position of the selected row's topic, or -1 without a selection.
    int selectedTopic() const;
    QTreeWidgetItem *rowOfTopic(int position) const;
    void makeCurrent(int position);

    HelpData m_helpData;
    std::unique_ptr<Ui::VorrakHelpDialog> m_ui;
};

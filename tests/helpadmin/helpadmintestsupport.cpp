#include "tests/helpadmin/helpadmintestsupport.h"

#include "tests/support/modalanswer.h"
#include "tests/support/widgetinput.h"

#include <QLineEdit>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

QList<HelpTopic> topicsWithIds(const QStringList &ids)
{
    QList<HelpTopic> topics;
    for (const QString &id : ids)
        topics.append({id, QStringLiteral("Title ") + id, QStringLiteral("Body of ") + id});
    return topics;
}

bool addTopic(QWidget *helpWindow, const QString &id, const std::function<void(QWidget *form)> &leave)
{
    ModalAnswer form("VorrakTopicDialog", [&](QWidget *topicForm) {
        topicForm->findChild<QLineEdit *>(QStringLiteral("IDEdit"))->setText(id);
        if (leave)
            leave(topicForm);
        else
            clickButton(topicForm, "OkBtn");
    });
    clickButton(helpWindow, "AddBtn");
    return form.answered() > 0;
}

QString treeShape(const QTreeWidget *list)
{
    QStringList rows;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *top = list->topLevelItem(i);
        QString row = top->text(1);
        if (top->childCount() > 0) {
            QStringList children;
            for (int c = 0; c < top->childCount(); ++c)
                children.append(top->child(c)->text(1));
            row += QLatin1Char('[') + children.join(QLatin1Char(',')) + QLatin1Char(']');
            if (!top->isExpanded())
                row += QLatin1Char('-');
        }
        rows.append(row);
    }
    return rows.join(QLatin1Char(' '));
}

QTreeWidgetItem *rowWithId(const QTreeWidget *list, const QString &id)
{
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget *>(list)); *it; ++it) {
        if ((*it)->text(1) == id)
            return *it;
    }
    return nullptr;
}

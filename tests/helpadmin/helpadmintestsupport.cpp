#include "helpadmintestsupport.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextEdit>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

QList<HelpTopic> topicsWithIds(const QStringList &ids)
{
    QList<HelpTopic> topics;
    for (const QString &id : ids)
        topics.append({id, QStringLiteral("Title ") + id, QStringLiteral("Body of ") + id});
    return topics;
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

void clickRow(QTreeWidget *list, QTreeWidgetItem *row)
{
    list->scrollToItem(row);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(row).center());
}

QStringList inputsWithoutAccessibleName(const QWidget *window)
{
    QStringList missing;
    const QList<QWidget *> widgets = window->findChildren<QWidget *>();
    for (QWidget *widget : widgets) {
        const bool input = qobject_cast<QAbstractButton *>(widget) || qobject_cast<QLineEdit *>(widget)
            || qobject_cast<QAbstractItemView *>(widget) || qobject_cast<QPlainTextEdit *>(widget)
            || qobject_cast<QTextEdit *>(widget);
        if (!input || !widget->isVisibleTo(window))
            continue;
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
        if (!accessible || accessible->text(QAccessible::Name).trimmed().isEmpty())
            missing.append(widget->objectName());
    }
    return missing;
}

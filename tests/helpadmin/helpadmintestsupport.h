#pragma once

#include "helptopic.h"

#include <QList>
#include <QString>
#include <QStringList>

class QTreeWidget;
class QTreeWidgetItem;

// Topics with the given IDs; header "Title <id>", body "Body of <id>".
QList<HelpTopic> topicsWithIds(const QStringList &ids);

// The tree as the user sees it: top-level IDs in display order, each with
// its children in brackets, and "-" after a parent whose children are hidden:
// "1[1.1,1.2] 10 2".
QString treeShape(const QTreeWidget *list);

// The row showing `id` in the ID column, anywhere in the tree.
QTreeWidgetItem *rowWithId(const QTreeWidget *list, const QString &id);

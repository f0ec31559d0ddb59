#pragma once

#include "help/helptopic.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

// Topics with the given IDs; header "Title <id>", body "Body of <id>".
QList<HelpTopic> topicsWithIds(const QStringList &ids);

// Adds a topic through the help window's own form: Add, the ID typed in,
// then `leave` on the form (by default it presses OK). False if no form opened.
bool addTopic(QWidget *helpWindow, const QString &id, const std::function<void(QWidget *form)> &leave = {});

// The tree as the user sees it: top-level IDs in display order, each with
// its children in brackets, and "-" after a parent whose children are hidden:
// "1[1.1,1.2] 10 2".
QString treeShape(const QTreeWidget *list);

// The row showing `id` in the ID column, anywhere in the tree.
QTreeWidgetItem *rowWithId(const QTreeWidget *list, const QString &id);

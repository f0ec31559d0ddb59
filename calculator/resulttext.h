#pragma once

#include <QList>
#include <QString>

class QTreeWidget;

// The plain text of a calculation as the user takes it along: the product
// and its QL, then every row of the result lists in the order shown, name
// and amount separated by a tab, one per line.
QString resultText(const QString &product, int ql, const QList<const QTreeWidget *> &lists);

#pragma once

#include <QList>
#include <QString>

class QTreeWidget;

// The text of the calculator's Copy (requirementsText) for the rows of the
// result lists in the order they are shown.
QString resultText(const QString &product, int ql, const QList<const QTreeWidget *> &lists);

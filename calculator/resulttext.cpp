#include "resulttext.h"

#include <QTreeWidget>

QString resultText(const QString &product, int ql, const QList<const QTreeWidget *> &lists)
{
    QString text = product + QLatin1Char('\t') + QString::number(ql) + QLatin1Char('\n');
    for (const QTreeWidget *list : lists) {
        // Top-level items are kept in the sorted order the list shows.
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            const QTreeWidgetItem *row = list->topLevelItem(i);
            text += row->text(0) + QLatin1Char('\t') + row->text(1) + QLatin1Char('\n');
        }
    }
    return text;
}

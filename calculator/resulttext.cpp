#include "resulttext.h"

#include "requirements.h"

#include <QTreeWidget>

QString resultText(const QString &product, int ql, const QList<const QTreeWidget *> &lists)
{
    QList<QList<RequirementRow>> shown;
    for (const QTreeWidget *list : lists) {
        QList<RequirementRow> rows;
        // Top-level items are kept in the sorted order the list shows.
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            const QTreeWidgetItem *row = list->topLevelItem(i);
            rows.append({row->text(0), row->text(1)});
        }
        shown.append(rows);
    }
    return requirementsText(product, ql, shown);
}

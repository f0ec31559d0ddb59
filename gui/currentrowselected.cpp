#include "gui/currentrowselected.h"

#include <QTreeWidget>

void keepCurrentRowSelected(QTreeWidget *list)
{
    QObject::connect(list, &QTreeWidget::currentItemChanged, list, [list](QTreeWidgetItem *current) {
        if (current && !current->isSelected())
            list->setCurrentItem(current);
    });
}

QTreeWidgetItem *selectedRow(const QTreeWidget *list)
{
    const QList<QTreeWidgetItem *> selected = list->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

#pragma once

class QTreeWidget;
class QTreeWidgetItem;

// A list whose actions act on the row that looks chosen. A row the view
// makes current without selecting it (as it does with the first row when
// the list takes the focus) is selected, so the current row is always the
// selected one.
void keepCurrentRowSelected(QTreeWidget *list);

// The selected row, or null: never a row that is current only.
QTreeWidgetItem *selectedRow(const QTreeWidget *list);

#pragma once

#include <QString>

class QComboBox;
class QSpinBox;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

// Acting on windows the way a user does, through QTest's mouse and keys.

// Shows the window and waits until it is the active one; false if it never becomes active.
bool showAndActivate(QWidget &window);

// Clicks the button named `objectName` below `window`.
void clickButton(QWidget *window, const char *objectName);
// Replaces the text of the line edit named `objectName` below `window` by typing `text`.
void typeInto(QWidget *window, const char *objectName, const QString &text);

// Picks `row` the way a user does: opens the popup and presses Return on
// the row, which reports the row as activated even when it is current.
void chooseInCombo(QComboBox *combo, int row);
// Replaces the spin box's text by typing `text`.
void typeInSpin(QSpinBox *spin, const QString &text);

// Makes a row current by clicking it, on the list's own tab page.
void clickRow(QTreeWidget *list, QTreeWidgetItem *row);
// The same for the one top-level row whose first column reads `name`.
void clickRow(QTreeWidget *list, const QString &name);

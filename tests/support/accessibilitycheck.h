#pragma once

#include <QStringList>

class QWidget;

// What a walk over a window's accessibility tree found: the object names of
// the focusable widgets it checked, those a screen reader could not name,
// and focusable widgets the tree does not reach at all.
struct AccessibilityReport
{
    QStringList checked;
    QStringList unnamed;
    QStringList unreached;
};

// Walks the accessibility tree of a shown window through
// QAccessible::queryAccessibleInterface, the way an assistive tool sees it,
// and checks every visible focusable widget for an accessible name (set
// explicitly or taken from a label's buddy). A tab bar is named by its tabs,
// since focus on it is announced as the current tab.
AccessibilityReport checkAccessibleNames(QWidget *window);

#pragma once

#include <QStringList>

class QWidget;

// What a walk over a window's accessibility tree found: how many focusable
// widgets it checked and which of them a screen reader could not name.
struct AccessibilityReport
{
    int checked = 0;
    QStringList unnamed;
};

// Walks the accessibility tree of a shown window through
// QAccessible::queryAccessibleInterface, the way an assistive tool sees it,
// and checks every visible focusable widget for an accessible name (set
// explicitly or taken from a label's buddy). A tab bar is named by its tabs,
// since focus on it is announced as the current tab.
AccessibilityReport checkAccessibleNames(QWidget *window);

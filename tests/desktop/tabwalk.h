#pragma once

#include <QStringList>

class QWidget;

// What pressing Tab (and then Shift+Tab) round a shown window found: the
// object names in the order the keyboard focus visited them, starting at the
// widget that had the focus, and the enabled focusable widgets it never
// reached. A text edit that takes Tab as a character is left with Ctrl+Tab.
struct TabWalk
{
    QStringList forward;
    QStringList backward;
    QStringList unreached;
};

TabWalk walkTabChain(QWidget *window);

// Empty when Tab and Shift+Tab each visit every enabled focusable widget of
// the window exactly once, forward in `order` when one is given (its disabled
// widgets left out) and backward the other way round; otherwise what is wrong.
QString tabChainFault(QWidget *window, const QStringList &order = {});

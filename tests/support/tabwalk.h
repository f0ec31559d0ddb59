#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// Presses Tab round a shown window, and then Shift+Tab, as a keyboard user
// does; a text edit that types Tab as a character is left with Ctrl+Tab.
// Empty when each visits every enabled focusable widget of the window exactly
// once, forward in `order` when one is given (its disabled widgets left out)
// and backward the other way round; otherwise what is wrong.
QString tabChainFault(QWidget *window, const QStringList &order = {});

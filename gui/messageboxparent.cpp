#include "gui/messageboxparent.h"

#include <QWidget>

QWidget *messageBoxParent(QWidget *window)
{
    for (QWidget *widget = window; widget; widget = widget->parentWidget()) {
        if (widget->isVisible())
            return widget->window();
    }
    return nullptr;
}

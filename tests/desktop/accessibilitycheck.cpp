#include "accessibilitycheck.h"

#include <QAccessible>
#include <QWidget>

namespace {

QString describe(const QWidget *widget)
{
    return QStringLiteral("%1 \"%2\"").arg(QString::fromLatin1(widget->metaObject()->className()),
                                            widget->objectName());
}

bool hasName(QAccessibleInterface *iface)
{
    return !iface->text(QAccessible::Name).trimmed().isEmpty();
}

// A tab bar takes the focus but is spoken as its current tab, so each tab
// needs a name instead of the bar.
bool tabsNamed(QAccessibleInterface *iface)
{
    const int count = iface->childCount();
    for (int i = 0; i < count; ++i) {
        QAccessibleInterface *tab = iface->child(i);
        if (tab && tab->role() == QAccessible::PageTab && !hasName(tab))
            return false;
    }
    return count > 0;
}

void walk(QAccessibleInterface *iface, AccessibilityReport &report)
{
    // Only widgets can take the keyboard focus; the items and cells of
    // views are checked through their view.
    auto *widget = qobject_cast<QWidget *>(iface->object());
    if (!widget || !widget->isVisible())
        return;
    // A widget with a focus proxy (a tab widget and its tab bar) hands the
    // focus on; the proxy is the one that is spoken and checked.
    const bool takesFocus = iface->state().focusable && widget->focusPolicy() != Qt::NoFocus
                            && !widget->focusProxy() && !widget->isWindow();
    if (takesFocus) {
        ++report.checked;
        const bool named = iface->role() == QAccessible::PageTabList ? tabsNamed(iface) : hasName(iface);
        if (!named)
            report.unnamed << describe(widget);
    }
    const int count = iface->childCount();
    for (int i = 0; i < count; ++i) {
        if (QAccessibleInterface *child = iface->child(i))
            walk(child, report);
    }
}

} // namespace

AccessibilityReport checkAccessibleNames(QWidget *window)
{
    AccessibilityReport report;
    if (QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(window))
        walk(iface, report);
    return report;
}

#include "tests/support/accessibilitycheck.h"

#include <QAccessible>
#include <QSet>
#include <QWidget>

namespace {

QString describe(const QWidget *widget)
{
    return QStringLiteral("%1 \"%2\"").arg(QString::fromLatin1(widget->metaObject()->className()),
                                            widget->objectName());
}

// A widget with a focus proxy (a tab widget and its tab bar) hands the focus
// on; the proxy is the one that is spoken and checked.
bool takesFocus(const QWidget *widget)
{
    return widget->isVisible() && widget->focusPolicy() != Qt::NoFocus && !widget->focusProxy()
           && !widget->isWindow();
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

struct Walk
{
    AccessibilityReport report;
    QSet<const QWidget *> reached;

    void visit(QAccessibleInterface *iface)
    {
        // Only widgets take the keyboard focus; the items and cells of views
        // are spoken through their view.
        auto *widget = qobject_cast<QWidget *>(iface->object());
        if (!widget || !widget->isVisible())
            return;
        reached.insert(widget);
        if (iface->state().focusable && takesFocus(widget)) {
            report.checked << widget->objectName();
            const bool named =
                iface->role() == QAccessible::PageTabList ? tabsNamed(iface) : hasName(iface);
            if (!named)
                report.unnamed << describe(widget);
        }
        const int count = iface->childCount();
        for (int i = 0; i < count; ++i) {
            if (QAccessibleInterface *child = iface->child(i))
                visit(child);
        }
    }
};

} // namespace

AccessibilityReport checkAccessibleNames(QWidget *window)
{
    Walk walk;
    if (QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(window))
        walk.visit(iface);
    for (const QWidget *widget : window->findChildren<QWidget *>()) {
        if (takesFocus(widget) && widget->window() == window && !walk.reached.contains(widget))
            walk.report.unreached << describe(widget);
    }
    return walk.report;
}

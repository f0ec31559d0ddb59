#include "tests/support/tabwalk.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QSet>
#include <QTest>
#include <QTextEdit>

namespace {

// Widgets the keyboard must be able to reach: those Tab may give the focus
// to. A widget with a focus proxy hands the focus on to the proxy.
bool reachableByTab(const QWidget *widget, const QWidget *window)
{
    return widget->window() == window && widget->isVisible() && widget->isEnabled()
           && (widget->focusPolicy() & Qt::TabFocus) && !widget->focusProxy();
}

bool takesTabAsText(const QWidget *widget)
{
    if (const auto *plain = qobject_cast<const QPlainTextEdit *>(widget))
        return !plain->tabChangesFocus() && !plain->isReadOnly();
    if (const auto *rich = qobject_cast<const QTextEdit *>(widget))
        return !rich->tabChangesFocus() && !rich->isReadOnly();
    return false;
}

// Presses Tab (or Shift+Tab) until the focus is back where it started or
// has made more steps than the window has widgets.
QStringList walk(bool forward, int limit)
{
    QStringList visited;
    QWidget *start = QApplication::focusWidget();
    if (!start)
        return visited;
    QWidget *current = start;
    for (int step = 0; step < limit; ++step) {
        visited << current->objectName();
        Qt::KeyboardModifiers modifiers = forward ? Qt::NoModifier : Qt::ShiftModifier;
        if (takesTabAsText(current))
            modifiers |= Qt::ControlModifier;
        QTest::keyClick(current, forward ? Qt::Key_Tab : Qt::Key_Backtab, modifiers);
        current = QApplication::focusWidget();
        if (!current || current == start)
            break;
    }
    return visited;
}

// The cycle read from `first` on; unchanged when `first` is not in it.
QStringList rotatedTo(const QStringList &cycle, const QString &first)
{
    const qsizetype at = cycle.indexOf(first);
    return at <= 0 ? cycle : cycle.mid(at) + cycle.mid(0, at);
}

// What pressing Tab, and then Shift+Tab, round the window found: the object
// names in the order the focus visited them, from the widget that had it,
// and the enabled focusable widgets never reached.
struct TabWalk
{
    QStringList forward;
    QStringList backward;
    QStringList unreached;
};

TabWalk walkTabChain(QWidget *window)
{
    QList<QWidget *> reachable;
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        if (reachableByTab(widget, window))
            reachable << widget;
    }
    // Two rounds' worth of steps: enough to see every widget of a chain that
    // does not close on itself.
    const int limit = 2 * int(reachable.size()) + 2;

    TabWalk result;
    result.forward = walk(true, limit);
    result.backward = walk(false, limit);
    const QSet<QString> seen(result.forward.cbegin(), result.forward.cend());
    for (const QWidget *widget : reachable) {
        if (!seen.contains(widget->objectName()))
            result.unreached << QStringLiteral("%1 \"%2\"").arg(QString::fromLatin1(widget->metaObject()->className()),
                                                                widget->objectName());
    }
    return result;
}

} // namespace

QString tabChainFault(QWidget *window, const QStringList &order)
{
    const TabWalk walk = walkTabChain(window);
    if (!walk.unreached.isEmpty())
        return QStringLiteral("never reached by Tab: ") + walk.unreached.join(QStringLiteral(", "));
    const QSet<QString> distinct(walk.forward.cbegin(), walk.forward.cend());
    if (distinct.size() != walk.forward.size())
        return QStringLiteral("Tab visits a widget twice: ") + walk.forward.join(QStringLiteral(" > "));
    QStringList reversed(walk.forward.crbegin(), walk.forward.crend());
    reversed = rotatedTo(reversed, walk.forward.value(0));
    if (walk.backward != reversed)
        return QStringLiteral("Shift+Tab goes %1, Tab %2")
            .arg(walk.backward.join(QStringLiteral(" > ")), walk.forward.join(QStringLiteral(" > ")));
    if (order.isEmpty())
        return {};
    QStringList expected;
    for (const QString &name : order) {
        const QWidget *widget = window->findChild<QWidget *>(name);
        if (widget && widget->isEnabled())
            expected << name;
    }
    const QStringList visited = rotatedTo(walk.forward, expected.value(0));
    if (visited != expected)
        return QStringLiteral("Tab goes %1, reading order is %2")
            .arg(visited.join(QStringLiteral(" > ")), expected.join(QStringLiteral(" > ")));
    return {};
}

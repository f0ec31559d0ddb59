#include "bodynesting.h"

#include <QSet>
#include <QStringList>

namespace {

// Far above any body written by hand, and still laid out in a fraction of
// a second.
constexpr int MaxDepth = 200;
constexpr quint64 MaxTableLayoutCost = quint64(1) << 14;
constexpr int MaxCostExponent = 40;

// Elements that never enclose others (void) or that the parser closes by
// itself when the next one of their kind starts: neither deepens the nesting.
bool nestsNothing(const QString &name)
{
    static const QSet<QString> names = [] {
        const QStringList list = QStringLiteral("br img hr meta link input area base col param wbr p li dt dd "
                                                "tr td th option thead tbody tfoot html head body qt")
                                     .split(u' ');
        return QSet<QString>(list.begin(), list.end());
    }();
    return names.contains(name);
}

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char(':');
}

} // namespace

BodyNesting::BodyNesting(const QString &body)
{
    scan(body);
}

bool BodyNesting::isTooDeepForLayout() const
{
    return m_depth > MaxDepth || m_tableCost > MaxTableLayoutCost;
}

void BodyNesting::scan(const QString &body)
{
    const qsizetype size = body.size();
    qsizetype i = 0;
    while ((i = body.indexOf(QLatin1Char('<'), i)) >= 0) {
        ++i;
        if (QStringView(body).mid(i, 3) == QLatin1String("!--")) {
            const qsizetype end = body.indexOf(QLatin1String("-->"), i + 3);
            if (end < 0)
                return;
            i = end + 3;
            continue;
        }
        const bool closing = i < size && body.at(i) == QLatin1Char('/');
        if (closing)
            ++i;
        const qsizetype nameStart = i;
        while (i < size && isNameChar(body.at(i)))
            ++i;
        const QString name = body.mid(nameStart, i - nameStart).toLower();
        // The rest of the tag; a '>' inside a quoted attribute value does not end it.
        QChar quote;
        while (i < size && (!quote.isNull() || body.at(i) != QLatin1Char('>'))) {
            const QChar c = body.at(i);
            if (!quote.isNull()) {
                if (c == quote)
                    quote = QChar();
            } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
                quote = c;
            }
            ++i;
        }
        if (name.isEmpty())
            continue;
        if (closing)
            closeElement(name);
        else
            openElement(name);
        // Deeper than that it makes no difference, and the search for the
        // element a closing tag closes stays short.
        if (isTooDeepForLayout())
            return;
    }
}

void BodyNesting::openElement(const QString &name)
{
    if (name == QLatin1String("td") || name == QLatin1String("th")) {
        const int exponent = qBound(0, m_openTables - 1, MaxCostExponent);
        m_tableCost = qMin(m_tableCost + (quint64(1) << exponent), MaxTableLayoutCost + 1);
    }
    if (nestsNothing(name))
        return;
    if (name == QLatin1String("table"))
        ++m_openTables;
    m_open.append(name);
    m_depth = qMax(m_depth, int(m_open.size()));
}

void BodyNesting::closeElement(const QString &name)
{
    const qsizetype innermost = m_open.lastIndexOf(name);
    if (innermost < 0)
        return;
    while (m_open.size() > innermost) {
        if (m_open.takeLast() == QLatin1String("table"))
            --m_openTables;
    }
}

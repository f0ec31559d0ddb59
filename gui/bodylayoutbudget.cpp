#include "gui/bodylayoutbudget.h"

#include <QSet>

namespace {

constexpr quint64 MaxTableLayoutCost = 6000;
constexpr int MaxCostExponent = 40;

QSet<QString> nameSet(const char *names)
{
    const QStringList list = QString::fromLatin1(names).split(u' ');
    return QSet<QString>(list.begin(), list.end());
}

// Elements that never enclose others (void) or that the parser closes by
// itself when the next one of their kind starts: neither deepens the nesting.
bool nestsNothing(const QString &name)
{
    static const QSet<QString> names = nameSet("br img hr meta link input area base col param wbr p li dt dd "
                                               "tr td th option thead tbody tfoot html head body qt");
    return names.contains(name);
}

// Elements that start a new line, so a run of text does not go on across them.
bool breaksLine(const QString &name)
{
    static const QSet<QString> names = nameSet("br p div li tr td th h1 h2 h3 h4 h5 h6 hr pre table ul ol dl dt dd "
                                               "blockquote center");
    return names.contains(name);
}

// Where the line breaker may break: blanks other than the non-breaking ones.
bool breaksRun(QChar c)
{
    return c.isSpace() && c.unicode() != 0x00A0 && c.unicode() != 0x2007 && c.unicode() != 0x202F;
}

// Reads a tag the way QTextHtmlParser does: a word is quoted only when it
// starts with a quote (a tag name, an attribute name or a value after '='),
// and the rest of a tag after its attributes runs to the next '>' whatever
// quotes it holds.
class TagReader
{
public:
    TagReader(const QString &text, qsizetype &pos)
        : m_text(text)
        , m_pos(pos)
    {
    }

    bool at(QChar c, qsizetype ahead = 0) const
    {
        return m_pos + ahead < m_text.size() && m_text.at(m_pos + ahead) == c;
    }
    void skipSpace()
    {
        while (m_pos < m_text.size() && m_text.at(m_pos).isSpace())
            ++m_pos;
    }
    QString word()
    {
        const qsizetype size = m_text.size();
        if (at(u'"') || at(u'\'')) {
            const QChar quote = m_text.at(m_pos++);
            const qsizetype end = m_text.indexOf(quote, m_pos);
            const qsizetype stop = end < 0 ? size : end;
            const QString quoted = m_text.mid(m_pos, stop - m_pos);
            m_pos = end < 0 ? size : end + 1;
            return quoted;
        }
        const qsizetype start = m_pos;
        while (m_pos < size) {
            const QChar c = m_text.at(m_pos);
            if (c == u'>' || (c == u'/' && at(u'>', 1)) || c == u'<' || c == u'=' || c.isSpace())
                break;
            ++m_pos;
        }
        return m_text.mid(start, m_pos - start);
    }
    // The attributes as "name=value" lines, lower case.
    QString attributes()
    {
        QString read;
        while (m_pos < m_text.size()) {
            skipSpace();
            if (at(u'>') || at(u'/'))
                break;
            const QString key = word().toLower();
            if (key.isEmpty())
                break;
            skipSpace();
            QString value;
            if (at(u'=')) {
                ++m_pos;
                skipSpace();
                value = word();
            }
            read += key + u'=' + value.toLower() + u'\n';
        }
        return read;
    }
    // Skips to behind the next '>'; true if a '/' came before it (<br/>).
    bool finish()
    {
        bool closed = false;
        while (m_pos < m_text.size() && m_text.at(m_pos) != u'>') {
            if (m_text.at(m_pos) == u'/')
                closed = true;
            ++m_pos;
        }
        ++m_pos;
        return closed;
    }
    void skipTo(QChar c)
    {
        const qsizetype end = m_text.indexOf(c, m_pos);
        m_pos = end < 0 ? m_text.size() : end + 1;
    }
    void skipComment()
    {
        const qsizetype end = m_text.indexOf(QLatin1String("-->"), m_pos);
        m_pos = end < 0 ? m_text.size() : end + 3;
    }
    void step() { ++m_pos; }

private:
    const QString &m_text;
    qsizetype &m_pos;
};

} // namespace

BodyLayoutBudget::BodyLayoutBudget(const QString &body)
{
    m_fits = body.size() <= MaxSize;
    if (m_fits)
        scan(body);
}

bool BodyLayoutBudget::withinBudget() const
{
    return m_elements <= MaxElements && m_floats <= MaxFloats && m_longestRun <= MaxUnbrokenRun && m_runCost <= MaxRunCost
        && m_depth <= MaxDepth
        && m_tableCost <= MaxTableLayoutCost;
}

void BodyLayoutBudget::scan(const QString &body)
{
    qsizetype pos = 0;
    TagReader tag(body, pos);
    while (pos < body.size()) {
        const QChar c = body.at(pos++);
        if (c != u'<') {
            noteText(c);
            continue;
        }
        tag.skipSpace();
        if (tag.at(u'!')) {
            tag.step();
            if (tag.at(u'-') && tag.at(u'-', 1)) {
                tag.step();
                tag.step();
                tag.skipComment();
            } else {
                tag.skipTo(u'>');
            }
            continue;
        }
        if (tag.at(u'/')) {
            tag.step();
            const QString name = tag.word().toLower().trimmed();
            tag.skipTo(u'>');
            closeElement(name);
        } else {
            const QString name = tag.word().toLower();
            const QString attributes = pos < body.size() && body.at(pos).isSpace() ? tag.attributes() : QString();
            const bool closed = tag.finish();
            ++m_elements;
            openElement(name, attributes);
            if (closed)
                closeElement(name);
        }
        // Past the budget the rest makes no difference, and the search for
        // the element a closing tag closes stays short.
        if (!withinBudget())
            break;
    }
    m_fits = withinBudget();
}

bool BodyLayoutBudget::breaksQuickly(const QString &text)
{
    BodyLayoutBudget runs{QString()};
    for (const QChar c : text) {
        runs.noteText(c);
        if (runs.m_runCost > MaxRunCost)
            return false;
    }
    return runs.m_longestRun <= MaxUnbrokenRun;
}

void BodyLayoutBudget::noteText(QChar c)
{
    if (breaksRun(c) && !m_noWrap) {
        m_run = 0;
        return;
    }
    m_longestRun = qMax(m_longestRun, ++m_run);
    // (n + 1)^2 - n^2: the square of the run grows by 2n + 1.
    m_runCost += 2 * m_run - 1;
}

void BodyLayoutBudget::openElement(const QString &name, const QString &attributes)
{
    if (breaksLine(name))
        m_run = 0;
    if (attributes.contains(QLatin1String("float")) || attributes.contains(QLatin1String("align=left"))
        || attributes.contains(QLatin1String("align=right")))
        ++m_floats;
    // From here on blanks may not break lines; counted so to the body's end.
    if (name == QLatin1String("nobr") || attributes.contains(QLatin1String("nowrap")))
        m_noWrap = true;
    const bool cell = name == QLatin1String("td") || name == QLatin1String("th");
    if (cell || name == QLatin1String("tr")) {
        const int exponent = qBound(0, m_openTables - 1, MaxCostExponent);
        const quint64 weight = (quint64(1) << exponent) * (cell ? 1 : 3);
        m_tableCost = qMin(m_tableCost + weight, MaxTableLayoutCost + 1);
    }
    if (name.isEmpty() || nestsNothing(name))
        return;
    if (name == QLatin1String("table"))
        ++m_openTables;
    m_open.append(name);
    m_depth = qMax(m_depth, int(m_open.size()));
}

void BodyLayoutBudget::closeElement(const QString &name)
{
    if (breaksLine(name))
        m_run = 0;
    const qsizetype innermost = m_open.lastIndexOf(name);
    if (innermost < 0)
        return;
    while (m_open.size() > innermost) {
        if (m_open.takeLast() == QLatin1String("table"))
            --m_openTables;
    }
}

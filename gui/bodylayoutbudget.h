#pragma once

#include <QString>
#include <QStringList>

// Whether Qt's rich-text layout shows a help body quickly, read from the
// source alone without building a document. Qt's layout of nested tables
// takes about twice as long for each level, its parser slows down with the
// depth of nesting, and its line breaking and float placement grow faster
// than the text: a body beyond any of the limits below is not given to them.
// Tags are read as Qt's parser reads them, so a body cannot hide its
// nesting from this reading while Qt still sees it.
class BodyLayoutBudget
{
public:
    // Measured on Qt 6.4 (scripts/bench.sh --only body): a body at any one
    // limit is laid out and painted in about half a second or less, on a
    // loaded two-core machine.
    static constexpr qsizetype MaxSize = 200000;     // characters of source
    static constexpr int MaxElements = 8000;         // opening tags
    static constexpr int MaxFloats = 200;            // images aligned left or right, floats
    static constexpr qsizetype MaxUnbrokenRun = 10000; // characters without a break
    // Breaking a run takes time that grows with the square of its length:
    // all runs together may cost what one run of the longest length costs.
    static constexpr qint64 MaxRunCost = qint64(MaxUnbrokenRun) * MaxUnbrokenRun;
    static constexpr int MaxDepth = 200;             // elements open inside each other

    explicit BodyLayoutBudget(const QString &body);

    bool fitsRichText() const { return m_fits; }
    // Whether the line breaker finds the blanks of a plain text quickly: its
    // runs between blanks stay within the run budget above.
    static bool breaksQuickly(const QString &text);

private:
    void scan(const QString &body);
    bool withinBudget() const;
    void noteText(QChar c);
    void openElement(const QString &name, const QString &attributes);
    void closeElement(const QString &name);

    bool m_fits = true;
    int m_elements = 0;
    int m_floats = 0;
    qsizetype m_run = 0;
    qsizetype m_longestRun = 0;
    qint64 m_runCost = 0; // the sum of the squares of the runs
    // Inside <nobr> or white-space: nowrap blanks do not break a line.
    bool m_noWrap = false;
    // The deepest element nesting, elements closed implicitly not counted.
    int m_depth = 0;
    // A table cell weighs 2 to the power of the tables around its own, about
    // how often the layout lays it out; a row weighs three cells.
    quint64 m_tableCost = 0;
    // The open elements, innermost last, as the parser keeps them: a closing
    // tag closes the innermost open element of its name and those inside it,
    // and is ignored when none is open.
    QStringList m_open;
    int m_openTables = 0;
};

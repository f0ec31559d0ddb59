#pragma once

#include <QString>
#include <QStringList>

// How deeply the tags of a rich-text body nest, read from the tags alone
// without building a document. Qt's layout of nested tables takes about
// twice as long for each level (25 levels take minutes) and its parser
// slows down with the depth of nesting, so a body beyond either limit is
// not given to them.
class BodyNesting
{
public:
    explicit BodyNesting(const QString &body);

    bool isTooDeepForLayout() const;

private:
    void scan(const QString &body);
    void openElement(const QString &name);
    void closeElement(const QString &name);

    // The deepest element nesting, elements closed implicitly not counted.
    int m_depth = 0;
    // A table cell weighs 2 to the power of the tables around its own, about
    // how often the layout lays it out.
    quint64 m_tableCost = 0;
    // The open elements, innermost last, as the parser keeps them: a closing
    // tag closes the innermost open element of its name and those inside it,
    // and is ignored when none is open.
    QStringList m_open;
    int m_openTables = 0;
};

#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A help body as the body editor's document holds it, and the way back.
// The document knows only paragraphs: it turns CR LF, CR, LF and U+2029 (and
// Qt's frame markers U+FDD0 and U+FDD1) each into one paragraph separator,
// U+2029, and keeps every other character. bodyFrom() gives the body back
// with only the edited lines changed: a line of the body that is still
// there, unchanged, keeps the break that followed it, however many edits lie
// around it; a line changed or made ends with the body's own line break (its
// first one, LF for a body without any). The unedited document gives back
// the body itself, a null body null.
class BodyDocumentText
{
public:
    explicit BodyDocumentText(const QString &body = QString());

    // What the document is to hold: the body with its breaks as U+2029.
    const QString &text() const { return m_text; }
    QString bodyFrom(const QString &documentText) const;

private:
    // For each line of `edited`, the line of the body it is, unchanged, or
    // -1: the longest run of lines the two have in common, in order.
    QList<qsizetype> keptLines(const QStringList &edited) const;

    QString m_body;
    QString m_text;
    QString m_lineBreak;
    QStringList m_lines;
    QStringList m_breaks; // m_breaks[i] follows m_lines[i]; none after the last
};

#pragma once

#include <QList>
#include <QString>

// A help body as the body editor's document holds it, and the way back.
// The document knows only paragraphs: it turns CR LF, CR, LF and U+2029 (and
// Qt's frame markers U+FDD0 and U+FDD1) each into one paragraph separator,
// U+2029, and keeps every other character. bodyFrom() gives the body back
// with the edited span only changed: the text before and after it keeps the
// body's own characters, and inside it each paragraph separator becomes the
// body's own line break (its first one, LF for a body without any). The
// unedited document gives back the body itself, a null body null.
class BodyDocumentText
{
public:
    explicit BodyDocumentText(const QString &body = QString());

    // What the document is to hold: the body with its breaks as U+2029.
    const QString &text() const { return m_text; }
    QString bodyFrom(const QString &documentText) const;

private:
    // Where a position of text() stands in the body: behind each CR LF the
    // body is one longer.
    qsizetype bodyPosition(qsizetype textPosition) const;

    QString m_body;
    QString m_text;
    QString m_lineBreak;
    QList<qsizetype> m_crLfAt; // positions in text(), ascending
};

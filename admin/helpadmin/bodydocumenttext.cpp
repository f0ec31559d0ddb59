#include "bodydocumenttext.h"

#include <algorithm>

namespace {

constexpr QChar ParagraphSeparator(0x2029);

// Qt's frame markers split paragraphs but are no line break of a text.
bool isFrameMarker(QChar c)
{
    return c.unicode() == 0xFDD0 || c.unicode() == 0xFDD1;
}

// The length of the line break at `i`, 0 for any other character.
qsizetype breakLength(const QString &text, qsizetype i)
{
    const char16_t c = text.at(i).unicode();
    if (c == u'\r')
        return i + 1 < text.size() && text.at(i + 1) == u'\n' ? 2 : 1;
    return c == u'\n' || c == 0x2029 || isFrameMarker(text.at(i)) ? 1 : 0;
}

} // namespace

BodyDocumentText::BodyDocumentText(const QString &body)
    : m_body(body)
{
    m_text.reserve(body.size());
    for (qsizetype i = 0; i < body.size();) {
        const qsizetype length = breakLength(body, i);
        if (length == 2)
            m_crLfAt.append(m_text.size());
        if (length == 0) {
            m_text.append(body.at(i));
            ++i;
            continue;
        }
        if (m_lineBreak.isEmpty() && !isFrameMarker(body.at(i)))
            m_lineBreak = body.mid(i, length);
        m_text.append(ParagraphSeparator);
        i += length;
    }
    if (m_lineBreak.isEmpty())
        m_lineBreak = QStringLiteral("\n");
}

QString BodyDocumentText::bodyFrom(const QString &documentText) const
{
    if (documentText == m_text)
        return m_body;

    // The edited span: what lies between the longest common start and the
    // longest common end of the two texts.
    const qsizetype shorter = qMin(m_text.size(), documentText.size());
    qsizetype start = 0;
    while (start < shorter && m_text.at(start) == documentText.at(start))
        ++start;
    qsizetype end = 0;
    while (end < shorter - start
           && m_text.at(m_text.size() - 1 - end) == documentText.at(documentText.size() - 1 - end))
        ++end;

    QString edited = documentText.mid(start, documentText.size() - end - start);
    edited.replace(ParagraphSeparator, m_lineBreak);
    return m_body.left(bodyPosition(start)) + edited + m_body.mid(bodyPosition(m_text.size() - end));
}

qsizetype BodyDocumentText::bodyPosition(qsizetype textPosition) const
{
    return textPosition + (std::lower_bound(m_crLfAt.cbegin(), m_crLfAt.cend(), textPosition) - m_crLfAt.cbegin());
}

#include "admin/helpadmin/bodydocumenttext.h"

#include <vector>

namespace {

constexpr QChar ParagraphSeparator(0x2029);

// Lines in the middle of two bodies that are matched line by line; beyond
// that (a body rewritten wholesale) the middle counts as changed.
constexpr qsizetype MaxMatchedCells = 1 << 20;

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
    QString line;
    for (qsizetype i = 0; i < body.size();) {
        const qsizetype length = breakLength(body, i);
        if (length == 0) {
            m_text.append(body.at(i));
            line.append(body.at(i));
            ++i;
            continue;
        }
        const QString lineBreak = body.mid(i, length);
        if (m_lineBreak.isEmpty() && !isFrameMarker(body.at(i)))
            m_lineBreak = lineBreak;
        m_text.append(ParagraphSeparator);
        m_lines.append(line);
        m_breaks.append(lineBreak);
        line.clear();
        i += length;
    }
    m_lines.append(line);
    if (m_lineBreak.isEmpty())
        m_lineBreak = QStringLiteral("\n");
}

QString BodyDocumentText::bodyFrom(const QString &documentText) const
{
    if (documentText == m_text)
        return m_body;

    const QStringList lines = documentText.split(ParagraphSeparator);
    const QList<qsizetype> kept = keptLines(lines);
    QString body;
    body.reserve(documentText.size() + documentText.size() / 8);
    for (qsizetype j = 0; j < lines.size(); ++j) {
        body += lines.at(j);
        if (j + 1 == lines.size())
            break;
        const qsizetype i = kept.at(j);
        body += i >= 0 && i < m_breaks.size() ? m_breaks.at(i) : m_lineBreak;
    }
    return body;
}

QList<qsizetype> BodyDocumentText::keptLines(const QStringList &edited) const
{
    const QStringList &old = m_lines;
    QList<qsizetype> kept(edited.size(), -1);

    // Edits are few: most lines match at the start and the end.
    qsizetype start = 0;
    while (start < old.size() && start < edited.size() && old.at(start) == edited.at(start)) {
        kept[start] = start;
        ++start;
    }
    qsizetype end = 0;
    while (end < old.size() - start && end < edited.size() - start
           && old.at(old.size() - 1 - end) == edited.at(edited.size() - 1 - end)) {
        kept[edited.size() - 1 - end] = old.size() - 1 - end;
        ++end;
    }

    // The lines between: the longest common subsequence, by the usual table.
    const qsizetype n = old.size() - start - end;
    const qsizetype m = edited.size() - start - end;
    if (n == 0 || m == 0 || n * m > MaxMatchedCells)
        return kept;
    // common[a][b]: the longest common run of old lines from a and edited
    // lines from b (within the middle); at most 1024 by the limit above.
    std::vector<quint16> common(size_t((n + 1) * (m + 1)), 0);
    const auto at = [m](qsizetype a, qsizetype b) { return size_t(a * (m + 1) + b); };
    for (qsizetype a = n - 1; a >= 0; --a) {
        for (qsizetype b = m - 1; b >= 0; --b) {
            common[at(a, b)] = old.at(start + a) == edited.at(start + b)
                ? quint16(common[at(a + 1, b + 1)] + 1)
                : qMax(common[at(a + 1, b)], common[at(a, b + 1)]);
        }
    }
    for (qsizetype a = 0, b = 0; a < n && b < m;) {
        if (old.at(start + a) == edited.at(start + b)) {
            kept[start + b] = start + a;
            ++a;
            ++b;
        } else if (common[at(a + 1, b)] >= common[at(a, b + 1)]) {
            ++a;
        } else {
            ++b;
        }
    }
    return kept;
}

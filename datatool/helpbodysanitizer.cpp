#include "helpbodysanitizer.h"

#include <QRegularExpression>
#include <QSet>
#include <QStringList>

namespace {

const QSet<QString> &formattingTags()
{
    static const QSet<QString> tags = [] {
        const QStringList names = QStringLiteral("b i u s em strong br p div span center h1 h2 h3 h4 h5 h6 "
                                                 "ul ol li dl dt dd tt code pre hr big small sub sup blockquote "
                                                 "table tr td th font nobr")
                                      .split(u' ');
        return QSet<QString>(names.begin(), names.end());
    }();
    return tags;
}

// Elements whose content is no text to show.
bool dropsContent(const QString &tag)
{
    return tag == QLatin1String("script") || tag == QLatin1String("style") || tag == QLatin1String("title")
        || tag == QLatin1String("textarea") || tag == QLatin1String("xmp") || tag == QLatin1String("iframe")
        || tag == QLatin1String("noscript") || tag == QLatin1String("template") || tag == QLatin1String("object")
        || tag == QLatin1String("svg") || tag == QLatin1String("math");
}

bool isTagStart(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

// Finds the '>' that ends a tag. A '>' inside a quoted attribute value
// ends the tag early, which is safe: the rest is shown as escaped text. The
// last answer is kept, so a body full of '<' is still read in one pass.
class TagEnds
{
public:
    explicit TagEnds(const QString &text) : m_text(text) {}

    qsizetype after(qsizetype at)
    {
        if (m_next != -1 && m_next <= at)
            m_next = m_text.indexOf(QLatin1Char('>'), at + 1);
        return m_next;
    }

private:
    const QString &m_text;
    qsizetype m_next = 0;
};

} // namespace

namespace HelpBodySanitizer {

QString sanitize(const QString &body)
{
    static const QRegularExpression entity(
        QStringLiteral("\\G&(?:[A-Za-z][A-Za-z0-9]{0,31}|#[0-9]{1,7}|#[xX][0-9A-Fa-f]{1,6});"));
    QString out;
    out.reserve(body.size());
    TagEnds tagEnds(body);
    qsizetype i = 0;
    while (i < body.size()) {
        const QChar c = body.at(i);
        if (c == QLatin1Char('&')) {
            const QRegularExpressionMatch match = entity.match(body, i);
            if (match.hasMatch()) {
                out += match.captured();
                i += match.capturedLength();
            } else {
                out += QLatin1String("&amp;");
                ++i;
            }
            continue;
        }
        if (c == QLatin1Char('>')) {
            out += QLatin1String("&gt;");
            ++i;
            continue;
        }
        if (c != QLatin1Char('<')) {
            out += c;
            ++i;
            continue;
        }
        if (body.mid(i, 4) == QLatin1String("<!--")) {
            const qsizetype end = body.indexOf(QLatin1String("-->"), i + 4);
            i = end < 0 ? body.size() : end + 3;
            continue;
        }
        const bool closing = i + 1 < body.size() && body.at(i + 1) == QLatin1Char('/');
        const qsizetype nameStart = i + (closing ? 2 : 1);
        const bool markup = nameStart < body.size()
            && (isTagStart(body.at(nameStart)) || body.at(i + 1) == QLatin1Char('!') || body.at(i + 1) == QLatin1Char('?'));
        const qsizetype end = markup ? tagEnds.after(i) : -1;
        if (end < 0) {
            out += QLatin1String("&lt;");
            ++i;
            continue;
        }
        qsizetype nameEnd = nameStart;
        while (nameEnd < end && (isTagStart(body.at(nameEnd)) || body.at(nameEnd).isDigit()))
            ++nameEnd;
        const QString tag = body.mid(nameStart, nameEnd - nameStart).toLower();
        i = end + 1;
        if (!closing && dropsContent(tag)) {
            const QRegularExpression close(QStringLiteral("</%1[\\s/>]").arg(tag),
                                           QRegularExpression::CaseInsensitiveOption);
            const QRegularExpressionMatch match = close.match(body, i);
            i = match.hasMatch() ? match.capturedEnd() : body.size();
            if (match.hasMatch() && !match.captured().endsWith(QLatin1Char('>'))) {
                const qsizetype closeEnd = tagEnds.after(i - 1);
                i = closeEnd < 0 ? body.size() : closeEnd + 1;
            }
            continue;
        }
        if (formattingTags().contains(tag))
            out += (closing ? QLatin1String("</") : QLatin1String("<")) + tag + QLatin1Char('>');
    }
    return out;
}

} // namespace HelpBodySanitizer

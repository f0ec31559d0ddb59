#include "datatool/helpbodysanitizer.h"

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

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isHexDigit(QChar c)
{
    return isAsciiDigit(c) || (c >= QLatin1Char('a') && c <= QLatin1Char('f'))
        || (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
}

bool isAsciiSpace(QChar c)
{
    return c == QLatin1Char(' ') || (c >= QLatin1Char('\t') && c <= QLatin1Char('\r'));
}

bool isSpecial(QChar c)
{
    return c == QLatin1Char('&') || c == QLatin1Char('<') || c == QLatin1Char('>');
}

// The length of the character reference ("&amp;", "&#38;", "&#x26;") that
// starts at `at`, or 0 when the '&' there starts none. It looks at no more
// than a reference's longest form, so a body of stray '&' is read in one pass.
qsizetype referenceLength(const QString &text, qsizetype at)
{
    const auto charAt = [&text](qsizetype i) { return i < text.size() ? text.at(i) : QChar(); };
    qsizetype i = at + 1;
    qsizetype most = 32;
    bool (*accepts)(QChar) = nullptr;
    if (isTagStart(charAt(i))) {
        accepts = [](QChar c) { return isTagStart(c) || isAsciiDigit(c); };
    } else if (charAt(i) == QLatin1Char('#') && (charAt(i + 1) == QLatin1Char('x') || charAt(i + 1) == QLatin1Char('X'))) {
        i += 2;
        most = 6;
        accepts = isHexDigit;
    } else if (charAt(i) == QLatin1Char('#')) {
        i += 1;
        most = 7;
        accepts = isAsciiDigit;
    } else {
        return 0;
    }
    const qsizetype start = i;
    while (i - start < most && accepts(charAt(i)))
        ++i;
    return i > start && charAt(i) == QLatin1Char(';') ? i + 1 - at : 0;
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

// Where the element `tag` whose content is dropped ends: just behind its
// closing tag, or the end of the text when it has none. One search from
// `from` onwards, so dropped elements cost no more than their own length.
qsizetype afterClosingTag(const QString &text, const QString &tag, qsizetype from, TagEnds &tagEnds)
{
    const QString closing = QStringLiteral("</") + tag;
    for (qsizetype at = text.indexOf(closing, from, Qt::CaseInsensitive); at >= 0;
         at = text.indexOf(closing, at + 1, Qt::CaseInsensitive)) {
        const qsizetype next = at + closing.size();
        if (next >= text.size())
            break;
        if (text.at(next) == QLatin1Char('>'))
            return next + 1;
        if (isAsciiSpace(text.at(next)) || text.at(next) == QLatin1Char('/')) {
            const qsizetype end = tagEnds.after(next);
            return end < 0 ? text.size() : end + 1;
        }
    }
    return text.size();
}

} // namespace

namespace HelpBodySanitizer {

QString sanitize(const QString &body)
{
    QString out;
    out.reserve(body.size());
    TagEnds tagEnds(body);
    qsizetype i = 0;
    while (i < body.size()) {
        const QChar c = body.at(i);
        if (c == QLatin1Char('&')) {
            if (const qsizetype length = referenceLength(body, i)) {
                out += QStringView(body).mid(i, length);
                i += length;
            } else {
                out += u"&amp;";
                ++i;
            }
            continue;
        }
        if (c == QLatin1Char('>')) {
            out += u"&gt;";
            ++i;
            continue;
        }
        if (c != QLatin1Char('<')) {
            // The text up to the next character that needs a look, at once.
            qsizetype next = i + 1;
            while (next < body.size() && !isSpecial(body.at(next)))
                ++next;
            out += QStringView(body).mid(i, next - i);
            i = next;
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
            out += u"&lt;";
            ++i;
            continue;
        }
        qsizetype nameEnd = nameStart;
        while (nameEnd < end && (isTagStart(body.at(nameEnd)) || body.at(nameEnd).isDigit()))
            ++nameEnd;
        const QString tag = body.mid(nameStart, nameEnd - nameStart).toLower();
        i = end + 1;
        if (!closing && dropsContent(tag)) {
            i = afterClosingTag(body, tag, i, tagEnds);
            continue;
        }
        if (formattingTags().contains(tag))
            out += (closing ? QLatin1String("</") : QLatin1String("<")) + tag + QLatin1Char('>');
    }
    return out;
}

} // namespace HelpBodySanitizer

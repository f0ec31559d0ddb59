#include "datatool/jsonwriter.h"

void JsonWriter::newline()
{
    m_out += QLatin1Char('\n');
    m_out += QString(m_levels.size() * 2, QLatin1Char(' '));
}

void JsonWriter::beforeValue()
{
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (m_levels.isEmpty())
        return;
    Level &level = m_levels.last();
    if (!level.empty)
        m_out += QLatin1Char(',');
    if (level.inlined)
        m_out += level.empty ? QString() : QStringLiteral(" ");
    else
        newline();
    level.empty = false;
}

void JsonWriter::beginObject(bool inlined)
{
    beforeValue();
    m_out += QLatin1Char('{');
    // Inside an inline container everything stays on the line.
    m_levels.append({inlined || (!m_levels.isEmpty() && m_levels.last().inlined), true});
}

void JsonWriter::beginArray()
{
    beforeValue();
    m_out += QLatin1Char('[');
    m_levels.append({!m_levels.isEmpty() && m_levels.last().inlined, true});
}

void JsonWriter::close(char bracket)
{
    const Level level = m_levels.takeLast();
    if (!level.empty && !level.inlined)
        newline();
    m_out += QLatin1Char(bracket);
}

void JsonWriter::endObject()
{
    close('}');
}

void JsonWriter::endArray()
{
    close(']');
}

void JsonWriter::key(QLatin1String name)
{
    beforeValue();
    m_out += quoted(name) + QLatin1String(": ");
    m_afterKey = true;
}

void JsonWriter::string(const QString &text)
{
    beforeValue();
    m_out += text.isNull() ? QStringLiteral("null") : quoted(text);
}

void JsonWriter::number(qint64 value)
{
    beforeValue();
    m_out += QString::number(value);
}

QString JsonWriter::quoted(const QString &text)
{
    QString out;
    out.reserve(text.size() + 2);
    out += QLatin1Char('"');
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const char16_t u = c.unicode();
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            out += c;
            out += text.at(++i);
        } else if (u == '"' || u == '\\') {
            out += QLatin1Char('\\');
            out += c;
        } else if (u == '\n') {
            out += QLatin1String("\\n");
        } else if (u == '\t') {
            out += QLatin1String("\\t");
        } else if (u == '\r') {
            out += QLatin1String("\\r");
        } else if (u < 0x20 || c.isSurrogate() || u == 0x7F) {
            out += QStringLiteral("\\u%1").arg(uint(u), 4, 16, QLatin1Char('0'));
        } else {
            out += c;
        }
    }
    out += QLatin1Char('"');
    return out;
}

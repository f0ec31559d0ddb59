#include "datatool/webpage.h"

#include "common/stringpool.h"
#include "datatool/helpbodysanitizer.h"
#include "datatool/jsonwriter.h"
#include "tradeskill/requirements.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>

#include <charconv>

namespace {

QByteArray resource(const QString &name)
{
    QFile file(QStringLiteral(":/web/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray policyHash(const QByteArray &content)
{
    return "sha256-" + QCryptographicHash::hash(content, QCryptographicHash::Sha256).toBase64();
}

// Compact JSON written straight into the page's bytes, in blocks that can
// stand inside a <script> element: "</script" and "<!--" cannot occur once
// every '<' is written as an escape.
class ScriptJson
{
public:
    void beginBlock(const QByteArray &id)
    {
        m_out += "<script type=\"application/json\" id=\"" + id + "\">";
        m_first = true;
    }
    void endBlock() { m_out += "</script>\n"; }
    void beginArray() { open('['); }
    void endArray() { close(']'); }
    void beginObject() { open('{'); }
    void endObject() { close('}'); }
    void key(const char *name)
    {
        separate();
        m_out += '"';
        m_out += name;
        m_out += "\":";
        m_first = true;
    }
    void text(const QString &text)
    {
        separate();
        m_out += JsonWriter::quoted(text).toUtf8().replace('<', "\\u003c");
    }
    void number(qint64 value)
    {
        separate();
        char digits[24];
        m_out.append(digits, std::to_chars(digits, digits + sizeof(digits), value).ptr - digits);
    }
    const QByteArray &bytes() const { return m_out; }

private:
    void separate()
    {
        if (!m_first)
            m_out += ',';
        m_first = false;
    }
    void open(char bracket)
    {
        separate();
        m_out += bracket;
        m_first = true;
    }
    void close(char bracket)
    {
        m_out += bracket;
        m_first = false;
    }

    QByteArray m_out;
    bool m_first = true;
};

// Per process, its requirements as flat triples in data order: name and
// multiplier as numbers in the string table, then t.
void writeGroup(ScriptJson &json, qsizetype g, const ProcGroup &group, StringPool &strings)
{
    json.beginBlock("vorrak-group-" + QByteArray::number(g));
    json.beginArray();
    for (const Proc &proc : group.procs) {
        json.beginArray();
        for (const Req &req : proc.reqs) {
            json.number(strings.indexOf(req.name));
            json.number(strings.indexOf(req.multiplier));
            json.number(req.t);
        }
        json.endArray();
    }
    json.endArray();
    json.endBlock();
}

// Each group as [name, [[name, lowest QL, highest QL, special], ...]] with
// the QLs as the process's range gives them, special as 1 or 0, the names as
// numbers in the string table, the help topics as {header, body}, and last
// the string table, which by then holds every text of the data.
void writeIndex(ScriptJson &json, const QList<ProcGroup> &groups, const QList<HelpTopic> &topics,
                StringPool &strings)
{
    json.beginBlock("vorrak-index");
    json.beginObject();
    json.key("groups");
    json.beginArray();
    for (const ProcGroup &group : groups) {
        json.beginArray();
        json.number(strings.indexOf(group.name));
        json.beginArray();
        for (const Proc &proc : group.procs) {
            json.beginArray();
            json.number(strings.indexOf(proc.name));
            const QlRange range = proc.qlRange();
            json.number(range.lowest);
            json.number(range.highest);
            json.number(proc.isSpecial() ? 1 : 0);
            json.endArray();
        }
        json.endArray();
        json.endArray();
    }
    json.endArray();
    json.key("topics");
    json.beginArray();
    for (const HelpTopic &topic : topics) {
        json.beginObject();
        json.key("header");
        json.text(topic.header);
        json.key("body");
        json.text(HelpBodySanitizer::sanitize(topic.body));
        json.endObject();
    }
    json.endArray();
    // Every skill name of the data, sorted, for the what-can-I-make form.
    QList<Proc> procs;
    for (const ProcGroup &group : groups)
        procs.append(group.procs);
    json.key("skills");
    json.beginArray();
    for (const QString &name : skillNames(procs))
        json.number(strings.indexOf(name));
    json.endArray();
    json.key("strings");
    json.beginArray();
    for (const QString &text : strings.strings())
        json.text(text);
    json.endArray();
    json.endObject();
    json.endBlock();
}

// "Made on 2026-12-09 from 4 groups and 9 processes." The day is today's in
// UTC, or SOURCE_DATE_EPOCH's where a reproducible build sets it.
QByteArray madeLine(const QList<ProcGroup> &groups)
{
    qsizetype procs = 0;
    for (const ProcGroup &group : groups)
        procs += group.procs.size();
    bool fixed = false;
    const qint64 epoch = qEnvironmentVariable("SOURCE_DATE_EPOCH").toLongLong(&fixed);
    const QDateTime made = fixed ? QDateTime::fromSecsSinceEpoch(epoch, Qt::UTC) : QDateTime::currentDateTimeUtc();
    const auto count = [](qsizetype n, const char *one, const char *many) {
        return QByteArray::number(n) + ' ' + (n == 1 ? one : many);
    };
    return "Made on " + made.date().toString(Qt::ISODate).toLatin1() + " from " + count(groups.size(), "group", "groups")
        + " and " + count(procs, "process", "processes") + ".";
}

} // namespace

namespace WebPage {

QByteArray build(const QList<ProcGroup> &groups, const QList<HelpTopic> &topics)
{
    const QByteArray style = resource(QStringLiteral("page.css"));
    const QByteArray script = resource(QStringLiteral("calculator.js"));
    QByteArray page = resource(QStringLiteral("page.html"));
    page.replace("@SCRIPT_HASH@", policyHash(script));
    page.replace("@STYLE_HASH@", policyHash(style));
    // The data goes in last and by position, so nothing in it is taken
    // for a marker.
    const QByteArray dataMarker = "<!--@DATA@-->";
    const qsizetype at = page.indexOf(dataMarker);
    QByteArray head = page.left(at);
    QByteArray tail = page.mid(at + dataMarker.size());
    head.replace("@MADE@", madeLine(groups));
    head.replace("@STYLE@", style);
    tail.replace("@SCRIPT@", script);

    // The index comes last, when its string table holds every text.
    StringPool strings;
    ScriptJson data;
    for (qsizetype g = 0; g < groups.size(); ++g)
        writeGroup(data, g, groups.at(g), strings);
    writeIndex(data, groups, topics, strings);
    return head + data.bytes() + tail;
}

} // namespace WebPage

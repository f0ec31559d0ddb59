#include "webpage.h"

#include "helpbodysanitizer.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

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

// JSON that can stand inside a <script> element: "</script" and "<!--"
// cannot occur once every '<' is written as an escape.
QByteArray dataBlock(const QByteArray &id, const QJsonDocument &document)
{
    QByteArray json = document.toJson(QJsonDocument::Compact);
    json.replace('<', "\\u003c");
    return "<script type=\"application/json\" id=\"" + id + "\">" + json + "</script>\n";
}

QJsonDocument indexJson(const QList<ProcGroup> &groups, const QList<HelpTopic> &topics)
{
    QJsonArray groupArray;
    for (const ProcGroup &group : groups) {
        QJsonArray procs;
        for (const Proc &proc : group.procs) {
            procs.append(QJsonObject{{QStringLiteral("name"), proc.name},
                                     {QStringLiteral("minQL"), proc.minQL},
                                     {QStringLiteral("maxQL"), proc.maxQL}});
        }
        groupArray.append(QJsonObject{{QStringLiteral("name"), group.name}, {QStringLiteral("procs"), procs}});
    }
    QJsonArray topicArray;
    for (const HelpTopic &topic : topics) {
        topicArray.append(QJsonObject{{QStringLiteral("header"), topic.header},
                                      {QStringLiteral("body"), HelpBodySanitizer::sanitize(topic.body)}});
    }
    return QJsonDocument(QJsonObject{{QStringLiteral("groups"), groupArray}, {QStringLiteral("topics"), topicArray}});
}

// Per process, its requirements as [name, multiplier, t] in data order.
QJsonDocument groupJson(const ProcGroup &group)
{
    QJsonArray procs;
    for (const Proc &proc : group.procs) {
        QJsonArray reqs;
        for (const Req &req : proc.reqs)
            reqs.append(QJsonArray{req.name, req.multiplier, int(req.t)});
        procs.append(reqs);
    }
    return QJsonDocument(procs);
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

    QByteArray data = dataBlock("vorrak-index", indexJson(groups, topics));
    for (qsizetype g = 0; g < groups.size(); ++g)
        data += dataBlock("vorrak-group-" + QByteArray::number(g), groupJson(groups.at(g)));
    return head + data + tail;
}

} // namespace WebPage

#include "datatool/jsonexport.h"

#include "datatool/jsonformat.h"
#include "datatool/jsonwriter.h"

namespace {

void writeReq(JsonWriter &json, const Req &req)
{
    // One requirement per line keeps the file short and its diffs readable.
    json.beginObject(true);
    json.key("name");
    json.string(req.name);
    json.key("multiplier");
    json.string(req.multiplier);
    json.key("t");
    json.number(req.t);
    json.key("id");
    json.number(req.id);
    json.endObject();
}

void writeProc(JsonWriter &json, const Proc &proc)
{
    json.beginObject();
    json.key("name");
    json.string(proc.name);
    json.key("maxQL");
    json.number(proc.maxQL);
    json.key("minQL");
    json.number(proc.minQL);
    json.key("reqs");
    json.beginArray();
    for (const Req &req : proc.reqs)
        writeReq(json, req);
    json.endArray();
    json.endObject();
}

void writeGroups(JsonWriter &json, const QList<ProcGroup> &groups)
{
    json.key("groups");
    json.beginArray();
    for (const ProcGroup &group : groups) {
        json.beginObject();
        json.key("name");
        json.string(group.name);
        json.key("procs");
        json.beginArray();
        for (const Proc &proc : group.procs)
            writeProc(json, proc);
        json.endArray();
        json.endObject();
    }
    json.endArray();
}

void writeTopics(JsonWriter &json, const QList<HelpTopic> &topics)
{
    json.key("topics");
    json.beginArray();
    for (const HelpTopic &topic : topics) {
        json.beginObject();
        json.key("id");
        json.string(topic.id);
        json.key("header");
        json.string(topic.header);
        json.key("body");
        json.string(topic.body);
        json.endObject();
    }
    json.endArray();
}

} // namespace

namespace JsonExport {

QByteArray toJson(const FileContent &content)
{
    JsonWriter json;
    json.beginObject();
    json.key("format");
    const bool data = content.kind == FileContent::Kind::Data;
    json.string(QString::fromLatin1(data ? JsonFormat::DataFormat : JsonFormat::HelpFormat));
    if (data)
        writeGroups(json, content.groups);
    else
        writeTopics(json, content.topics);
    if (!content.trailingBytes.isEmpty()) {
        json.key("trailingBytes");
        json.string(QString::fromLatin1(content.trailingBytes.toHex()));
    }
    json.endObject();
    return json.result();
}

} // namespace JsonExport

#include "datatool/jsonexport.h"

#include "datatool/jsonformat.h"
#include "datatool/jsonwriter.h"
#include "help/helptopic.h"
#include "tradeskill/procgroup.h"

namespace {

namespace Key = JsonFormat::Key;

void writeReq(JsonWriter &json, const Req &req)
{
    // One requirement per line keeps the file short and its diffs readable.
    json.beginObject(true);
    json.key(Key::Name);
    json.string(req.name);
    json.key(Key::Multiplier);
    json.string(req.multiplier);
    json.key(Key::T);
    json.number(req.t);
    json.key(Key::Id);
    json.number(req.id);
    json.endObject();
}

void writeProc(JsonWriter &json, const Proc &proc)
{
    json.beginObject();
    json.key(Key::Name);
    json.string(proc.name);
    json.key(Key::MaxQL);
    json.number(proc.maxQL);
    json.key(Key::MinQL);
    json.number(proc.minQL);
    json.key(Key::Reqs);
    json.beginArray();
    for (const Req &req : proc.reqs)
        writeReq(json, req);
    json.endArray();
    json.endObject();
}

} // namespace

namespace JsonExport {

void writeGroups(JsonWriter &json, const FileContent &content)
{
    json.beginArray();
    for (const ProcGroup &group : content.list<ProcGroup>()) {
        json.beginObject();
        json.key(Key::Name);
        json.string(group.name);
        json.key(Key::Procs);
        json.beginArray();
        for (const Proc &proc : group.procs)
            writeProc(json, proc);
        json.endArray();
        json.endObject();
    }
    json.endArray();
}

void writeTopics(JsonWriter &json, const FileContent &content)
{
    json.beginArray();
    for (const HelpTopic &topic : content.list<HelpTopic>()) {
        json.beginObject();
        json.key(Key::Id);
        json.string(topic.id);
        json.key(Key::Header);
        json.string(topic.header);
        json.key(Key::Body);
        json.string(topic.body);
        json.endObject();
    }
    json.endArray();
}

QByteArray toJson(const FileContent &content)
{
    JsonWriter json;
    json.beginObject();
    json.key(Key::Format);
    json.string(QString::fromLatin1(content.kind->jsonFormat));
    json.key(content.kind->jsonList);
    content.kind->writeJson(json, content);
    if (!content.trailingBytes.isEmpty()) {
        json.key(Key::TrailingBytes);
        json.string(QString::fromLatin1(content.trailingBytes.toHex()));
    }
    json.endObject();
    return json.result();
}

} // namespace JsonExport

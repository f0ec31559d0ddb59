#pragma once

#include "datatool/filecontent.h"

#include <QByteArray>

class JsonWriter;

// The JSON text of a file's content: keys in a fixed order, null texts as
// null, every text and number exactly as stored.
namespace JsonExport {

QByteArray toJson(const FileContent &content);

// The list of records of each kind, as FileKind hands them on.
void writeGroups(JsonWriter &json, const FileContent &content);
void writeTopics(JsonWriter &json, const FileContent &content);

} // namespace JsonExport

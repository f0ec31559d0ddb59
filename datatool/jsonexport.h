#pragma once

#include "datatool/filecontent.h"

#include <QByteArray>

// The JSON text of a file's content: keys in a fixed order, null texts as
// null, every text and number exactly as stored.
namespace JsonExport {

QByteArray toJson(const FileContent &content);

} // namespace JsonExport

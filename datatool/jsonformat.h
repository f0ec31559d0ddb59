#pragma once

#include <QLatin1String>

// Names shared by the JSON export and import (see vorrak-data.schema.json).
namespace JsonFormat {

constexpr const char *DataFormat = "vorrak-data";
constexpr const char *HelpFormat = "vorrak-help";
constexpr int MaxListSize = 0xFFFF;

// The keys of the JSON form, for the export and the import alike.
namespace Key {

constexpr QLatin1String Format("format");
constexpr QLatin1String TrailingBytes("trailingBytes");
// The data: groups of processes, each with its requirements.
constexpr QLatin1String Groups("groups");
constexpr QLatin1String Procs("procs");
constexpr QLatin1String Reqs("reqs");
constexpr QLatin1String Name("name");
constexpr QLatin1String MaxQL("maxQL");
constexpr QLatin1String MinQL("minQL");
constexpr QLatin1String Multiplier("multiplier");
constexpr QLatin1String T("t");
constexpr QLatin1String Id("id");
// The help: topics.
constexpr QLatin1String Topics("topics");
constexpr QLatin1String Header("header");
constexpr QLatin1String Body("body");

} // namespace Key

} // namespace JsonFormat

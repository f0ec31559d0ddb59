#pragma once

// Names shared by the JSON export and import (see vorrak-data.schema.json).
namespace JsonFormat {

constexpr const char *DataFormat = "vorrak-data";
constexpr const char *HelpFormat = "vorrak-help";
constexpr int MaxListSize = 0xFFFF;

} // namespace JsonFormat

#pragma once

#include "common/storefile.h"
#include "tradeskill/procgroup.h"

#include <QList>

class QIODevice;

// The binary format of Vorrak.dat: a magic number, then the groups depth
// first. Reading and writing work on devices so that tests and fuzzers can
// use memory buffers; TradeskillData adds the file path and the messages.
namespace TradeskillFile {

constexpr qint32 Magic = 0x2AE510A4;
constexpr int MaxListSize = 0xFFFF;

using ReadResult = ::ReadResult;

// Appends the groups read from `device` to `groups`. The whole file is
// checked first, without building anything; on damage only the groups before
// the one in which the damage lies are built.
// `countFormat` is the printf pattern of the group count line.
ReadResult read(QIODevice *device, QList<ProcGroup> &groups, const char *countFormat);

// Writes the magic and all groups to `device`, with the progress lines;
// false if a write failed.
bool write(QIODevice *device, const QList<ProcGroup> &groups);

// True if some list is longer than the 16-bit counts can hold.
bool exceedsFormatLimits(const QList<ProcGroup> &groups);

} // namespace TradeskillFile

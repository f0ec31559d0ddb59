#pragma once

#include "messagehandler.h"
#include "procgroup.h"

#include <QList>

class QIODevice;

// The binary format of Vorrak.dat: a magic number, then the groups depth
// first. Reading and writing work on devices so that tests and fuzzers can
// use memory buffers; TradeskillData adds the file path and the messages.
namespace TradeskillFile {

constexpr qint32 Magic = 0x2AE510A4;
constexpr int MaxListSize = 0xFFFF;

enum class ReadResult { Ok, BadMagic, Damaged };

// Appends the groups read from `device` to `groups`. On damage the groups
// read completely are kept and the one in which the damage lies is dropped.
// `countFormat` is the printf pattern of the group count line.
ReadResult read(QIODevice *device, QList<ProcGroup> &groups, const char *countFormat);

// Writes the magic and all groups, with the progress lines.
void write(QDataStream &out, const QList<ProcGroup> &groups);

// True if some list is longer than the 16-bit counts can hold.
bool exceedsFormatLimits(const QList<ProcGroup> &groups);

} // namespace TradeskillFile

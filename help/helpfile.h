#pragma once

#include "common/storefile.h"
#include "help/helptopic.h"

#include <QList>

class QIODevice;

// The binary format of Vorrak.hlp: a magic number, a count and three
// strings per topic.
namespace HelpFile {

constexpr qint32 Magic = qint32(0xE9A7143D);
constexpr int MaxTopics = 0xFFFF;

using ReadResult = ::ReadResult;

// Appends the topics read from `device`. The whole file is checked first,
// without building anything; on damage only the complete topics before it
// are built.
ReadResult read(QIODevice *device, QList<HelpTopic> &topics);

// Writes the magic and all topics to `device`; false if a write failed.
bool write(QIODevice *device, const QList<HelpTopic> &topics);

} // namespace HelpFile

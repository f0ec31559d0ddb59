#pragma once

#include "helptopic.h"

#include <QList>

class QDataStream;
class QIODevice;

// The binary format of Vorrak.hlp: a magic number, a count and three
// strings per topic.
namespace HelpFile {

constexpr qint32 Magic = qint32(0xE9A7143D);
constexpr int MaxTopics = 0xFFFF;

enum class ReadResult { Ok, BadMagic, Damaged };

// Appends the topics read from `device`; on damage the topics read
// completely are kept.
ReadResult read(QIODevice *device, QList<HelpTopic> &topics);

void write(QDataStream &out, const QList<HelpTopic> &topics);

} // namespace HelpFile

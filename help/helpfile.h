#pragma once

#include "common/fieldwalk.h"
#include "common/fileformat.h"
#include "common/storefile.h"
#include "help/helptopic.h"

#include <QList>

class QIODevice;

// The binary format of Vorrak.hlp: a magic number, a count and three
// strings per topic.
namespace HelpFile {

constexpr qint32 Magic = qint32(0xE9A7143D);
constexpr int MaxTopics = 0xFFFF;

enum class Record { Topic };
constexpr RecordName RecordNames[] = {{"topic", "topics"}};
inline RecordName recordName(Record record)
{
    return RecordNames[int(record)];
}

constexpr FileFormat Format{Magic, "Vorrak.hlp", "help file", RecordNames, std::size(RecordNames)};

enum class Field { TopicCount, Id, Header, Body };
// "topic count", "id", "header", "body".
const char *fieldName(Field field);

// The file after the magic number, field by field (see common/fieldwalk.h).
template <typename Visitor>
bool walk(Visitor &visit)
{
    int count;
    if (!visit.count(Field::TopicCount, count))
        return false;
    for (int i = 0; i < count; ++i) {
        visit.enter(Record::Topic, i);
        if (!visit.text(Field::Id) || !visit.text(Field::Header) || !visit.text(Field::Body))
            return false;
        visit.leave(Record::Topic);
    }
    return true;
}

// Appends the topics read from `device`. The whole file is checked first,
// without building anything; on damage only the complete topics before it
// are built.
ReadResult read(QIODevice *device, QList<HelpTopic> &topics);

// Writes the magic and all topics to `device`; false if a write failed.
bool write(QIODevice *device, const QList<HelpTopic> &topics);

} // namespace HelpFile

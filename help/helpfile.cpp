#include "help/helpfile.h"

#include "common/bigendianwriter.h"
#include "common/binaryreader.h"
#include "common/debuglog.h"

#include <QIODevice>

namespace HelpFile {

ReadResult read(QIODevice *device, QList<HelpTopic> &topics)
{
    const qint64 start = device->pos();
    int wholeTopics = 0;
    bool complete = false;
    {
        BinaryReader scan(device);
        qint32 magic = 0;
        if (!scan.readInt32(magic) || magic != Magic)
            return ReadResult::BadMagic;
        quint16 count;
        if (scan.readUInt16(count)) {
            while (wholeTopics < count && scan.skipString() && scan.skipString() && scan.skipString())
                ++wholeTopics;
            complete = wholeTopics == count;
        }
    }
    if (!device->seek(start))
        return ReadResult::Damaged;

    BinaryReader in(device);
    qint32 magic = 0;
    quint16 count;
    if (!in.readInt32(magic) || magic != Magic || !in.readUInt16(count))
        return ReadResult::Damaged;
    VORRAK_DEBUG("Topics: %d", int(count));
    // Only the topics the first pass found whole are read, so the list is
    // reserved at their number.
    count = quint16(wholeTopics);
    topics.reserve(topics.size() + count);
    for (int i = 0; i < count; ++i) {
        HelpTopic topic;
        if (!in.readString(topic.id) || !in.readString(topic.header) || !in.readString(topic.body))
            return ReadResult::Damaged;
        VORRAK_DEBUG(" * Topic #%d: %s> \"%s\" (not displaying body...)", i, latin1Form(topic.id).constData(),
                     latin1Form(topic.header).constData());
        topics.append(std::move(topic));
    }
    return complete ? ReadResult::Ok : ReadResult::Damaged;
}

bool write(QIODevice *device, const QList<HelpTopic> &topics)
{
    BigEndianWriter writer(device);
    writer.writeInt32(Magic);
    writer.writeInt16(qint16(topics.size()));
    for (const HelpTopic &topic : topics) {
        writer.writeString(topic.id);
        writer.writeString(topic.header);
        writer.writeString(topic.body);
    }
    return writer.finish();
}

} // namespace HelpFile

#include "helpfile.h"

#include "bigendianwriter.h"
#include "binaryreader.h"
#include "debuglog.h"

#include <QDataStream>
#include <QIODevice>

namespace HelpFile {

ReadResult read(QIODevice *device, QList<HelpTopic> &topics)
{
    BinaryReader in(device);
    qint32 magic = 0;
    if (!in.readInt32(magic) || magic != Magic)
        return ReadResult::BadMagic;
    quint16 count;
    if (!in.readUInt16(count))
        return ReadResult::Damaged;
    VORRAK_DEBUG("Topics: %d", int(count));
    // Each topic needs at least three length fields.
    topics.reserve(topics.size() + qMin<qint64>(count, (device->size() - in.position()) / 12));
    for (int i = 0; i < count; ++i) {
        HelpTopic topic;
        if (!in.readString(topic.id) || !in.readString(topic.header) || !in.readString(topic.body))
            return ReadResult::Damaged;
        VORRAK_DEBUG(" * Topic #%d: %s> \"%s\" (not displaying body...)", i, latin1Form(topic.id).constData(),
                     latin1Form(topic.header).constData());
        topics.append(std::move(topic));
    }
    return ReadResult::Ok;
}

void write(QDataStream &out, const QList<HelpTopic> &topics)
{
    BigEndianWriter writer(out.device());
    writer.writeInt32(Magic);
    writer.writeInt16(qint16(topics.size()));
    for (const HelpTopic &topic : topics) {
        writer.writeString(topic.id);
        writer.writeString(topic.header);
        writer.writeString(topic.body);
    }
    if (!writer.finish())
        out.setStatus(QDataStream::WriteFailed);
}

} // namespace HelpFile

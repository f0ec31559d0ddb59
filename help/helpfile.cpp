#include "help/helpfile.h"

#include "common/bigendianwriter.h"
#include "common/binaryreader.h"
#include "common/debuglog.h"

#include <QIODevice>

namespace {

using HelpFile::Field;
using HelpFile::Record;

QString &field(HelpTopic &topic, Field field)
{
    return field == Field::Id ? topic.id : field == Field::Header ? topic.header : topic.body;
}

const QString &field(const HelpTopic &topic, Field field)
{
    return field == Field::Id ? topic.id : field == Field::Header ? topic.header : topic.body;
}

// The building pass: a topic is logged and appended once its three texts are read.
class TopicBuilder
{
public:
    explicit TopicBuilder(QList<HelpTopic> &topics)
        : m_topics(topics)
    {
    }

    void prepare(int wholeTopics, qint64) { m_wholeTopics = wholeTopics; }
    void setReader(BinaryReader &in) { m_in = &in; }

    bool count(Field, int &n)
    {
        quint16 value;
        if (!m_in->readUInt16(value))
            return false;
        VORRAK_DEBUG("Topics: %d", int(value));
        n = m_wholeTopics;
        m_topics.reserve(m_topics.size() + n);
        return true;
    }

    bool text(Field which)
    {
        if (!m_in->readString(field(m_topic, which)))
            return false;
        if (which == Field::Body)
            VORRAK_DEBUG(" * Topic #%d: %s> \"%s\" (not displaying body...)", m_index,
                         latin1Form(m_topic.id).constData(), latin1Form(m_topic.header).constData());
        return true;
    }

    void enter(Record, int index)
    {
        m_topic = HelpTopic();
        m_index = index;
    }

    void leave(Record) { m_topics.append(std::move(m_topic)); }

private:
    QList<HelpTopic> &m_topics;
    BinaryReader *m_in = nullptr;
    int m_wholeTopics = 0;
    HelpTopic m_topic;
    int m_index = 0;
};

class TopicWriter
{
public:
    TopicWriter(BigEndianWriter &out, const QList<HelpTopic> &topics)
        : m_out(out)
        , m_topics(topics)
    {
    }

    bool count(Field, int &n)
    {
        n = int(m_topics.size());
        m_out.writeInt16(qint16(n));
        return true;
    }

    bool text(Field which)
    {
        m_out.writeString(field(*m_topic, which));
        return true;
    }

    void enter(Record, int index) { m_topic = &m_topics.at(index); }
    void leave(Record) { }

private:
    BigEndianWriter &m_out;
    const QList<HelpTopic> &m_topics;
    const HelpTopic *m_topic = nullptr;
};

} // namespace

namespace HelpFile {

const char *fieldName(Field field)
{
    switch (field) {
    case Field::TopicCount:
        return "topic count";
    case Field::Id:
        return "id";
    case Field::Header:
        return "header";
    case Field::Body:
        return "body";
    }
    return "";
}

ReadResult read(QIODevice *device, QList<HelpTopic> &topics)
{
    TopicBuilder builder(topics);
    return readInTwoPasses(
        device, Magic, [](auto &visit) { return walk(visit); }, builder);
}

bool write(QIODevice *device, const QList<HelpTopic> &topics)
{
    BigEndianWriter writer(device);
    writer.writeInt32(Magic);
    TopicWriter visit(writer, topics);
    walk(visit);
    return writer.finish();
}

} // namespace HelpFile

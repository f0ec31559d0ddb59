#include "tradeskill/tradeskillfile.h"

#include "common/bigendianwriter.h"
#include "common/binaryreader.h"
#include "common/debuglog.h"
#include "common/heapreserve.h"
#include "common/stringpool.h"

#include <QIODevice>

#include <optional>

namespace {

using TradeskillFile::Field;
using TradeskillFile::Record;

// The building pass: fills each record as its fields come, logs each line
// once the fields it shows are read, and appends a record once it is whole.
class GroupBuilder
{
public:
    GroupBuilder(QList<ProcGroup> &groups, CountWord countWord)
        : m_groups(groups)
        , m_countWord(countWord)
    {
    }

    void prepare(int wholeGroups, qint64 wholeBytes)
    {
        m_wholeGroups = wholeGroups;
        // The groups built take about 1.4 times their bytes in the file.
        m_room.emplace(wholeBytes / 2 * 3);
    }
    void setReader(BinaryReader &in) { m_in = &in; }

    bool count(Field field, int &n)
    {
        quint16 value;
        if (!m_in->readUInt16(value))
            return false;
        n = value;
        switch (field) {
        case Field::GroupCount:
            VORRAK_DEBUG("%s: %d", m_countWord == CountWord::ProcGroups ? "ProcGroups" : "Groups", n);
            n = m_wholeGroups;
            m_groups.reserve(m_groups.size() + n);
            break;
        case Field::ProcCount:
            VORRAK_DEBUG("  + Procs: %d", n);
            m_group.procs.reserve(n);
            break;
        default:
            VORRAK_DEBUG("      + Reqs: %d", n);
            m_proc.reqs.reserve(n);
            break;
        }
        return true;
    }

    bool text(Field field)
    {
        switch (field) {
        case Field::GroupName:
            if (!m_in->readString(m_group.name, &m_pool))
                return false;
            VORRAK_DEBUG("* Group #%d: %s", m_groupIndex, latin1Form(m_group.name).constData());
            return true;
        case Field::ProcName:
            if (!m_in->readString(m_proc.name, &m_pool))
                return false;
            VORRAK_DEBUG("    * Proc #%d: %s", m_procIndex, latin1Form(m_proc.name).constData());
            return true;
        case Field::ReqName:
            return m_in->readString(m_req.name, &m_pool);
        default:
            return m_in->readString(m_req.multiplier, &m_pool);
        }
    }

    bool byte(Field field)
    {
        switch (field) {
        case Field::MaxQL:
            return m_in->readUInt8(m_proc.maxQL);
        case Field::MinQL:
            if (!m_in->readUInt8(m_proc.minQL))
                return false;
            VORRAK_DEBUG("      (Max QL: %d, Min QL: %d)", int(m_proc.maxQL), int(m_proc.minQL));
            return true;
        default:
            return m_in->readUInt8(m_req.t);
        }
    }

    bool int32(Field)
    {
        if (!m_in->readInt32(m_req.id))
            return false;
        VORRAK_DEBUG("        * Req #%d: %s - x%s (t=%d) (id=%d)", m_reqIndex, latin1Form(m_req.name).constData(),
                     latin1Form(m_req.multiplier).constData(), int(m_req.t), int(m_req.id));
        return true;
    }

    void enter(Record record, int index)
    {
        switch (record) {
        case Record::Group:
            m_group = ProcGroup();
            m_groupIndex = index;
            break;
        case Record::Proc:
            m_proc = Proc();
            m_procIndex = index;
            break;
        case Record::Req:
            // Every field of a requirement is read before it is appended.
            m_reqIndex = index;
            break;
        }
    }

    void leave(Record record)
    {
        switch (record) {
        case Record::Group:
            m_groups.append(std::move(m_group));
            break;
        case Record::Proc:
            m_group.procs.append(std::move(m_proc));
            break;
        case Record::Req:
            m_proc.reqs.append(std::move(m_req));
            break;
        }
    }

private:
    QList<ProcGroup> &m_groups;
    const CountWord m_countWord;
    BinaryReader *m_in = nullptr;
    int m_wholeGroups = 0;
    std::optional<HeapReserve> m_room;
    // Names and multipliers repeat throughout a file: each distinct one is kept once.
    StringPool m_pool;
    ProcGroup m_group;
    Proc m_proc;
    Req m_req;
    int m_groupIndex = 0;
    int m_procIndex = 0;
    int m_reqIndex = 0;
};

// The writer: logs each line just before the fields it shows, with the
// reader's texts, so that saving logs what loading the result does.
class GroupWriter
{
public:
    GroupWriter(BigEndianWriter &out, const QList<ProcGroup> &groups)
        : m_out(out)
        , m_groups(groups)
        , m_log(vorrakDebugEnabled())
    {
    }

    bool count(Field field, int &n)
    {
        switch (field) {
        case Field::GroupCount:
            n = int(m_groups.size());
            if (m_log)
                vorrakDebugLine("Groups: %d", n);
            break;
        case Field::ProcCount:
            n = int(m_group->procs.size());
            if (m_log)
                vorrakDebugLine("  + Procs: %d", n);
            break;
        default:
            n = int(m_proc->reqs.size());
            if (m_log)
                vorrakDebugLine("      + Reqs: %d", n);
            break;
        }
        m_out.writeInt16(qint16(n));
        return true;
    }

    bool text(Field field)
    {
        switch (field) {
        case Field::GroupName:
            if (m_log)
                vorrakDebugLine("* Group #%d: %s", m_groupIndex, latin1Form(m_group->name).constData());
            m_out.writeString(m_group->name);
            break;
        case Field::ProcName:
            if (m_log)
                vorrakDebugLine("    * Proc #%d: %s", m_procIndex, latin1Form(m_proc->name).constData());
            m_out.writeString(m_proc->name);
            break;
        case Field::ReqName:
            if (m_log)
                vorrakDebugLine("        * Req #%d: %s - x%s (t=%d) (id=%d)", m_reqIndex,
                                latin1Form(m_req->name).constData(), latin1Form(m_req->multiplier).constData(),
                                int(m_req->t), int(m_req->id));
            m_out.writeString(m_req->name);
            break;
        default:
            m_out.writeString(m_req->multiplier);
            break;
        }
        return true;
    }

    bool byte(Field field)
    {
        switch (field) {
        case Field::MaxQL:
            if (m_log)
                vorrakDebugLine("      (Max QL: %d, Min QL: %d)", int(m_proc->maxQL), int(m_proc->minQL));
            m_out.writeInt8(qint8(m_proc->maxQL));
            break;
        case Field::MinQL:
            m_out.writeInt8(qint8(m_proc->minQL));
            break;
        default:
            m_out.writeInt8(qint8(m_req->t));
            break;
        }
        return true;
    }

    bool int32(Field)
    {
        m_out.writeInt32(m_req->id);
        return true;
    }

    void enter(Record record, int index)
    {
        switch (record) {
        case Record::Group:
            m_group = &m_groups.at(index);
            m_groupIndex = index;
            break;
        case Record::Proc:
            m_proc = &m_group->procs.at(index);
            m_procIndex = index;
            break;
        case Record::Req:
            m_req = &m_proc->reqs.at(index);
            m_reqIndex = index;
            break;
        }
    }

    void leave(Record) { }

private:
    BigEndianWriter &m_out;
    const QList<ProcGroup> &m_groups;
    const bool m_log;
    const ProcGroup *m_group = nullptr;
    const Proc *m_proc = nullptr;
    const Req *m_req = nullptr;
    int m_groupIndex = 0;
    int m_procIndex = 0;
    int m_reqIndex = 0;
};

} // namespace

namespace TradeskillFile {

const char *fieldName(Field field)
{
    switch (field) {
    case Field::GroupCount:
        return "group count";
    case Field::GroupName:
    case Field::ProcName:
    case Field::ReqName:
        return "name";
    case Field::ProcCount:
        return "process count";
    case Field::MaxQL:
        return "Max QL";
    case Field::MinQL:
        return "Min QL";
    case Field::ReqCount:
        return "requirement count";
    case Field::Multiplier:
        return "multiplier";
    case Field::T:
        return "t";
    case Field::Id:
        return "id";
    }
    return "";
}

ReadResult read(QIODevice *device, QList<ProcGroup> &groups, CountWord countWord)
{
    GroupBuilder builder(groups, countWord);
    return readInTwoPasses(
        device, Magic, [](auto &visit) { return walk(visit); }, builder);
}

bool write(QIODevice *device, const QList<ProcGroup> &groups)
{
    BigEndianWriter writer(device);
    writer.writeInt32(Magic);
    GroupWriter visit(writer, groups);
    walk(visit);
    return writer.finish();
}

bool exceedsFormatLimits(const QList<ProcGroup> &groups)
{
    if (groups.size() > MaxListSize)
        return true;
    for (const ProcGroup &group : groups) {
        if (group.procs.size() > MaxListSize)
            return true;
        for (const Proc &proc : group.procs) {
            if (proc.reqs.size() > MaxListSize)
                return true;
        }
    }
    return false;
}

} // namespace TradeskillFile

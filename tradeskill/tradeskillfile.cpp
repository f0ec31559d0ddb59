#include "tradeskill/tradeskillfile.h"

#include "common/bigendianwriter.h"
#include "common/binaryreader.h"
#include "common/debuglog.h"
#include "common/heapreserve.h"
#include "common/stringpool.h"

#include <QIODevice>

namespace {

bool readReq(BinaryReader &in, StringPool &pool, int index, Req &req)
{
    if (!in.readString(req.name, &pool) || !in.readString(req.multiplier, &pool) || !in.readUInt8(req.t)
        || !in.readInt32(req.id))
        return false;
    VORRAK_DEBUG("        * Req #%d: %s - x%s (t=%d) (id=%d)", index, latin1Form(req.name).constData(),
                 latin1Form(req.multiplier).constData(), int(req.t), int(req.id));
    return true;
}

bool readProc(BinaryReader &in, StringPool &pool, int index, Proc &proc)
{
    if (!in.readString(proc.name, &pool))
        return false;
    VORRAK_DEBUG("    * Proc #%d: %s", index, latin1Form(proc.name).constData());
    quint16 reqCount;
    if (!in.readUInt8(proc.maxQL) || !in.readUInt8(proc.minQL))
        return false;
    VORRAK_DEBUG("      (Max QL: %d, Min QL: %d)", int(proc.maxQL), int(proc.minQL));
    if (!in.readUInt16(reqCount))
        return false;
    VORRAK_DEBUG("      + Reqs: %d", int(reqCount));
    proc.reqs.reserve(reqCount);
    for (int k = 0; k < reqCount; ++k) {
        Req req;
        if (!readReq(in, pool, k, req))
            return false;
        proc.reqs.append(std::move(req));
    }
    return true;
}

bool readGroup(BinaryReader &in, StringPool &pool, int index, ProcGroup &group)
{
    if (!in.readString(group.name, &pool))
        return false;
    VORRAK_DEBUG("* Group #%d: %s", index, latin1Form(group.name).constData());
    quint16 procCount;
    if (!in.readUInt16(procCount))
        return false;
    VORRAK_DEBUG("  + Procs: %d", int(procCount));
    group.procs.reserve(procCount);
    for (int j = 0; j < procCount; ++j) {
        Proc proc;
        if (!readProc(in, pool, j, proc))
            return false;
        group.procs.append(std::move(proc));
    }
    return true;
}

// Checks the file's structure from the group count on and returns how many
// groups are complete; `complete` tells whether all of them are, and
// `wholeEnd` is the position where the last complete group ends.
int scanGroups(BinaryReader &in, bool &complete, qint64 &wholeEnd)
{
    complete = false;
    wholeEnd = in.position();
    quint16 groupCount;
    if (!in.readUInt16(groupCount))
        return 0;
    for (int i = 0; i < groupCount; ++i) {
        quint16 procCount;
        if (!in.skipString() || !in.readUInt16(procCount))
            return i;
        for (int j = 0; j < procCount; ++j) {
            quint16 reqCount;
            // Name, Max QL and Min QL, requirement count.
            if (!in.skipString() || !in.skipBytes(2) || !in.readUInt16(reqCount))
                return i;
            for (int k = 0; k < reqCount; ++k) {
                // Name, multiplier, t and id.
                if (!in.skipString() || !in.skipString() || !in.skipBytes(1 + 4))
                    return i;
            }
        }
        wholeEnd = in.position();
    }
    complete = true;
    return groupCount;
}

} // namespace

namespace TradeskillFile {

ReadResult read(QIODevice *device, QList<ProcGroup> &groups, const char *countFormat)
{
    const qint64 start = device->pos();
    int wholeGroups;
    bool complete;
    qint64 wholeEnd;
    {
        BinaryReader scan(device);
        qint32 magic = 0;
        if (!scan.readInt32(magic) || magic != Magic)
            return ReadResult::BadMagic;
        wholeGroups = scanGroups(scan, complete, wholeEnd);
    }
    // The groups built take about 1.4 times their bytes in the file.
    const HeapReserve room((wholeEnd - start) / 2 * 3);
    if (!device->seek(start))
        return ReadResult::Damaged;

    BinaryReader in(device);
    qint32 magic = 0;
    quint16 groupCount;
    if (!in.readInt32(magic) || magic != Magic || !in.readUInt16(groupCount))
        return ReadResult::Damaged;
    VORRAK_DEBUG(countFormat, int(groupCount));
    // Only the groups the first pass found whole are read, so every count
    // below is backed by its records and each list is reserved at its size.
    groupCount = quint16(wholeGroups);
    groups.reserve(groups.size() + groupCount);
    // Names and multipliers repeat throughout a file: each distinct one is kept once.
    StringPool pool;
    for (int i = 0; i < groupCount; ++i) {
        ProcGroup group;
        if (!readGroup(in, pool, i, group))
            return ReadResult::Damaged;
        groups.append(std::move(group));
    }
    return complete ? ReadResult::Ok : ReadResult::Damaged;
}

bool write(QIODevice *device, const QList<ProcGroup> &groups)
{
    BigEndianWriter writer(device);
    const bool log = vorrakDebugEnabled();
    writer.writeInt32(Magic);
    if (log)
        vorrakDebugLine("Groups: %d", int(groups.size()));
    writer.writeInt16(qint16(groups.size()));
    for (int i = 0; i < groups.size(); ++i) {
        const ProcGroup &group = groups.at(i);
        if (log)
            vorrakDebugLine("* Group #%d: %s", i, latin1Form(group.name).constData());
        writer.writeString(group.name);
        if (log)
            vorrakDebugLine("  + Procs: %d", int(group.procs.size()));
        writer.writeInt16(qint16(group.procs.size()));
        for (int j = 0; j < group.procs.size(); ++j) {
            const Proc &proc = group.procs.at(j);
            if (log) {
                vorrakDebugLine("    * Proc #%d: %s", j, latin1Form(proc.name).constData());
                vorrakDebugLine("      (Max QL: %d, Min QL: %d)", int(proc.maxQL), int(proc.minQL));
            }
            writer.writeString(proc.name);
            writer.writeInt8(qint8(proc.maxQL));
            writer.writeInt8(qint8(proc.minQL));
            if (log)
                vorrakDebugLine("      + Reqs: %d", int(proc.reqs.size()));
            writer.writeInt16(qint16(proc.reqs.size()));
            for (int k = 0; k < proc.reqs.size(); ++k) {
                const Req &req = proc.reqs.at(k);
                if (log)
                    vorrakDebugLine("        * Req #%d: %s - x%s (t=%d) (id=%d)", k, latin1Form(req.name).constData(),
                                    latin1Form(req.multiplier).constData(), int(req.t), int(req.id));
                writer.writeString(req.name);
                writer.writeString(req.multiplier);
                writer.writeInt8(qint8(req.t));
                writer.writeInt32(req.id);
            }
        }
    }
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

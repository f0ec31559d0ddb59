#pragma once

#include "common/fieldwalk.h"
#include "common/fileformat.h"
#include "common/storefile.h"
#include "tradeskill/procgroup.h"

#include <QList>

class QIODevice;

// The word of the group count line a program logs when loading the data
// file: the calculator's "ProcGroups: %d" or the editor's "Groups: %d".
enum class CountWord { Groups, ProcGroups };

// The binary format of Vorrak.dat: a magic number, then the groups depth
// first. Reading and writing work on devices so that tests and fuzzers can
// use memory buffers; TradeskillData adds the file path and the messages.
namespace TradeskillFile {

constexpr qint32 Magic = 0x2AE510A4;
constexpr int MaxListSize = 0xFFFF;

enum class Record { Group, Proc, Req };
constexpr RecordName RecordNames[] = {{"group", "groups"}, {"process", "processes"}, {"requirement", "requirements"}};
inline RecordName recordName(Record record)
{
    return RecordNames[int(record)];
}

constexpr FileFormat Format{Magic, "Vorrak.dat", "data file", RecordNames, std::size(RecordNames)};

enum class Field { GroupCount, GroupName, ProcCount, ProcName, MaxQL, MinQL, ReqCount, ReqName, Multiplier, T, Id };
// "group count", "name", "Max QL", ...: a field as a message names it.
const char *fieldName(Field field);

// The file after the magic number, field by field (see common/fieldwalk.h).
template <typename Visitor>
bool walk(Visitor &visit)
{
    int groupCount;
    if (!visit.count(Field::GroupCount, groupCount))
        return false;
    for (int i = 0; i < groupCount; ++i) {
        visit.enter(Record::Group, i);
        int procCount;
        if (!visit.text(Field::GroupName) || !visit.count(Field::ProcCount, procCount))
            return false;
        for (int j = 0; j < procCount; ++j) {
            visit.enter(Record::Proc, j);
            int reqCount;
            if (!visit.text(Field::ProcName) || !visit.byte(Field::MaxQL) || !visit.byte(Field::MinQL)
                || !visit.count(Field::ReqCount, reqCount))
                return false;
            for (int k = 0; k < reqCount; ++k) {
                visit.enter(Record::Req, k);
                if (!visit.text(Field::ReqName) || !visit.text(Field::Multiplier) || !visit.byte(Field::T)
                    || !visit.int32(Field::Id))
                    return false;
                visit.leave(Record::Req);
            }
            visit.leave(Record::Proc);
        }
        visit.leave(Record::Group);
    }
    return true;
}

// Appends the groups read from `device` to `groups`. The whole file is
// checked first, without building anything; on damage only the groups before
// the one in which the damage lies are built.
// `countWord` names the group count line.
ReadResult read(QIODevice *device, QList<ProcGroup> &groups, CountWord countWord);

// Writes the magic and all groups to `device`, with the progress lines;
// false if a write failed.
bool write(QIODevice *device, const QList<ProcGroup> &groups);

// True if some list is longer than the 16-bit counts can hold.
bool exceedsFormatLimits(const QList<ProcGroup> &groups);

} // namespace TradeskillFile

#include "tests/support/fixtures.h"

#include "common/binaryfilewriter.h"
#include "help/helpdata.h"
#include "help/helpfile.h"
#include "tests/support/scratchdir.h"
#include "tradeskill/tradeskilldata.h"
#include "tradeskill/tradeskillfile.h"

#include <QIODevice>

namespace {

// The header has the same size whatever the count, so the image of the first
// n records ends where record n - 1 ends in the whole file.
template<typename Record>
qsizetype wholeRecords(const QList<Record> &records, qsizetype size,
                       QByteArray (*fileBytes)(const QList<Record> &))
{
    qsizetype count = 0;
    while (count < records.size() && fileBytes(records.mid(0, count + 1)).size() <= size)
        ++count;
    return count;
}

} // namespace

Req makeReq(const QString &name, const QString &multiplier, int t, qint32 id)
{
    return Req{name, multiplier, quint8(t), id};
}

Proc makeProc(const QString &name, int maxQL, int minQL, const QList<Req> &reqs)
{
    return Proc{name, quint8(maxQL), quint8(minQL), reqs};
}

ProcGroup makeGroup(const QString &name, const QList<Proc> &procs)
{
    return ProcGroup{name, procs};
}

QList<ProcGroup> richGroups()
{
    Proc blade{QStringLiteral("Blade"), 200, 1, {}};
    blade.reqs = {makeReq(QStringLiteral("Hammer"), QStringLiteral("0"), 0, 1234),
                  makeReq(QStringLiteral("Smithing"), QStringLiteral("1.25"), 1, 0),
                  makeReq(QStringLiteral("Iron bar"), QStringLiteral("0.5"), 0, -7),
                  makeReq(QString(), QString(), 200, 2147483647)};
    Proc crown{QStringLiteral("Crown"), 255, 255, {makeReq(QStringLiteral(""), QStringLiteral("2"), 1, -2147483647 - 1)}};
    Proc empty{QString(), 128, 0, {}};

    ProcGroup smithing{QStringLiteral("Smithing"), {blade, crown, empty}};
    ProcGroup nothing{QString(), {}};
    ProcGroup runes{QStringLiteral("Rünen ✓ 漢字 😀"),
                    {Proc{QStringLiteral("Ærø"), 10, 9,
                          {makeReq(QStringLiteral("Ink \"black\""), QStringLiteral(" 2x"), 1, 42)}}}};
    ProcGroup blank{QStringLiteral(""), {Proc{QStringLiteral("One"), 1, 1, {}}}};
    return {smithing, nothing, runes, blank};
}

QList<HelpTopic> richTopics()
{
    return {HelpTopic{QStringLiteral("1"), QStringLiteral("Welcome"), QStringLiteral("<b>Hello</b><br>world")},
            HelpTopic{QStringLiteral("1.1"), QStringLiteral("Details"), QString()},
            HelpTopic{QString(), QStringLiteral(""), QStringLiteral("")},
            HelpTopic{QStringLiteral("2"), QStringLiteral("Ümlaut ✓ 漢字 😀"), QStringLiteral("<ul><li>one</li></ul>")}};
}

QByteArray dataFileBytes(const QList<ProcGroup> &groups)
{
    return BinaryFileWriter::inMemory([&groups](QIODevice *device) { return TradeskillFile::write(device, groups); });
}

QByteArray helpFileBytes(const QList<HelpTopic> &topics)
{
    return BinaryFileWriter::inMemory([&topics](QIODevice *device) { return HelpFile::write(device, topics); });
}

qsizetype wholeGroups(const QList<ProcGroup> &groups, qsizetype size)
{
    return wholeRecords(groups, size, dataFileBytes);
}

qsizetype wholeTopics(const QList<HelpTopic> &topics, qsizetype size)
{
    return wholeRecords(topics, size, helpFileBytes);
}

bool writeDataFile(const QList<ProcGroup> &groups)
{
    return writeFile(QStringLiteral("Vorrak.dat"), dataFileBytes(groups));
}

bool writeHelpFile(const QList<HelpTopic> &topics)
{
    return writeFile(QStringLiteral("Vorrak.hlp"), helpFileBytes(topics));
}

QList<ProcGroup> readDataFile()
{
    TradeskillData data;
    static_cast<void>(data.load());
    return data.procGrps();
}

QList<HelpTopic> readHelpFile()
{
    HelpData help;
    static_cast<void>(help.load());
    return help.topics();
}

QStringList topicIds(const QList<HelpTopic> &topics)
{
    QStringList ids;
    for (const HelpTopic &topic : topics)
        ids.append(topic.id);
    return ids;
}

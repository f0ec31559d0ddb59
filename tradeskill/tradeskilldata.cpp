#include "tradeskill/tradeskilldata.h"

#include "common/debuglog.h"
#include "tradeskill/tradeskillfile.h"

using TradeskillFile::Format;

TradeskillData::TradeskillData(CountWord countWord)
    : m_countWord(countWord)
    , m_file(Format.fileName, Format.what, Format.record())
{
}

QString TradeskillData::filePath()
{
    return StoreFile::inCurrentDirectory(QLatin1String(Format.fileName));
}

LoadResult TradeskillData::load()
{
    const LoadResult result = m_file.load([this](QIODevice *device, qsizetype &records) {
        // Built aside: running out of memory midway leaves the store empty.
        QList<ProcGroup> groups;
        const ReadResult read = TradeskillFile::read(device, groups, m_countWord);
        m_procGrps = std::move(groups);
        records = m_procGrps.size();
        return read;
    });
    if (result.status() == LoadStatus::Loaded)
        VORRAK_DEBUG("Finished loading data file");
    return result;
}

StoreFile::Writer TradeskillData::writer() const
{
    return [this](QIODevice *device) { return TradeskillFile::write(device, m_procGrps); };
}

Result<> TradeskillData::fitsFormat() const
{
    if (TradeskillFile::exceedsFormatLimits(m_procGrps))
        return Result<>::failure(QStringLiteral("a list holds more than 65535 entries"));
    return Result<>::ok();
}

SaveResult TradeskillData::save()
{
    return m_file.save(fitsFormat(), writer());
}

SaveResult TradeskillData::saveCopy(const QString &path) const
{
    return m_file.saveCopy(path, fitsFormat(), writer());
}

int TradeskillData::procGrpCount() const
{
    return int(m_procGrps.size());
}

QString TradeskillData::procGrpName(int grp) const
{
    if (grp < 0 || grp >= procGrpCount())
        return QStringLiteral("Unknown");
    return m_procGrps.at(grp).name;
}

int TradeskillData::procCount(int grp) const
{
    if (grp < 0 || grp >= procGrpCount())
        return -1;
    return int(m_procGrps.at(grp).procs.size());
}

Proc TradeskillData::proc(int grp, int p) const
{
    if (p < 0 || p >= procCount(grp)) {
        Proc unknown;
        unknown.name = QStringLiteral("Unknown");
        unknown.maxQL = 255;
        unknown.minQL = 255;
        return unknown;
    }
    return m_procGrps.at(grp).procs.at(p);
}

int TradeskillData::reqCount(int grp, int p) const
{
    if (p < 0 || p >= procCount(grp))
        return -1;
    return int(m_procGrps.at(grp).procs.at(p).reqs.size());
}

Req TradeskillData::req(int grp, int p, int r) const
{
    if (r < 0 || r >= reqCount(grp, p)) {
        Req unknown;
        unknown.name = QStringLiteral("Unknown");
        unknown.multiplier = QStringLiteral("-1");
        return unknown;
    }
    return m_procGrps.at(grp).procs.at(p).reqs.at(r);
}

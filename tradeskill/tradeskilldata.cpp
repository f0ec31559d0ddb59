#include "tradeskilldata.h"

#include "binaryfilewriter.h"
#include "debuglog.h"
#include "tradeskillfile.h"

#include <QDir>
#include <QFile>

TradeskillData::TradeskillData(Settings settings)
    : m_settings(std::move(settings))
{
}

TradeskillData::~TradeskillData() = default;

QString TradeskillData::filePath()
{
    return QDir::currentPath() + QLatin1String("/Vorrak.dat");
}

TradeskillData::LoadStatus TradeskillData::load()
{
    const QString path = filePath();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return LoadStatus::Missing;

    switch (TradeskillFile::read(&file, m_procGrps, m_settings.countFormat)) {
    case TradeskillFile::ReadResult::BadMagic:
        qWarning("BAD MAGIC NUMBER!");
        if (m_settings.showMessage)
            m_settings.showMessage(QStringLiteral("Unable to load data file: Format not recognized"));
        return LoadStatus::BadMagic;
    case TradeskillFile::ReadResult::Damaged:
        qWarning("Data file %s is damaged", qPrintable(QDir::toNativeSeparators(path)));
        if (m_settings.showMessage)
            m_settings.showMessage(QStringLiteral("Unable to load data file: File is damaged"));
        return LoadStatus::Damaged;
    case TradeskillFile::ReadResult::Ok:
        break;
    }
    VORRAK_DEBUG("Finished loading data file");
    return LoadStatus::Loaded;
}

bool TradeskillData::save() const
{
    BinaryFileWriter writer(filePath(), QStringLiteral("data file"), m_settings.showMessage);
    if (TradeskillFile::exceedsFormatLimits(m_procGrps)) {
        writer.reportFailure(QStringLiteral("a list holds more than 65535 entries"));
        return false;
    }
    const bool written = writer.write([this](QDataStream &out) {
        VORRAK_DEBUG("Saving data file...");
        TradeskillFile::write(out, m_procGrps);
    });
    if (!written)
        return false;
    VORRAK_DEBUG("Finished saving data file");
    return true;
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

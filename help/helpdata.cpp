#include "help/helpdata.h"

#include "common/debuglog.h"
#include "help/helpfile.h"

using HelpFile::Format;

HelpData::HelpData()
    : m_file(Format.fileName, Format.what, Format.record())
{
}

QString HelpData::filePath()
{
    return StoreFile::inCurrentDirectory(QLatin1String(Format.fileName));
}

LoadResult HelpData::load()
{
    const LoadResult result = m_file.load([this](QIODevice *device, qsizetype &records) {
        // Built aside: running out of memory midway leaves the store empty.
        QList<HelpTopic> topics;
        const ReadResult read = HelpFile::read(device, topics);
        m_topics = std::move(topics);
        records = m_topics.size();
        return read;
    });
    // The topics before a damage are shown: the load has finished with them.
    if (result.status() == LoadStatus::Loaded || result.status() == LoadStatus::Damaged)
        VORRAK_DEBUG("Finished loading help file");
    return result;
}

StoreFile::Writer HelpData::writer() const
{
    return [this](QIODevice *device) { return HelpFile::write(device, m_topics); };
}

Result<> HelpData::fitsFormat() const
{
    if (m_topics.size() > HelpFile::MaxTopics)
        return Result<>::failure(QStringLiteral("more than 65535 topics"));
    return Result<>::ok();
}

SaveResult HelpData::save()
{
    return m_file.save(fitsFormat(), writer());
}

SaveResult HelpData::saveCopy(const QString &path) const
{
    return m_file.saveCopy(path, fitsFormat(), writer());
}

QString HelpData::header(int i) const
{
    if (i < 0 || i >= count())
        return QStringLiteral("* Header Missing *");
    return m_topics.at(i).header;
}

QString HelpData::body(int i) const
{
    if (i < 0 || i >= count())
        return QStringLiteral("<center><b>* Header Missing *</b></center>");
    return m_topics.at(i).body;
}

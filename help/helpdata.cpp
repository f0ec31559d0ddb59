#include "helpdata.h"

#include "binaryfilewriter.h"
#include "debuglog.h"
#include "helpfile.h"

#include <QDir>
#include <QFile>

HelpData::HelpData(MessageHandler showMessage)
    : m_showMessage(std::move(showMessage))
{
}

QString HelpData::filePath()
{
    return QDir::currentPath() + QLatin1String("/Vorrak.hlp");
}

HelpData::LoadStatus HelpData::load()
{
    const QString path = filePath();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return LoadStatus::Missing;

    LoadStatus status = LoadStatus::Loaded;
    switch (HelpFile::read(&file, m_topics)) {
    case HelpFile::ReadResult::BadMagic:
        qWarning("BAD MAGIC NUMBER!");
        if (m_showMessage)
            m_showMessage(QStringLiteral("Unable to load help file: Format not recognized"));
        return LoadStatus::BadMagic;
    case HelpFile::ReadResult::Damaged:
        qWarning("Help file %s is damaged", qPrintable(QDir::toNativeSeparators(path)));
        if (m_showMessage)
            m_showMessage(QStringLiteral("Unable to load help file: File is damaged"));
        status = LoadStatus::Damaged;
        break;
    case HelpFile::ReadResult::Ok:
        break;
    }
    VORRAK_DEBUG("Finished loading help file");
    return status;
}

bool HelpData::save() const
{
    BinaryFileWriter writer(filePath(), QStringLiteral("help file"), m_showMessage);
    if (m_topics.size() > HelpFile::MaxTopics) {
        writer.reportFailure(QStringLiteral("more than 65535 topics"));
        return false;
    }
    const bool written = writer.write([this](QDataStream &out) {
        VORRAK_DEBUG("Saving help file...");
        HelpFile::write(out, m_topics);
    });
    if (!written)
        return false;
    VORRAK_DEBUG("Finished saving help file");
    return true;
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

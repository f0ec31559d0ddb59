#include "tests/support/storeundertest.h"

#include "help/helpdata.h"
#include "tests/support/fixtures.h"
#include "tests/support/scratchdir.h"
#include "tradeskill/tradeskilldata.h"

#include <QDir>
#include <QTest>

void StoreUnderTest::addKindColumn()
{
    QTest::addColumn<QString>("kind");
}

void StoreUnderTest::addKindRows()
{
    addKindColumn();
    for (const QString &kind : kinds())
        QTest::newRow(qPrintable(kind + QStringLiteral(" file"))) << kind;
}

void StoreUnderTest::addKindRows(const char *column, const QStringList &cases)
{
    addKindColumn();
    QTest::addColumn<QString>(column);
    for (const QString &kind : kinds()) {
        for (const QString &name : cases)
            newRow(kind, name) << name;
    }
}

QTestData &StoreUnderTest::newRow(const QString &kind, const QString &name)
{
    return QTest::newRow(qPrintable(QStringLiteral("%1 file, %2").arg(kind, name))) << kind;
}

StoreUnderTest::StoreUnderTest(const QString &kind)
{
    if (kind == QLatin1String("data"))
        m_data = std::make_unique<TradeskillData>();
    else
        m_help = std::make_unique<HelpData>();
}

StoreUnderTest::~StoreUnderTest() = default;

LoadResult StoreUnderTest::load()
{
    return m_data ? m_data->load() : m_help->load();
}

SaveResult StoreUnderTest::save()
{
    return m_data ? m_data->save() : m_help->save();
}

QString StoreUnderTest::fileName() const
{
    return m_data ? QStringLiteral("Vorrak.dat") : QStringLiteral("Vorrak.hlp");
}

QString StoreUnderTest::filePath() const
{
    return m_data ? TradeskillData::filePath() : HelpData::filePath();
}

QString StoreUnderTest::what() const
{
    return m_data ? QStringLiteral("data file") : QStringLiteral("help file");
}

QByteArray StoreUnderTest::magic() const
{
    return hexBytes(m_data ? "2A E5 10 A4" : "E9 A7 14 3D");
}

QString StoreUnderTest::countLine(int count) const
{
    return (m_data ? QStringLiteral("Groups: %1") : QStringLiteral("Topics: %1")).arg(count);
}

QString StoreUnderTest::finishedLoadingLine() const
{
    return QStringLiteral("Finished loading ") + what();
}

QString StoreUnderTest::finishedSavingLine() const
{
    return QStringLiteral("Finished saving ") + what();
}

QString StoreUnderTest::damagedLine() const
{
    return QStringLiteral("%1 file %2 is damaged")
        .arg(m_data ? QStringLiteral("Data") : QStringLiteral("Help"), QDir::toNativeSeparators(filePath()));
}

QString StoreUnderTest::damagedMessage(qsizetype kept) const
{
    const QString record = m_data ? QStringLiteral("group") : QStringLiteral("topic");
    QString read;
    if (kept == 0)
        read = QStringLiteral("No %1 was read before the damage.").arg(record);
    else if (kept == 1)
        read = QStringLiteral("1 %1 was read before the damage and is shown.").arg(record);
    else
        read = QStringLiteral("%1 %2s were read before the damage and are shown.").arg(kept).arg(record);
    return QStringLiteral("Unable to load %1: File is damaged.\n").arg(what()) + read;
}

QStringList StoreUnderTest::damagedTail() const
{
    QStringList tail{QStringLiteral("W: ") + damagedLine()};
    if (m_help)
        tail.append(QStringLiteral("D: ") + finishedLoadingLine());
    return tail;
}

qsizetype StoreUnderTest::size() const
{
    return m_data ? m_data->procGrps().size() : m_help->topics().size();
}

void StoreUnderTest::fill()
{
    if (m_data)
        m_data->procGrps() = richGroups();
    else
        m_help->topics() = richTopics();
}

QByteArray StoreUnderTest::fileBytes() const
{
    return m_data ? dataFileBytes(richGroups()) : helpFileBytes(richTopics());
}

qsizetype StoreUnderTest::wholeRecords(qsizetype bytes) const
{
    return m_data ? wholeGroups(richGroups(), bytes) : wholeTopics(richTopics(), bytes);
}

bool StoreUnderTest::holdsSample(qsizetype count) const
{
    return m_data ? m_data->procGrps() == richGroups().mid(0, count) : m_help->topics() == richTopics().mid(0, count);
}

void StoreUnderTest::fillEmpty(int count, int procs, int reqs)
{
    if (m_help) {
        m_help->topics().fill(HelpTopic{}, count);
        return;
    }
    Proc proc;
    proc.reqs.fill(Req{}, reqs);
    ProcGroup group;
    group.procs.fill(proc, procs);
    m_data->procGrps().fill(group, count);
}

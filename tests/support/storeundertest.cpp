#include "tests/support/storeundertest.h"

#include "bench/generatedstore.h"
#include "help/helpdata.h"
#include "help/helpfile.h"
#include "tests/support/fixtures.h"
#include "tests/support/scratchdir.h"
#include "tradeskill/tradeskilldata.h"
#include "tradeskill/tradeskillfile.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QtEndian>

// What a test does with a store of one kind.
class StoreUnderTest::Store
{
public:
    virtual ~Store() = default;
    virtual LoadResult load() = 0;
    virtual SaveResult save() = 0;
    virtual qsizetype size() const = 0;
    virtual void fill() = 0;
    virtual QByteArray fileBytes() const = 0;
    virtual qsizetype wholeRecords(qsizetype bytes) const = 0;
    virtual bool holdsSample(qsizetype count) const = 0;
    virtual void fillEmpty(int count, int procs, int reqs) = 0;
    virtual void fillGenerated(int scale) = 0;
    virtual QByteArray emptyFileBytes() const = 0;
    virtual bool writeSparseFile(QFile &file, qint64 bytes) const = 0;
};

// Each kind of store described once: its format, what its log and
// messages say beyond that, and its store.
struct StoreUnderTest::Kind
{
    const char *name; // the tests' kind column: "data"
    const FileFormat &format;
    const char *countWord; // of the count line it logs when loading: "Groups"
    bool finishesDamagedLoad; // whether it logs that it finished loading a damaged file
    int emptyRecordBytes; // of a record without content
    std::unique_ptr<Store> (*makeStore)();
};

namespace {

template <typename Integer>
QByteArray bigEndian(Integer value)
{
    QByteArray bytes(sizeof(Integer), '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

class DataStore final : public StoreUnderTest::Store
{
public:
    LoadResult load() override { return m_data.load(); }
    SaveResult save() override { return m_data.save(); }
    qsizetype size() const override { return m_data.procGrps().size(); }
    void fill() override { m_data.procGrps() = richGroups(); }
    QByteArray fileBytes() const override { return dataFileBytes(richGroups()); }
    qsizetype wholeRecords(qsizetype bytes) const override { return wholeGroups(richGroups(), bytes); }
    bool holdsSample(qsizetype count) const override { return m_data.procGrps() == richGroups().mid(0, count); }
    void fillEmpty(int count, int procs, int reqs) override
    {
        Proc proc;
        proc.reqs.fill(Req{}, reqs);
        ProcGroup group;
        group.procs.fill(proc, procs);
        m_data.procGrps().fill(group, count);
    }
    void fillGenerated(int scale) override { m_data.procGrps() = GeneratedStore::tradeskill(40 * scale, 20, 10); }
    QByteArray emptyFileBytes() const override { return dataFileBytes({}); }
    // One group of processes with 65,535 empty requirements each.
    bool writeSparseFile(QFile &file, qint64 bytes) const override
    {
        constexpr qint64 ProcBytes = 4 + 1 + 1 + 2 + 65535LL * 13; // a null name, QLs, the count, the requirements
        const int procs = int(bytes / ProcBytes);
        file.write(QByteArray::fromHex("2AE510A40001FFFFFFFF") + bigEndian(quint16(procs)));
        for (int j = 0; j < procs; ++j) {
            file.write(QByteArray::fromHex("FFFFFFFF0101FFFF"));
            file.seek(file.pos() + 65535LL * 13);
        }
        return file.resize(file.pos());
    }

private:
    TradeskillData m_data;
};

class HelpStore final : public StoreUnderTest::Store
{
public:
    LoadResult load() override { return m_help.load(); }
    SaveResult save() override { return m_help.save(); }
    qsizetype size() const override { return m_help.topics().size(); }
    void fill() override { m_help.topics() = richTopics(); }
    QByteArray fileBytes() const override { return helpFileBytes(richTopics()); }
    qsizetype wholeRecords(qsizetype bytes) const override { return wholeTopics(richTopics(), bytes); }
    bool holdsSample(qsizetype count) const override { return m_help.topics() == richTopics().mid(0, count); }
    void fillEmpty(int count, int, int) override { m_help.topics().fill(HelpTopic{}, count); }
    void fillGenerated(int scale) override { m_help.topics() = GeneratedStore::help(500 * scale, 800); }
    QByteArray emptyFileBytes() const override { return helpFileBytes({}); }
    // One topic with a long body.
    bool writeSparseFile(QFile &file, qint64 bytes) const override
    {
        // Magic, one topic: a null id, a null header and the body.
        const qint64 body = (bytes / 2) * 2;
        file.write(QByteArray::fromHex("E9A7143D0001FFFFFFFFFFFFFFFF") + bigEndian(quint32(body)));
        return file.resize(file.pos() + body);
    }

private:
    HelpData m_help;
};

template <typename StoreType>
std::unique_ptr<StoreUnderTest::Store> make()
{
    return std::make_unique<StoreType>();
}

const StoreUnderTest::Kind Kinds[] = {
    {"data", TradeskillFile::Format, "Groups", false, 6, make<DataStore>},
    {"help", HelpFile::Format, "Topics", true, 12, make<HelpStore>},
};

const StoreUnderTest::Kind &kindNamed(const QString &name)
{
    for (const StoreUnderTest::Kind &kind : Kinds) {
        if (name == QLatin1String(kind.name))
            return kind;
    }
    qFatal("no store of kind \"%s\"", qPrintable(name));
}

} // namespace

QStringList StoreUnderTest::kinds()
{
    QStringList names;
    for (const Kind &kind : Kinds)
        names.append(QLatin1String(kind.name));
    return names;
}

void StoreUnderTest::addKindColumn()
{
    QTest::addColumn<QString>("kind");
}

void StoreUnderTest::addKindRows()
{
    addKindColumn();
    for (const QString &kind : kinds())
        newRow(kind);
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

QTestData &StoreUnderTest::newRow(const QString &kind)
{
    return QTest::newRow(qPrintable(kind + QStringLiteral(" file"))) << kind;
}

QTestData &StoreUnderTest::newRow(const QString &kind, const QString &name)
{
    return QTest::newRow(qPrintable(QStringLiteral("%1 file, %2").arg(kind, name))) << kind;
}

StoreUnderTest::StoreUnderTest(const QString &kind)
    : m_kind(kindNamed(kind))
    , m_store(m_kind.makeStore())
{
}

StoreUnderTest::~StoreUnderTest() = default;

LoadResult StoreUnderTest::load()
{
    return m_store->load();
}

SaveResult StoreUnderTest::save()
{
    return m_store->save();
}

QString StoreUnderTest::fileName() const
{
    return QLatin1String(m_kind.format.fileName);
}

QString StoreUnderTest::filePath() const
{
    return StoreFile::inCurrentDirectory(fileName());
}

QString StoreUnderTest::what() const
{
    return QLatin1String(m_kind.format.what);
}

QByteArray StoreUnderTest::magic() const
{
    return bigEndian(m_kind.format.magic);
}

QString StoreUnderTest::countLine(int count) const
{
    return QStringLiteral("%1: %2").arg(QLatin1String(m_kind.countWord)).arg(count);
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
    QString capitalised = what();
    capitalised[0] = capitalised.at(0).toUpper();
    return QStringLiteral("%1 %2 is damaged").arg(capitalised, QDir::toNativeSeparators(filePath()));
}

QString StoreUnderTest::damagedMessage(qsizetype kept) const
{
    const QString record = QLatin1String(m_kind.format.record());
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
    if (m_kind.finishesDamagedLoad)
        tail.append(QStringLiteral("D: ") + finishedLoadingLine());
    return tail;
}

int StoreUnderTest::emptyRecordBytes() const
{
    return m_kind.emptyRecordBytes;
}

qsizetype StoreUnderTest::size() const
{
    return m_store->size();
}

void StoreUnderTest::fill()
{
    m_store->fill();
}

QByteArray StoreUnderTest::fileBytes() const
{
    return m_store->fileBytes();
}

qsizetype StoreUnderTest::wholeRecords(qsizetype bytes) const
{
    return m_store->wholeRecords(bytes);
}

bool StoreUnderTest::holdsSample(qsizetype count) const
{
    return m_store->holdsSample(count);
}

void StoreUnderTest::fillEmpty(int count, int procs, int reqs)
{
    m_store->fillEmpty(count, procs, reqs);
}

void StoreUnderTest::fillGenerated(int scale)
{
    m_store->fillGenerated(scale);
}

QByteArray StoreUnderTest::emptyFileBytes() const
{
    return m_store->emptyFileBytes();
}

bool StoreUnderTest::writeSparseFile(const QString &path, qint64 bytes) const
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && m_store->writeSparseFile(file, bytes);
}

// What Vorrak.dat and Vorrak.hlp have in common, each case run on both: a
// magic number and a 16-bit count, records read until the count is reached,
// and the one load/save path with its log lines and messages.
#include "tests/support/failingsave.h"
#include "tests/support/logcapture.h"
#include "tests/support/scratchdir.h"
#include "tests/support/storetest.h"
#include "tests/support/storeundertest.h"
#include "tests/support/unprivileged.h"

#include <QFile>
#include <QTest>

#include <algorithm>

namespace {

QByteArray emptyFile(const StoreUnderTest &store)
{
    return store.magic() + hexBytes("00 00");
}

bool endsWith(const QStringList &lines, const QStringList &tail)
{
    return lines.size() >= tail.size() && lines.mid(lines.size() - tail.size()) == tail;
}

} // namespace

class TestStoreFiles : public StoreTest
{
    Q_OBJECT

private slots:
    void missingFileIsSilent_data() { StoreUnderTest::addKindRows(); }

    void missingFileIsSilent()
    {
        QFETCH(QString, kind);
        StoreUnderTest store(kind);
        LogCapture log;
        QCOMPARE(load(store), LoadStatus::Missing);
        QCOMPARE(store.size(), 0);
        QVERIFY(log.allLines().isEmpty());
        QVERIFY(m_messages.isEmpty());
    }

    void emptyFileBothWays_data() { StoreUnderTest::addKindRows(); }

    void emptyFileBothWays()
    {
        QFETCH(QString, kind);
        StoreUnderTest store(kind);
        QVERIFY(m_dir->write(store.fileName(), emptyFile(store)));
        {
            LogCapture log;
            QCOMPARE(load(store), LoadStatus::Loaded);
            QCOMPARE(log.debugLines(), QStringList({store.countLine(0), store.finishedLoadingLine()}));
        }
        QCOMPARE(store.size(), 0);
        QVERIFY(QFile::remove(m_dir->filePath(store.fileName())));
        QVERIFY(save(store));
        QCOMPARE(m_dir->read(store.fileName()), emptyFile(store));
    }

    void saveLoadRoundTrip_data() { StoreUnderTest::addKindRows(); }

    void saveLoadRoundTrip()
    {
        QFETCH(QString, kind);
        StoreUnderTest store(kind);
        store.fill();
        QVERIFY(save(store));
        const QByteArray first = m_dir->read(store.fileName());
        QCOMPARE(first, store.fileBytes());

        StoreUnderTest loaded(kind);
        QCOMPARE(load(loaded), LoadStatus::Loaded);
        QVERIFY(loaded.holdsSample());
        QVERIFY(save(loaded));
        QCOMPARE(m_dir->read(store.fileName()), first);
        QVERIFY(m_messages.isEmpty());
    }

    void trailingBytesIgnored_data()
    {
        StoreUnderTest::addKindColumn();
        QTest::addColumn<QByteArray>("trailer");
        for (const QString &kind : StoreUnderTest::kinds()) {
            StoreUnderTest::newRow(kind, QStringLiteral("junk")) << hexBytes("DE AD BE EF FF FF FF FF 01");
            StoreUnderTest::newRow(kind, QStringLiteral("a record's start")) << hexBytes("00 00 00 07 FF");
        }
    }

    void trailingBytesIgnored()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, trailer);
        StoreUnderTest store(kind);
        QVERIFY(m_dir->write(store.fileName(), store.fileBytes() + trailer));
        LogCapture log;
        QCOMPARE(load(store), LoadStatus::Loaded);
        QVERIFY(store.holdsSample());
        QVERIFY(log.warningLines().isEmpty());
        QCOMPARE(log.debugLines().last(), store.finishedLoadingLine());
        QVERIFY(m_messages.isEmpty());
    }

    void unreadableContentIsReported_data()
    {
        StoreUnderTest::addKindColumn();
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<LoadStatus>("status");
        QTest::addColumn<int>("kept");
        const auto row = [](const QString &kind, const char *name) -> QTestData & {
            return StoreUnderTest::newRow(kind, QLatin1String(name));
        };
        const LoadStatus badMagic = LoadStatus::BadMagic;
        const LoadStatus damaged = LoadStatus::Damaged;
        const QString data = QStringLiteral("data");
        const QString help = QStringLiteral("help");

        const QStringList kinds = StoreUnderTest::kinds();
        for (qsizetype k = 0; k < kinds.size(); ++k) {
            const QString &kind = kinds.at(k);
            const StoreUnderTest store(kind);
            // The file of the next kind, of the first after the last.
            const StoreUnderTest other(kinds.at((k + 1) % kinds.size()));
            QByteArray swapped = store.magic();
            std::reverse(swapped.begin(), swapped.end());
            row(kind, "zero word") << hexBytes("00 00 00 00 00 00") << badMagic << 0;
            row(kind, "empty file") << QByteArray() << badMagic << 0;
            row(kind, "one byte") << store.magic().left(1) << badMagic << 0;
            row(kind, "three magic bytes") << store.magic().left(3) << badMagic << 0;
            row(kind, "byte-swapped magic") << swapped + hexBytes("00 00") << badMagic << 0;
            row(kind, "the other file") << emptyFile(other) << badMagic << 0;
        }

        // One whole record, then the damage.
        const QByteArray group = hexBytes("2A E5 10 A4 FF FF . 00 00 00 02 00 41 . 00 00");
        row(data, "count far above the records") << group << damaged << 1;
        row(data, "odd string length") << group + hexBytes("00 00 00 03 00 41 00") << damaged << 1;
        row(data, "string past the end") << group + hexBytes("00 00 00 10 00 41") << damaged << 1;
        row(data, "huge string length") << group + hexBytes("7F FF FF FE 00 41") << damaged << 1;
        row(data, "negative-looking length") << group + hexBytes("80 00 00 00") << damaged << 1;
        row(data, "huge process count")
            << hexBytes("2A E5 10 A4 00 01 . 00 00 00 00 . FF FF . FF FF FF FF C8 01 FF FF") << damaged << 0;
        row(data, "count cut in half") << hexBytes("2A E5 10 A4 00") << damaged << 0;

        const QByteArray topic =
            hexBytes("E9 A7 14 3D . 00 02 . 00 00 00 02 00 31 . 00 00 00 04 00 48 00 69 . FF FF FF FF");
        QByteArray lone = topic;
        lone[5] = char(0xFF);
        row(help, "count far above the records") << lone << damaged << 1;
        row(help, "odd string length") << topic + hexBytes("00 00 00 01 00") << damaged << 1;
        row(help, "string past the end") << topic + hexBytes("00 00 00 00 . 00 00 00 08 00 41") << damaged << 1;
        row(help, "huge string length") << topic + hexBytes("FF FF FF FE") << damaged << 1;
        row(help, "count cut in half") << hexBytes("E9 A7 14 3D 00") << damaged << 0;
    }

    // A file of another format keeps nothing; a damaged one keeps the
    // records before the damage.
    void unreadableContentIsReported()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, bytes);
        QFETCH(LoadStatus, status);
        QFETCH(int, kept);
        StoreUnderTest store(kind);
        QVERIFY(m_dir->write(store.fileName(), bytes));
        LogCapture log;
        QCOMPARE(load(store), status);
        QCOMPARE(store.size(), kept);
        if (status == LoadStatus::BadMagic) {
            QCOMPARE(log.allLines(), QStringList({QStringLiteral("W: BAD MAGIC NUMBER!")}));
            QCOMPARE(m_messages,
                     QStringList({QStringLiteral("Unable to load %1: Format not recognized").arg(store.what())}));
        } else {
            QCOMPARE(log.warningLines(), QStringList({store.damagedLine()}));
            QVERIFY2(endsWith(log.allLines(), store.damagedTail()), qPrintable(log.allLines().join(u'\n')));
            QCOMPARE(m_messages, QStringList({store.damagedMessage(kept)}));
        }
    }

    void fileCutAtEveryOffset_data() { StoreUnderTest::addKindRows(); }

    void fileCutAtEveryOffset()
    {
        QFETCH(QString, kind);
        StoreUnderTest sample(kind);
        const QByteArray full = sample.fileBytes();
        for (qsizetype cut = 0; cut < full.size(); ++cut) {
            const QByteArray tag = "cut at " + QByteArray::number(cut);
            QVERIFY2(m_dir->write(sample.fileName(), full.left(cut)), tag);
            // Worked out first: writing the sample's image logs.
            const qsizetype whole = sample.wholeRecords(cut);
            m_messages.clear();
            StoreUnderTest store(kind);
            LogCapture log;
            const LoadStatus status = load(store);
            if (cut < 4) {
                QVERIFY2(status == LoadStatus::BadMagic, tag);
                continue;
            }
            QVERIFY2(status == LoadStatus::Damaged, tag);
            QVERIFY2(store.holdsSample(whole), tag);
            QVERIFY2(log.warningLines() == QStringList({store.damagedLine()}), tag);
            QVERIFY2(endsWith(log.allLines(), store.damagedTail()), tag);
            QVERIFY2(m_messages == QStringList({store.damagedMessage(whole)}), tag);
        }
    }

    void flippedBytesNeverBreakLoading_data() { StoreUnderTest::addKindRows(); }

    void flippedBytesNeverBreakLoading()
    {
        QFETCH(QString, kind);
        const QByteArray full = StoreUnderTest(kind).fileBytes();
        for (qsizetype at = 0; at < full.size(); ++at) {
            for (const char mask : {char(0xFF), char(0x80), char(0x01)}) {
                const QByteArray tag = "flip at " + QByteArray::number(at) + " mask " + QByteArray::number(uchar(mask));
                QByteArray bytes = full;
                bytes[at] = char(bytes.at(at) ^ mask);
                StoreUnderTest store(kind);
                QVERIFY2(m_dir->write(store.fileName(), bytes), tag);
                m_messages.clear();
                LogCapture log;
                const LoadStatus status = load(store);
                QVERIFY2((status == LoadStatus::BadMagic) == (at < 4), tag);
                switch (status) {
                case LoadStatus::BadMagic:
                    QVERIFY2(log.warningLines() == QStringList({QStringLiteral("BAD MAGIC NUMBER!")}), tag);
                    QVERIFY2(store.size() == 0, tag);
                    break;
                case LoadStatus::Damaged:
                    QVERIFY2(log.warningLines() == QStringList({store.damagedLine()}), tag);
                    QVERIFY2(endsWith(log.allLines(), store.damagedTail()), tag);
                    QVERIFY2(m_messages.size() == 1, tag);
                    break;
                case LoadStatus::Loaded:
                    QVERIFY2(log.warningLines().isEmpty() && m_messages.isEmpty(), tag);
                    QVERIFY2(log.debugLines().last() == store.finishedLoadingLine(), tag);
                    break;
                default:
                    QFAIL(tag.constData());
                }
            }
        }
    }

    void saveFailureKeepsOldFile_data() { StoreUnderTest::addKindRows("way", FailingSave::ways()); }

    void saveFailureKeepsOldFile()
    {
        QFETCH(QString, kind);
        QFETCH(QString, way);
        if (way == QLatin1String("read-only directory") && rerunNonRoot())
            return;
        StoreUnderTest store(kind);
        FailingSave failure(*m_dir, store.fileName(), emptyFile(store));
        QVERIFY(failure.prepare(way));

        store.fill();
        failure.verifySaveFails([this, &store] { return save(store); }, m_messages,
                                QStringLiteral("Unable to save %1 %2: ").arg(store.what(), store.filePath()),
                                store.finishedSavingLine());
    }

    void saveRefusesOversizedLists_data()
    {
        StoreUnderTest::addKindColumn();
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("procs");
        QTest::addColumn<int>("reqs");
        QTest::addColumn<QString>("reason");
        const QString data = QStringLiteral("data");
        const QString lists = QStringLiteral("a list holds more than 65535 entries");
        StoreUnderTest::newRow(data, QStringLiteral("groups")) << 65536 << 1 << 0 << lists;
        StoreUnderTest::newRow(data, QStringLiteral("processes of a group")) << 1 << 65536 << 0 << lists;
        StoreUnderTest::newRow(data, QStringLiteral("requirements of a process")) << 1 << 1 << 65536 << lists;
        StoreUnderTest::newRow(QStringLiteral("help"), QStringLiteral("topics"))
            << 65536 << 0 << 0 << QStringLiteral("more than 65535 topics");
    }

    void saveRefusesOversizedLists()
    {
        QFETCH(QString, kind);
        QFETCH(int, records);
        QFETCH(int, procs);
        QFETCH(int, reqs);
        QFETCH(QString, reason);
        StoreUnderTest store(kind);
        QVERIFY(m_dir->write(store.fileName(), emptyFile(store)));
        store.fillEmpty(records, procs, reqs);
        LogCapture log;
        QVERIFY(!save(store));
        const QString line = QStringLiteral("Unable to save %1 %2: %3").arg(store.what(), store.filePath(), reason);
        QCOMPARE(log.allLines(), QStringList({QStringLiteral("W: ") + line}));
        QCOMPARE(m_messages, QStringList({line}));
        QCOMPARE(m_dir->read(store.fileName()), emptyFile(store));
    }

    void largestListsRoundTrip_data()
    {
        StoreUnderTest::addKindColumn();
        for (const QString &kind : StoreUnderTest::kinds())
            StoreUnderTest::newRow(kind, QStringLiteral("65535 records"));
    }

    void largestListsRoundTrip()
    {
        // 65535 fits the 16-bit count, which is then read back unsigned.
        QFETCH(QString, kind);
        StoreUnderTest store(kind);
        store.fillEmpty(65535);
        {
            LogCapture saveLog;
            QVERIFY(save(store));
        }
        const QByteArray bytes = m_dir->read(store.fileName());
        QCOMPARE(bytes.left(6), store.magic() + hexBytes("FF FF"));
        QCOMPARE(bytes.size(), 6 + 65535 * store.emptyRecordBytes());

        StoreUnderTest loaded(kind);
        LogCapture log;
        QCOMPARE(load(loaded), LoadStatus::Loaded);
        QCOMPARE(loaded.size(), 65535);
        QCOMPARE(log.debugLines().first(), store.countLine(65535));
        QCOMPARE(log.debugLines().last(), store.finishedLoadingLine());
    }
};

QTEST_GUILESS_MAIN(TestStoreFiles)
#include "tst_storefiles.moc"

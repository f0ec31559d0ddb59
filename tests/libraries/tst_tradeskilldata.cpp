#include "failingsave.h"
#include "fixtures.h"
#include "logcapture.h"
#include "scratchdir.h"
#include "storetest.h"
#include "tradeskilldata.h"
#include "tradeskillfile.h"

#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QTest>

#include <memory>
#include <unistd.h>

namespace {

const char *const Example41 =
    "2A E5 10 A4 . 00 01 . 00 00 00 02 00 41 . 00 01 . 00 00 00 02 00 42 . C8 . 01 . 00 01 ."
    "00 00 00 02 00 43 . 00 00 00 02 00 32 . 00 . 00 00 04 D2";

const char *const EmptyData = "2A E5 10 A4 00 00";

QList<ProcGroup> example41Groups()
{
    return {ProcGroup{QStringLiteral("A"),
                      {Proc{QStringLiteral("B"), 200, 1, {Req{QStringLiteral("C"), QStringLiteral("2"), 0, 1234}}}}}};
}

// The lines that describe the example store, logged between the count line
// and the last line both when it is loaded and when it is saved.
QStringList example41StoreLines()
{
    return {QStringLiteral("* Group #0: A"),
            QStringLiteral("  + Procs: 1"),
            QStringLiteral("    * Proc #0: B"),
            QStringLiteral("      (Max QL: 200, Min QL: 1)"),
            QStringLiteral("      + Reqs: 1"),
            QStringLiteral("        * Req #0: C - x2 (t=0) (id=1234)")};
}

QString damagedLine()
{
    return QStringLiteral("Data file %1 is damaged").arg(QDir::toNativeSeparators(TradeskillData::filePath()));
}

} // namespace

class TestTradeskillData : public StoreTest
{
    Q_OBJECT

private:
    // A store whose messages land in m_messages.
    std::unique_ptr<TradeskillData> makeStore(const char *countFormat = "Groups: %d")
    {
        return std::make_unique<TradeskillData>(countFormat);
    }

private slots:
    void loadsExampleFileWithLogLines_data()
    {
        QTest::addColumn<QByteArray>("countFormat");
        QTest::addColumn<QString>("countLine");
        QTest::newRow("calculator") << QByteArray("ProcGroups: %d") << QStringLiteral("ProcGroups: 1");
        QTest::newRow("editor") << QByteArray("Groups: %d") << QStringLiteral("Groups: 1");
    }

    void loadsExampleFileWithLogLines()
    {
        QFETCH(QByteArray, countFormat);
        QFETCH(QString, countLine);
        const QByteArray bytes = hexBytes(Example41);
        QCOMPARE(bytes.size(), 41);
        QVERIFY(m_dir->write("Vorrak.dat", bytes));

        auto store = makeStore(countFormat.constData());
        LogCapture log;
        QCOMPARE(load(*store), TradeskillData::LoadStatus::Loaded);

        QCOMPARE(store->procGrps(), example41Groups());
        QCOMPARE(store->procGrpName(0), QStringLiteral("A"));
        QCOMPARE(int(store->proc(0, 0).maxQL), 200);
        QCOMPARE(int(store->proc(0, 0).minQL), 1);
        QCOMPARE(store->req(0, 0, 0).id, 1234);
        const QStringList expected = QStringList{countLine} + example41StoreLines()
            + QStringList{QStringLiteral("Finished loading data file")};
        QCOMPARE(log.debugLines(), expected);
        QVERIFY(log.warningLines().isEmpty());
        QVERIFY(m_messages.isEmpty());
    }

    void savesExampleFileWithLogLines()
    {
        auto store = makeStore("ProcGroups: %d");
        store->procGrps() = example41Groups();
        LogCapture log;
        QVERIFY(save(*store));

        QCOMPARE(m_dir->read("Vorrak.dat"), hexBytes(Example41));
        // Saving always logs the editor's count line: only the editor saves.
        const QStringList expected = QStringList{QStringLiteral("Saving data file..."), QStringLiteral("Groups: 1")}
            + example41StoreLines() + QStringList{QStringLiteral("Finished saving data file")};
        QCOMPARE(log.debugLines(), expected);
        QVERIFY(log.warningLines().isEmpty());
        QVERIFY(m_messages.isEmpty());
    }

    void emptyFileBothWays()
    {
        QVERIFY(m_dir->write("Vorrak.dat", hexBytes(EmptyData)));
        auto store = makeStore("ProcGroups: %d");
        {
            LogCapture log;
            QCOMPARE(load(*store), TradeskillData::LoadStatus::Loaded);
            QCOMPARE(log.debugLines(),
                     QStringList({QStringLiteral("ProcGroups: 0"), QStringLiteral("Finished loading data file")}));
        }
        QCOMPARE(store->procGrpCount(), 0);

        QVERIFY(QFile::remove(m_dir->filePath("Vorrak.dat")));
        QVERIFY(save(*store));
        QCOMPARE(m_dir->read("Vorrak.dat"), hexBytes(EmptyData));
    }

    void missingFileIsSilent()
    {
        auto store = makeStore();
        LogCapture log;
        QCOMPARE(load(*store), TradeskillData::LoadStatus::Missing);
        QCOMPARE(store->procGrpCount(), 0);
        QVERIFY(log.allLines().isEmpty());
        QVERIFY(m_messages.isEmpty());
    }

    void nullAndEmptyNamesKeepTheirEncoding()
    {
        // Group 0 named by a null string, group 1 by an empty one.
        const QByteArray bytes = hexBytes("2A E5 10 A4 00 02 . FF FF FF FF . 00 00 . 00 00 00 00 . 00 00");
        QVERIFY(m_dir->write("Vorrak.dat", bytes));
        auto store = makeStore();
        QCOMPARE(load(*store), TradeskillData::LoadStatus::Loaded);
        QCOMPARE(store->procGrpCount(), 2);
        QVERIFY(store->procGrpName(0).isEmpty());
        QVERIFY(store->procGrpName(0).isNull());
        QVERIFY(store->procGrpName(1).isEmpty());
        QVERIFY(!store->procGrpName(1).isNull());

        QVERIFY(QFile::remove(m_dir->filePath("Vorrak.dat")));
        QVERIFY(save(*store));
        QCOMPARE(m_dir->read("Vorrak.dat"), bytes);
    }

    void highBytesReadUnsigned()
    {
        auto store = makeStore();
        store->procGrps() = {ProcGroup{QStringLiteral("G"),
                                       {Proc{QStringLiteral("P"), 255, 128, {Req{QStringLiteral("S"), QStringLiteral("1"), 200, -5}}}}}};
        QVERIFY(save(*store));
        const QByteArray bytes = m_dir->read("Vorrak.dat");
        // name "P" ends at offset 6 + 6 + 2 + 6 = 20: Max QL, then Min QL.
        QCOMPARE(bytes.mid(20, 2), hexBytes("FF 80"));

        auto loaded = makeStore();
        LogCapture log;
        QCOMPARE(load(*loaded), TradeskillData::LoadStatus::Loaded);
        QCOMPARE(int(loaded->proc(0, 0).maxQL), 255);
        QCOMPARE(int(loaded->proc(0, 0).minQL), 128);
        QCOMPARE(int(loaded->req(0, 0, 0).t), 200);
        QVERIFY(log.debugLines().contains(QStringLiteral("      (Max QL: 255, Min QL: 128)")));
        QVERIFY(log.debugLines().contains(QStringLiteral("        * Req #0: S - x1 (t=200) (id=-5)")));
    }

    void accessorFallbacks_data()
    {
        QTest::addColumn<int>("grp");
        QTest::addColumn<int>("p");
        QTest::addColumn<int>("r");
        QTest::addColumn<QString>("groupName");
        QTest::addColumn<int>("procCount");
        QTest::addColumn<QString>("procName");
        QTest::addColumn<int>("maxQL");
        QTest::addColumn<int>("minQL");
        QTest::addColumn<int>("reqCount");
        QTest::addColumn<QString>("reqName");
        QTest::addColumn<QString>("reqMultiplier");

        const QString unknown = QStringLiteral("Unknown");
        // The store: group 0 "Smithing" with Blade (200/1, 4 reqs), Crown (255/255, 1 req), a process without
        // requirements (128/0); group 1 without processes.
        QTest::newRow("first") << 0 << 0 << 0 << "Smithing" << 3 << "Blade" << 200 << 1 << 4 << "Hammer" << "0";
        QTest::newRow("last req") << 0 << 0 << 3 << "Smithing" << 3 << "Blade" << 200 << 1 << 4 << "" << "";
        QTest::newRow("req = count") << 0 << 0 << 4 << "Smithing" << 3 << "Blade" << 200 << 1 << 4 << unknown << "-1";
        QTest::newRow("req -1") << 0 << 0 << -1 << "Smithing" << 3 << "Blade" << 200 << 1 << 4 << unknown << "-1";
        QTest::newRow("proc without reqs") << 0 << 2 << 0 << "Smithing" << 3 << "" << 128 << 0 << 0 << unknown << "-1";
        QTest::newRow("proc = count") << 0 << 3 << 0 << "Smithing" << 3 << unknown << 255 << 255 << -1 << unknown
                                      << "-1";
        QTest::newRow("proc -1") << 0 << -1 << 0 << "Smithing" << 3 << unknown << 255 << 255 << -1 << unknown << "-1";
        QTest::newRow("group without procs") << 1 << 0 << 0 << "" << 0 << unknown << 255 << 255 << -1 << unknown
                                             << "-1";
        QTest::newRow("group = count") << 4 << 0 << 0 << unknown << -1 << unknown << 255 << 255 << -1 << unknown
                                       << "-1";
        QTest::newRow("group -1") << -1 << 0 << 0 << unknown << -1 << unknown << 255 << 255 << -1 << unknown << "-1";
        QTest::newRow("group far out") << 1000000 << 5 << 5 << unknown << -1 << unknown << 255 << 255 << -1 << unknown
                                       << "-1";
    }

    void accessorFallbacks()
    {
        QFETCH(int, grp);
        QFETCH(int, p);
        QFETCH(int, r);
        QFETCH(QString, groupName);
        QFETCH(int, procCount);
        QFETCH(QString, procName);
        QFETCH(int, maxQL);
        QFETCH(int, minQL);
        QFETCH(int, reqCount);
        QFETCH(QString, reqName);
        QFETCH(QString, reqMultiplier);

        auto store = makeStore();
        store->procGrps() = richGroups();
        LogCapture log;
        QCOMPARE(store->procGrpCount(), 4);
        QCOMPARE(store->procGrpName(grp), groupName);
        QCOMPARE(store->procCount(grp), procCount);
        const Proc proc = store->proc(grp, p);
        QCOMPARE(proc.name, procName);
        QCOMPARE(int(proc.maxQL), maxQL);
        QCOMPARE(int(proc.minQL), minQL);
        QCOMPARE(store->reqCount(grp, p), reqCount);
        if (reqCount < 0)
            QVERIFY(proc.reqs.isEmpty());
        const Req req = store->req(grp, p, r);
        QCOMPARE(req.name, reqName);
        QCOMPARE(req.multiplier, reqMultiplier);
        if (reqName == QLatin1String("Unknown")) {
            QCOMPARE(int(req.t), 0);
            QCOMPARE(req.id, 0);
        }
        QVERIFY(log.allLines().isEmpty());
        QVERIFY(m_messages.isEmpty());
    }

    void emptyStoreFallbacks()
    {
        auto store = makeStore();
        QCOMPARE(store->procGrpCount(), 0);
        QCOMPARE(store->procGrpName(0), QStringLiteral("Unknown"));
        QCOMPARE(store->procCount(0), -1);
        const Proc proc = store->proc(0, 0);
        QCOMPARE(proc.name, QStringLiteral("Unknown"));
        QVERIFY(proc.isSpecial());
        QCOMPARE(int(proc.maxQL), 255);
        QVERIFY(proc.reqs.isEmpty());
        QCOMPARE(store->reqCount(0, 0), -1);
        QCOMPARE(store->req(0, 0, 0).multiplier, QStringLiteral("-1"));
    }

    void badMagic_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("zero word") << hexBytes("00 00 00 00 00 00");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("one byte") << hexBytes("2A");
        QTest::newRow("three magic bytes") << hexBytes("2A E5 10");
        QTest::newRow("byte-swapped magic") << hexBytes("A4 10 E5 2A 00 00");
        QTest::newRow("help file") << hexBytes("E9 A7 14 3D 00 00");
    }

    void badMagic()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(m_dir->write("Vorrak.dat", bytes));
        auto store = makeStore("ProcGroups: %d");
        LogCapture log;
        QCOMPARE(load(*store), TradeskillData::LoadStatus::BadMagic);
        QCOMPARE(store->procGrpCount(), 0);
        QCOMPARE(log.allLines(), QStringList({QStringLiteral("W: BAD MAGIC NUMBER!")}));
        QCOMPARE(m_messages, QStringList({QStringLiteral("Unable to load data file: Format not recognized")}));
    }

    void trailingBytesIgnored()
    {
        QVERIFY(m_dir->write("Vorrak.dat", hexBytes(Example41) + hexBytes("DE AD BE EF FF FF FF FF 01")));
        auto store = makeStore();
        LogCapture log;
        QCOMPARE(load(*store), TradeskillData::LoadStatus::Loaded);
        QCOMPARE(store->procGrps(), example41Groups());
        QVERIFY(log.warningLines().isEmpty());
        QCOMPARE(log.debugLines().last(), QStringLiteral("Finished loading data file"));
        QVERIFY(m_messages.isEmpty());
    }

    void saveLoadRoundTrip()
    {
        auto store = makeStore();
        store->procGrps() = richGroups();
        QVERIFY(save(*store));
        const QByteArray first = m_dir->read("Vorrak.dat");
        QCOMPARE(first, dataFileBytes(richGroups()));

        auto loaded = makeStore();
        QCOMPARE(load(*loaded), TradeskillData::LoadStatus::Loaded);
        QCOMPARE(loaded->procGrps(), richGroups());
        QVERIFY(save(*loaded));
        QCOMPARE(m_dir->read("Vorrak.dat"), first);
        QVERIFY(m_messages.isEmpty());
    }

    void nonLatin1TextKeptButLoggedAsLatin1()
    {
        const QString name = QStringLiteral("漢字 😀");
        auto store = makeStore();
        store->procGrps() = {ProcGroup{name, {}}};
        QVERIFY(save(*store));
        // 5 code units (the emoji is a surrogate pair) of UTF-16, high byte first.
        QCOMPARE(m_dir->read("Vorrak.dat"),
                 hexBytes("2A E5 10 A4 00 01 . 00 00 00 0A 6F 22 5B 57 00 20 D8 3D DE 00 . 00 00"));

        auto loaded = makeStore();
        LogCapture log;
        QCOMPARE(load(*loaded), TradeskillData::LoadStatus::Loaded);
        QCOMPARE(loaded->procGrpName(0), name);
        QCOMPARE(log.debugLines().at(1), QStringLiteral("* Group #0: ?? ??"));
    }

    void logLinesShowLatin1Form_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("logged");
        QTest::newRow("ASCII") << "Iron Ingot" << "Iron Ingot";
        QTest::newRow("Latin-1") << "Rünen Ærø ½" << "Rünen Ærø ½";
        QTest::newRow("beyond Latin-1") << "Ink ✓ 漢" << "Ink ? ?";
        QTest::newRow("surrogate pair") << "😀" << "??";
    }

    void logLinesShowLatin1Form()
    {
        QFETCH(QString, name);
        QFETCH(QString, logged);
        auto store = makeStore();
        store->procGrps() = {ProcGroup{name, {Proc{name, 2, 1, {Req{name, name, 1, 0}}}}}};
        QStringList saveLines;
        {
            LogCapture log;
            QVERIFY(save(*store));
            saveLines = log.debugLines();
        }
        auto loaded = makeStore();
        LogCapture log;
        QCOMPARE(load(*loaded), TradeskillData::LoadStatus::Loaded);
        const QStringList expected = {QStringLiteral("Groups: 1"),
                                      QStringLiteral("* Group #0: ") + logged,
                                      QStringLiteral("  + Procs: 1"),
                                      QStringLiteral("    * Proc #0: ") + logged,
                                      QStringLiteral("      (Max QL: 2, Min QL: 1)"),
                                      QStringLiteral("      + Reqs: 1"),
                                      QStringLiteral("        * Req #0: %1 - x%1 (t=1) (id=0)").arg(logged),
                                      QStringLiteral("Finished loading data file")};
        QCOMPARE(log.debugLines(), expected);
        // Between the count line and the last line, saving logs what loading logs.
        QCOMPARE(saveLines.mid(1, expected.size() - 1), expected.mid(0, expected.size() - 1));
    }

    void fileCutAtEveryOffset()
    {
        const QList<ProcGroup> groups = richGroups();
        const QByteArray full = dataFileBytes(groups);
        for (qsizetype cut = 0; cut < full.size(); ++cut) {
            const QByteArray tag = "cut at " + QByteArray::number(cut);
            QVERIFY2(m_dir->write("Vorrak.dat", full.left(cut)), tag);
            m_messages.clear();
            auto store = makeStore();
            LogCapture log;
            const TradeskillData::LoadStatus status = load(*store);
            if (cut < 4) {
                QVERIFY2(status == TradeskillData::LoadStatus::BadMagic, tag);
                continue;
            }
            QVERIFY2(status == TradeskillData::LoadStatus::Damaged, tag);
            QVERIFY2(store->procGrps() == groups.mid(0, wholeGroups(groups, cut)), tag);
            QVERIFY2(log.warningLines() == QStringList({damagedLine()}), tag);
            QVERIFY2(m_messages == QStringList({QStringLiteral("Unable to load data file: File is damaged")}), tag);
        }
    }

    void impossibleCountsAndLengths_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("keptGroups");
        // One whole group "A" without processes, then the damage.
        const QByteArray head = hexBytes("2A E5 10 A4 FF FF . 00 00 00 02 00 41 . 00 00");
        QTest::newRow("count far above the records") << head << 1;
        QTest::newRow("odd string length") << head + hexBytes("00 00 00 03 00 41 00") << 1;
        QTest::newRow("string past the end") << head + hexBytes("00 00 00 10 00 41") << 1;
        QTest::newRow("huge string length") << head + hexBytes("7F FF FF FE 00 41") << 1;
        QTest::newRow("negative-looking length") << head + hexBytes("80 00 00 00") << 1;
        QTest::newRow("huge process count")
            << hexBytes("2A E5 10 A4 00 01 . 00 00 00 00 . FF FF . FF FF FF FF C8 01 FF FF") << 0;
        QTest::newRow("count cut in half") << hexBytes("2A E5 10 A4 00") << 0;
    }

    void impossibleCountsAndLengths()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, keptGroups);
        QVERIFY(m_dir->write("Vorrak.dat", bytes));
        auto store = makeStore();
        LogCapture log;
        QCOMPARE(load(*store), TradeskillData::LoadStatus::Damaged);
        QCOMPARE(store->procGrpCount(), keptGroups);
        QCOMPARE(log.warningLines(), QStringList({damagedLine()}));
        QCOMPARE(m_messages, QStringList({QStringLiteral("Unable to load data file: File is damaged")}));
    }

    void flippedBytesNeverBreakLoading()
    {
        const QByteArray full = dataFileBytes(richGroups());
        for (qsizetype at = 0; at < full.size(); ++at) {
            for (const char mask : {char(0xFF), char(0x80), char(0x01)}) {
                const QByteArray tag = "flip at " + QByteArray::number(at) + " mask " + QByteArray::number(uchar(mask));
                QByteArray bytes = full;
                bytes[at] = char(bytes.at(at) ^ mask);
                QVERIFY2(m_dir->write("Vorrak.dat", bytes), tag);
                m_messages.clear();
                auto store = makeStore();
                LogCapture log;
                const TradeskillData::LoadStatus status = load(*store);
                switch (status) {
                case TradeskillData::LoadStatus::BadMagic:
                    QVERIFY2(at < 4, tag);
                    QVERIFY2(log.warningLines() == QStringList({QStringLiteral("BAD MAGIC NUMBER!")}), tag);
                    QVERIFY2(store->procGrpCount() == 0, tag);
                    break;
                case TradeskillData::LoadStatus::Damaged:
                    QVERIFY2(log.warningLines() == QStringList({damagedLine()}), tag);
                    QVERIFY2(m_messages.size() == 1, tag);
                    break;
                case TradeskillData::LoadStatus::Loaded:
                    QVERIFY2(log.warningLines().isEmpty() && m_messages.isEmpty(), tag);
                    QVERIFY2(log.debugLines().last() == QStringLiteral("Finished loading data file"), tag);
                    break;
                default:
                    QFAIL(tag.constData());
                }
                QVERIFY2(at >= 4 || status == TradeskillData::LoadStatus::BadMagic, tag);
            }
        }
    }

    void saveFailureKeepsOldFile_data()
    {
        FailingSave::addRows();
    }

    void saveFailureKeepsOldFile()
    {
        QFETCH(QString, setup);
        if (setup == QLatin1String("read-only") && geteuid() == 0)
            QSKIP("permissions do not stop root");
        FailingSave failure(*m_dir, QStringLiteral("Vorrak.dat"), hexBytes(Example41));
        QVERIFY(failure.prepare(setup));

        auto store = makeStore();
        store->procGrps() = richGroups();
        failure.verifySaveFails([this, &store] { return save(*store); }, m_messages,
                                QStringLiteral("Unable to save data file %1: ").arg(TradeskillData::filePath()),
                                QStringLiteral("Finished saving data file"));
    }

    void saveRefusesOversizedLists_data()
    {
        QTest::addColumn<int>("groups");
        QTest::addColumn<int>("procs");
        QTest::addColumn<int>("reqs");
        QTest::newRow("groups") << 65536 << 1 << 0;
        QTest::newRow("processes of a group") << 1 << 65536 << 0;
        QTest::newRow("requirements of a process") << 1 << 1 << 65536;
    }

    void saveRefusesOversizedLists()
    {
        QFETCH(int, groups);
        QFETCH(int, procs);
        QFETCH(int, reqs);
        const QByteArray old = hexBytes(Example41);
        QVERIFY(m_dir->write("Vorrak.dat", old));

        auto store = makeStore();
        Proc proc;
        proc.reqs.fill(Req{}, reqs);
        ProcGroup group;
        group.procs.fill(proc, procs);
        store->procGrps().fill(group, groups);
        LogCapture log;
        QVERIFY(!save(*store));
        const QString line = QStringLiteral("Unable to save data file %1: a list holds more than 65535 entries")
                                 .arg(TradeskillData::filePath());
        QCOMPARE(log.allLines(), QStringList({QStringLiteral("W: ") + line}));
        QCOMPARE(m_messages, QStringList({line}));
        QCOMPARE(m_dir->read("Vorrak.dat"), old);
    }

    void largestListsRoundTrip()
    {
        // 65535 fits the 16-bit count, which is then read back unsigned.
        auto store = makeStore();
        store->procGrps().fill(ProcGroup{}, 65535);
        {
            LogCapture saveLog;
            QVERIFY(save(*store));
        }
        const QByteArray bytes = m_dir->read("Vorrak.dat");
        QCOMPARE(bytes.left(6), hexBytes("2A E5 10 A4 FF FF"));
        QCOMPARE(bytes.size(), 6 + 65535 * 6);

        auto loaded = makeStore();
        LogCapture log;
        QCOMPARE(load(*loaded), TradeskillData::LoadStatus::Loaded);
        QCOMPARE(loaded->procGrpCount(), 65535);
        QCOMPARE(log.debugLines().first(), QStringLiteral("Groups: 65535"));
    }
};

QTEST_GUILESS_MAIN(TestTradeskillData)
#include "tst_tradeskilldata.moc"

#include "tests/support/fixtures.h"
#include "tests/support/logcapture.h"
#include "tests/support/scratchdir.h"
#include "tests/support/storetest.h"
#include "tradeskill/tradeskilldata.h"

#include <QFile>
#include <QTest>

#include <memory>

namespace {

const char *const Example41 =
    "2A E5 10 A4 . 00 01 . 00 00 00 02 00 41 . 00 01 . 00 00 00 02 00 42 . C8 . 01 . 00 01 ."
    "00 00 00 02 00 43 . 00 00 00 02 00 32 . 00 . 00 00 04 D2";

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

} // namespace

class TestTradeskillData : public StoreTest
{
    Q_OBJECT

private:
    // A fresh data store whose count line has `countWord`; load() and
    // save() keep what it has to tell in m_messages.
    std::unique_ptr<TradeskillData> makeStore(CountWord countWord = CountWord::Groups)
    {
        return std::make_unique<TradeskillData>(countWord);
    }

private slots:
    void loadsExampleFileWithLogLines_data()
    {
        QTest::addColumn<CountWord>("countWord");
        QTest::addColumn<QString>("countLine");
        QTest::newRow("calculator") << CountWord::ProcGroups << QStringLiteral("ProcGroups: 1");
        QTest::newRow("editor") << CountWord::Groups << QStringLiteral("Groups: 1");
    }

    void loadsExampleFileWithLogLines()
    {
        QFETCH(CountWord, countWord);
        QFETCH(QString, countLine);
        const QByteArray bytes = hexBytes(Example41);
        QCOMPARE(bytes.size(), 41);
        QVERIFY(m_dir->write("Vorrak.dat", bytes));

        auto store = makeStore(countWord);
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
        auto store = makeStore(CountWord::ProcGroups);
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

};

QTEST_GUILESS_MAIN(TestTradeskillData)
#include "tst_tradeskilldata.moc"

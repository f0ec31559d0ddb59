#include "failingsave.h"
#include "fixtures.h"
#include "helpdata.h"
#include "logcapture.h"
#include "scratchdir.h"
#include "storetest.h"

#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QTest>

#include <memory>
#include <unistd.h>

namespace {

const char *const Example24 = "E9 A7 14 3D . 00 01 . 00 00 00 02 00 31 . 00 00 00 04 00 48 00 69 . FF FF FF FF";
const char *const EmptyHelp = "E9 A7 14 3D 00 00";

QString damagedLine()
{
    return QStringLiteral("Help file %1 is damaged").arg(QDir::toNativeSeparators(HelpData::filePath()));
}

} // namespace

class TestHelpData : public StoreTest
{
    Q_OBJECT

private:
    std::unique_ptr<HelpData> makeStore()
    {
        return std::make_unique<HelpData>();
    }

private slots:
    void loadsExampleFileWithLogLines()
    {
        const QByteArray bytes = hexBytes(Example24);
        QCOMPARE(bytes.size(), 24);
        QVERIFY(m_dir->write("Vorrak.hlp", bytes));
        auto help = makeStore();
        LogCapture log;
        QCOMPARE(load(*help), HelpData::LoadStatus::Loaded);
        QCOMPARE(help->count(), 1);
        QCOMPARE(help->topics().first().id, QStringLiteral("1"));
        QCOMPARE(help->header(0), QStringLiteral("Hi"));
        QVERIFY(help->body(0).isNull());
        QCOMPARE(log.allLines(), QStringList({QStringLiteral("D: Topics: 1"),
                                              QStringLiteral("D:  * Topic #0: 1> \"Hi\" (not displaying body...)"),
                                              QStringLiteral("D: Finished loading help file")}));
        QVERIFY(m_messages.isEmpty());
    }

    void savesExampleFileWithLogLines()
    {
        auto help = makeStore();
        help->topics() = {HelpTopic{QStringLiteral("1"), QStringLiteral("Hi"), QString()}};
        LogCapture log;
        QVERIFY(save(*help));
        QCOMPARE(m_dir->read("Vorrak.hlp"), hexBytes(Example24));
        QCOMPARE(log.allLines(), QStringList({QStringLiteral("D: Saving help file..."),
                                              QStringLiteral("D: Finished saving help file")}));
    }

    void emptyFileBothWays()
    {
        QVERIFY(m_dir->write("Vorrak.hlp", hexBytes(EmptyHelp)));
        auto help = makeStore();
        {
            LogCapture log;
            QCOMPARE(load(*help), HelpData::LoadStatus::Loaded);
            QCOMPARE(log.debugLines(),
                     QStringList({QStringLiteral("Topics: 0"), QStringLiteral("Finished loading help file")}));
        }
        QCOMPARE(help->count(), 0);
        QVERIFY(QFile::remove(m_dir->filePath("Vorrak.hlp")));
        QVERIFY(save(*help));
        QCOMPARE(m_dir->read("Vorrak.hlp"), hexBytes(EmptyHelp));
    }

    void missingFileIsSilent()
    {
        auto help = makeStore();
        LogCapture log;
        QCOMPARE(load(*help), HelpData::LoadStatus::Missing);
        QCOMPARE(help->count(), 0);
        QVERIFY(log.allLines().isEmpty());
        QVERIFY(m_messages.isEmpty());
    }

    void nullAndEmptyTextsKeepTheirEncoding()
    {
        auto help = makeStore();
        help->topics() = {HelpTopic{QStringLiteral(""), QString(), QStringLiteral("")}};
        QVERIFY(save(*help));
        const QByteArray bytes = hexBytes("E9 A7 14 3D 00 01 . 00 00 00 00 . FF FF FF FF . 00 00 00 00");
        QCOMPARE(m_dir->read("Vorrak.hlp"), bytes);

        auto loaded = makeStore();
        QCOMPARE(load(*loaded), HelpData::LoadStatus::Loaded);
        const HelpTopic topic = loaded->topics().first();
        QVERIFY(!topic.id.isNull() && topic.id.isEmpty());
        QVERIFY(topic.header.isNull());
        QVERIFY(!topic.body.isNull() && topic.body.isEmpty());
    }

    void fallbacks_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("body");
        const QString header = QStringLiteral("* Header Missing *");
        const QString body = QStringLiteral("<center><b>* Header Missing *</b></center>");
        QTest::newRow("first") << 0 << "Welcome" << "<b>Hello</b><br>world";
        QTest::newRow("last") << 3 << "Ümlaut ✓ 漢字 😀" << "<ul><li>one</li></ul>";
        QTest::newRow("count") << 4 << header << body;
        QTest::newRow("-1") << -1 << header << body;
        QTest::newRow("far out") << 100000 << header << body;
    }

    void fallbacks()
    {
        QFETCH(int, index);
        QFETCH(QString, header);
        QFETCH(QString, body);
        auto help = makeStore();
        help->topics() = richTopics();
        LogCapture log;
        QCOMPARE(help->header(index), header);
        QCOMPARE(help->body(index), body);
        QVERIFY(log.allLines().isEmpty());
    }

    void badMagic_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("zero word") << hexBytes("00 00 00 00 00 00");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("three magic bytes") << hexBytes("E9 A7 14");
        QTest::newRow("byte-swapped magic") << hexBytes("3D 14 A7 E9 00 00");
        QTest::newRow("data file") << hexBytes("2A E5 10 A4 00 00");
    }

    void badMagic()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(m_dir->write("Vorrak.hlp", bytes));
        auto help = makeStore();
        LogCapture log;
        QCOMPARE(load(*help), HelpData::LoadStatus::BadMagic);
        QCOMPARE(help->count(), 0);
        QCOMPARE(log.allLines(), QStringList({QStringLiteral("W: BAD MAGIC NUMBER!")}));
        QCOMPARE(m_messages, QStringList({QStringLiteral("Unable to load help file: Format not recognized")}));
    }

    void highCountReadUnsigned()
    {
        QByteArray bytes = hexBytes("E9 A7 14 3D FF FF");
        bytes += QByteArray(65535 * 12, '\0');
        QVERIFY(m_dir->write("Vorrak.hlp", bytes));
        auto help = makeStore();
        LogCapture log;
        QCOMPARE(load(*help), HelpData::LoadStatus::Loaded);
        QCOMPARE(help->count(), 65535);
        QCOMPARE(log.debugLines().first(), QStringLiteral("Topics: 65535"));
        QCOMPARE(log.debugLines().last(), QStringLiteral("Finished loading help file"));
    }

    void trailingBytesIgnored()
    {
        QVERIFY(m_dir->write("Vorrak.hlp", hexBytes(Example24) + hexBytes("00 00 00 07 FF")));
        auto help = makeStore();
        LogCapture log;
        QCOMPARE(load(*help), HelpData::LoadStatus::Loaded);
        QCOMPARE(help->count(), 1);
        QVERIFY(log.warningLines().isEmpty());
        QVERIFY(m_messages.isEmpty());
    }

    void saveLoadRoundTripKeepsNonLatin1()
    {
        auto help = makeStore();
        help->topics() = richTopics();
        QVERIFY(save(*help));
        const QByteArray first = m_dir->read("Vorrak.hlp");
        QCOMPARE(first, helpFileBytes(richTopics()));

        auto loaded = makeStore();
        LogCapture log;
        QCOMPARE(load(*loaded), HelpData::LoadStatus::Loaded);
        QCOMPARE(loaded->topics(), richTopics());
        QCOMPARE(loaded->header(3), QStringLiteral("Ümlaut ✓ 漢字 😀"));
        // The log prints the Latin-1 form: what Latin-1 lacks becomes '?'.
        QCOMPARE(log.debugLines().at(4), QStringLiteral(" * Topic #3: 2> \"Ümlaut ? ?? ??\" (not displaying body...)"));
        QVERIFY(save(*loaded));
        QCOMPARE(m_dir->read("Vorrak.hlp"), first);
    }

    void fileCutAtEveryOffset()
    {
        const QList<HelpTopic> topics = richTopics();
        const QByteArray full = helpFileBytes(topics);
        for (qsizetype cut = 0; cut < full.size(); ++cut) {
            const QByteArray tag = "cut at " + QByteArray::number(cut);
            QVERIFY2(m_dir->write("Vorrak.hlp", full.left(cut)), tag);
            m_messages.clear();
            auto help = makeStore();
            LogCapture log;
            const HelpData::LoadStatus status = load(*help);
            if (cut < 4) {
                QVERIFY2(status == HelpData::LoadStatus::BadMagic, tag);
                continue;
            }
            QVERIFY2(status == HelpData::LoadStatus::Damaged, tag);
            QVERIFY2(help->topics() == topics.mid(0, wholeTopics(topics, cut)), tag);
            QVERIFY2(log.warningLines() == QStringList({damagedLine()}), tag);
            const QStringList all = log.allLines();
            QVERIFY2(all.size() >= 2 && all.at(all.size() - 2) == QStringLiteral("W: ") + damagedLine()
                         && all.last() == QStringLiteral("D: Finished loading help file"),
                     tag);
            QVERIFY2(m_messages == QStringList({QStringLiteral("Unable to load help file: File is damaged")}), tag);
        }
    }

    void impossibleLengths_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("keptTopics");
        // One complete topic, then the damage in the second.
        const QByteArray head = hexBytes(Example24);
        QByteArray many = head;
        many[5] = char(0xFF);
        QTest::newRow("count far above the topics") << QByteArray(many) << 1;
        many[5] = 0x02;
        QTest::newRow("odd length") << many + hexBytes("00 00 00 01 00") << 1;
        QTest::newRow("length past the end") << many + hexBytes("00 00 00 00 . 00 00 00 08 00 41") << 1;
        QTest::newRow("huge length") << many + hexBytes("FF FF FF FE") << 1;
        QTest::newRow("count cut in half") << hexBytes("E9 A7 14 3D 00") << 0;
    }

    void impossibleLengths()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, keptTopics);
        QVERIFY(m_dir->write("Vorrak.hlp", bytes));
        auto help = makeStore();
        LogCapture log;
        QCOMPARE(load(*help), HelpData::LoadStatus::Damaged);
        QCOMPARE(help->count(), keptTopics);
        QCOMPARE(log.warningLines(), QStringList({damagedLine()}));
        QCOMPARE(log.debugLines().last(), QStringLiteral("Finished loading help file"));
        QCOMPARE(m_messages, QStringList({QStringLiteral("Unable to load help file: File is damaged")}));
    }

    void flippedBytesNeverBreakLoading()
    {
        const QByteArray full = helpFileBytes(richTopics());
        for (qsizetype at = 0; at < full.size(); ++at) {
            for (const char mask : {char(0xFF), char(0x80), char(0x01)}) {
                const QByteArray tag = "flip at " + QByteArray::number(at) + " mask " + QByteArray::number(uchar(mask));
                QByteArray bytes = full;
                bytes[at] = char(bytes.at(at) ^ mask);
                QVERIFY2(m_dir->write("Vorrak.hlp", bytes), tag);
                m_messages.clear();
                auto help = makeStore();
                LogCapture log;
                const HelpData::LoadStatus status = load(*help);
                QVERIFY2((status == HelpData::LoadStatus::BadMagic) == (at < 4), tag);
                if (status == HelpData::LoadStatus::Damaged) {
                    QVERIFY2(log.warningLines() == QStringList({damagedLine()}), tag);
                    QVERIFY2(m_messages.size() == 1, tag);
                } else if (status == HelpData::LoadStatus::Loaded) {
                    QVERIFY2(log.warningLines().isEmpty() && m_messages.isEmpty(), tag);
                }
                if (status != HelpData::LoadStatus::BadMagic)
                    QVERIFY2(log.debugLines().last() == QStringLiteral("Finished loading help file"), tag);
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
        FailingSave failure(*m_dir, QStringLiteral("Vorrak.hlp"), hexBytes(Example24));
        QVERIFY(failure.prepare(setup));

        auto help = makeStore();
        help->topics() = richTopics();
        failure.verifySaveFails([this, &help] { return save(*help); }, m_messages,
                                QStringLiteral("Unable to save help file %1: ").arg(HelpData::filePath()),
                                QStringLiteral("Finished saving help file"));
    }

    void saveRefusesTooManyTopics()
    {
        const QByteArray old = hexBytes(Example24);
        QVERIFY(m_dir->write("Vorrak.hlp", old));
        auto help = makeStore();
        help->topics().fill(HelpTopic{}, 65536);
        LogCapture log;
        QVERIFY(!save(*help));
        const QString line = QStringLiteral("Unable to save help file %1: more than 65535 topics").arg(HelpData::filePath());
        QCOMPARE(log.allLines(), QStringList({QStringLiteral("W: ") + line}));
        QCOMPARE(m_messages, QStringList({line}));
        QCOMPARE(m_dir->read("Vorrak.hlp"), old);

        help->topics().removeLast();
        QVERIFY(save(*help));
        QCOMPARE(m_dir->read("Vorrak.hlp").left(6), hexBytes("E9 A7 14 3D FF FF"));
    }
};

QTEST_GUILESS_MAIN(TestHelpData)
#include "tst_helpdata.moc"

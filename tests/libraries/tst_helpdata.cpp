#include "help/helpdata.h"
#include "tests/support/fixtures.h"
#include "tests/support/logcapture.h"
#include "tests/support/scratchdir.h"
#include "tests/support/storetest.h"

#include <QTest>

#include <memory>

namespace {

const char *const Example24 = "E9 A7 14 3D . 00 01 . 00 00 00 02 00 31 . 00 00 00 04 00 48 00 69 . FF FF FF FF";

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

    void nonLatin1TextKeptButLoggedAsLatin1()
    {
        QVERIFY(writeHelpFile(richTopics()));
        auto help = makeStore();
        LogCapture log;
        QCOMPARE(load(*help), HelpData::LoadStatus::Loaded);
        QCOMPARE(help->header(3), QStringLiteral("Ümlaut ✓ 漢字 😀"));
        // The log prints the Latin-1 form: what Latin-1 lacks becomes '?'.
        QCOMPARE(log.debugLines().at(4), QStringLiteral(" * Topic #3: 2> \"Ümlaut ? ?? ??\" (not displaying body...)"));
    }
};

QTEST_GUILESS_MAIN(TestHelpData)
#include "tst_helpdata.moc"

#include "bench/generatedstore.h"
#include "help/helpfile.h"
#include "tests/support/fixtures.h"
#include "tradeskill/tradeskillfile.h"

#include <QBuffer>
#include <QDataStream>
#include <QSet>
#include <QtTest>

// What keeps large stores fast and small: the block writer across block
// boundaries, and the reader sharing repeated texts instead of copying them.
class StoreScaleTest : public QObject
{
    Q_OBJECT

private slots:
    void textsAcrossWriterBlocks_data();
    void textsAcrossWriterBlocks();
    void repeatedTextsAreShared();
};

void StoreScaleTest::textsAcrossWriterBlocks_data()
{
    QTest::addColumn<int>("length");
    // Around the inline limit, and longer than the writer's 1 MiB block.
    for (int length : {63, 64, 65, 129, 524287, 524288, 524289, 1500000})
        QTest::newRow(qPrintable(QString::number(length))) << length;
}

void StoreScaleTest::textsAcrossWriterBlocks()
{
    QFETCH(int, length);
    QString body(length, Qt::Uninitialized);
    for (int i = 0; i < length; ++i)
        body[i] = QChar(char16_t(0x20 + (qint64(i) * 7919) % 0xD000));
    const QList<HelpTopic> topics{HelpTopic{QStringLiteral("1"), QStringLiteral("x"), body},
                                  HelpTopic{QString(), QStringLiteral(""), QStringLiteral("after")}};

    const QByteArray bytes = helpFileBytes(topics);
    QCOMPARE(bytes.size(), 6 + (4 + 2) + (4 + 2) + (4 + 2 * length) + 4 + 4 + (4 + 10));
    // What QDataStream itself writes for the same values.
    QByteArray reference;
    QDataStream out(&reference, QIODevice::WriteOnly);
    out << HelpFile::Magic << qint16(2) << topics[0].id << topics[0].header << topics[0].body << topics[1].id
        << topics[1].header << topics[1].body;
    QCOMPARE(bytes, reference);

    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QList<HelpTopic> read;
    QCOMPARE(HelpFile::read(&buffer, read).status(), ReadStatus::Ok);
    QCOMPARE(read, topics);
}

void StoreScaleTest::repeatedTextsAreShared()
{
    const QList<ProcGroup> store = GeneratedStore::tradeskill(20, 30, 10);
    QByteArray bytes = dataFileBytes(store);

    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    QList<ProcGroup> loaded;
    QCOMPARE(TradeskillFile::read(&in, loaded, CountWord::Groups).status(), ReadStatus::Ok);
    QCOMPARE(loaded, store);

    // 6000 requirements name a few dozen tools and skills with a few dozen
    // multipliers: each distinct text must be held once.
    QSet<QString> distinct;
    QSet<const QChar *> held;
    int reqs = 0;
    for (const ProcGroup &group : loaded) {
        for (const Proc &proc : group.procs) {
            for (const Req &req : proc.reqs) {
                distinct << req.name << req.multiplier;
                held << req.name.constData() << req.multiplier.constData();
                ++reqs;
            }
        }
    }
    QCOMPARE(reqs, 6000);
    QVERIFY(distinct.size() < 100);
    QCOMPARE(held.size(), distinct.size());
}

QTEST_GUILESS_MAIN(StoreScaleTest)
#include "storescaletest.moc"

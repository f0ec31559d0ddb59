#include "common/binaryreader.h"
#include "common/stringpool.h"
#include "tests/support/scratchdir.h"

#include <QBuffer>
#include <QHash>
#include <QTest>

class TestBinaryReader : public QObject
{
    Q_OBJECT

private slots:
    void readsBigEndianValues()
    {
        QByteArray bytes = hexBytes("80 00 00 01 . FF FE . C8");
        QBuffer buffer(&bytes);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        BinaryReader in(&buffer);
        qint32 i = 0;
        quint16 s = 0;
        quint8 b = 0;
        QVERIFY(in.readInt32(i) && in.readUInt16(s) && in.readUInt8(b));
        QCOMPARE(i, qint32(0x80000001));
        QCOMPARE(int(s), 0xFFFE);
        QCOMPARE(int(b), 200);
        QCOMPARE(in.position(), 7);
        QVERIFY(!in.damaged());
    }

    void strings_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<bool>("isNull");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("position");
        QTest::newRow("null") << hexBytes("FF FF FF FF") << true << true << QString() << 4;
        QTest::newRow("empty") << hexBytes("00 00 00 00") << true << false << QString() << 4;
        QTest::newRow("surrogate pair") << hexBytes("00 00 00 04 D8 3D DE 00") << true << false
                                        << QStringLiteral("😀") << 8;
        // A failed string leaves the position after its length field.
        QTest::newRow("odd length") << hexBytes("00 00 00 03 00 41 00") << false << true << QString() << 4;
        QTest::newRow("past the end") << hexBytes("00 00 00 04 00 41") << false << true << QString() << 4;
        QTest::newRow("huge") << hexBytes("7F FF FF FE 00 41") << false << true << QString() << 4;
        QTest::newRow("length cut") << hexBytes("00 00 00") << false << true << QString() << 0;
    }

    void strings()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, ok);
        QFETCH(bool, isNull);
        QFETCH(QString, text);
        QFETCH(int, position);
        QBuffer buffer(&bytes);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        BinaryReader in(&buffer);
        QString value = QStringLiteral("untouched");
        QCOMPARE(in.readString(value), ok);
        QCOMPARE(in.damaged(), !ok);
        QCOMPARE(in.position(), qint64(position));
        if (ok) {
            QCOMPARE(value.isNull(), isNull);
            QCOMPARE(value, text);
        }
    }

    // The pool's own hash table: texts with the same whole hash, and enough
    // texts to make the table grow many times, each keep their own number.
    void poolKeepsEachTextOnce_data()
    {
        QTest::addColumn<QStringList>("texts");
        // Both have the pool's hash 0x1A0C054F, and the same length.
        const QString first = QString::fromUtf16(u"\u5DF0X");
        QTest::newRow("same hash") << QStringList{first, QString::fromUtf16(u"\u63C2X"), first};
        QTest::newRow("empty and prefixes") << QStringList{"", "a", "ab", "a", "", "abc", "ab"};
        QStringList many;
        for (int i = 0; i < 5000; ++i)
            many << QString::number(i) << QString::number(i * 7919 % 5000);
        QTest::newRow("growth") << many;
    }

    void poolKeepsEachTextOnce()
    {
        QFETCH(QStringList, texts);
        StringPool pool;
        QHash<QString, qsizetype> numbers;
        QStringList distinct;
        for (const QString &text : texts) {
            if (!numbers.contains(text)) {
                numbers.insert(text, distinct.size());
                distinct.append(text);
            }
            QCOMPARE(pool.indexOf(text), numbers.value(text));
        }
        QCOMPARE(pool.strings(), distinct);
        QCOMPARE(pool.intern(texts.last()).constData(), pool.strings().at(numbers.value(texts.last())).constData());
    }

    void failureIsSticky()
    {
        QByteArray bytes = hexBytes("00 00 00 03 00 00 00 00 00 00");
        QBuffer buffer(&bytes);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        BinaryReader in(&buffer);
        QString value;
        QVERIFY(!in.readString(value));
        quint8 b = 0;
        QVERIFY(!in.readUInt8(b));
        QVERIFY(in.damaged());
    }
};

QTEST_GUILESS_MAIN(TestBinaryReader)
#include "tst_binaryreader.moc"

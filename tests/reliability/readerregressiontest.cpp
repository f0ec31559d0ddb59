#include "fuzz/readercheck.h"

#include <QDir>
#include <QFile>
#include <QtTest>

Q_DECLARE_METATYPE(ReaderCheck::Reader)

// Replays the fuzzers' seed corpus and every input that ever broke a reader
// (fuzz/regressions/) through the same guarantees the fuzzers check. Seed
// files are named after the outcome they must have.
class ReaderRegressionTest : public QObject
{
    Q_OBJECT

private slots:
    void replay_data();
    void replay();
};

void ReaderRegressionTest::replay_data()
{
    QTest::addColumn<ReaderCheck::Reader>("reader");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected");

    const QDir fuzzDir(QStringLiteral(VORRAK_FUZZ_DIR));
    int seeds = 0;
    for (const ReaderCheck::Reader &reader : ReaderCheck::Readers) {
        const QString kind = QLatin1String(reader.kind);
        for (const QString &folder : {QStringLiteral("corpus"), QStringLiteral("regressions")}) {
            const QDir dir(fuzzDir.filePath(folder + QLatin1Char('/') + kind));
            for (const QString &name : dir.entryList(QDir::Files, QDir::Name)) {
                const bool seed = folder == QLatin1String("corpus");
                const QString expected = seed ? name.section(QLatin1Char('-'), 0, 0) : QString();
                if (seed)
                    ++seeds;
                QTest::newRow(qPrintable(folder + QLatin1Char('/') + kind + QLatin1Char('/') + name))
                    << reader << dir.filePath(name) << expected;
            }
        }
    }
    // An empty or misplaced corpus would make this test pass without reading anything.
    QVERIFY2(seeds >= 20, qPrintable(QStringLiteral("only %1 seed files found under %2").arg(seeds).arg(fuzzDir.path())));
}

void ReaderRegressionTest::replay()
{
    QFETCH(ReaderCheck::Reader, reader);
    QFETCH(QString, path);
    QFETCH(QString, expected);

    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.errorString()));
    const QByteArray bytes = file.readAll();

    const Result<ReadStatus> checked = reader.check(bytes);
    QVERIFY2(checked.isOk(), qPrintable(checked.text()));
    if (!expected.isEmpty())
        QCOMPARE(ReaderCheck::outcomeName(checked.status()), expected);
}

QTEST_GUILESS_MAIN(ReaderRegressionTest)
#include "readerregressiontest.moc"

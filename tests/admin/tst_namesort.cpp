#include "admin/namesort.h"
#include "tests/admin/admintest.h"
#include "tests/support/fixtures.h"
#include "tests/support/logcapture.h"
#include "tests/support/modalanswer.h"
#include "tests/support/scratchdir.h"
#include "tests/support/widgetinput.h"

#include <QLoggingCategory>
#include <QRandomGenerator>
#include <QTest>

namespace {

struct Entry
{
    QString name;
    int tag;
};

const QString &nameOf(const Entry &entry) { return entry.name; }

// The dialog tests check the named cases (Weapons/Armor/Implants, reverse,
// duplicates, case, prefixes) through the Sort buttons; here random lists
// are held against the plain insertion sort, line by line.
QList<Entry> entriesFrom(const QStringList &names)
{
    QList<Entry> entries;
    for (int i = 0; i < names.size(); ++i)
        entries.append({names.at(i), i});
    return entries;
}

QList<int> tagsOf(const QList<Entry> &entries)
{
    QList<int> tags;
    for (const Entry &entry : entries)
        tags.append(entry.tag);
    return tags;
}

// The plain insertion sort, entry by entry from the front of the result.
QList<Entry> referenceSort(const QList<Entry> &entries, QStringList &log)
{
    QList<Entry> result;
    for (const Entry &entry : entries) {
        qsizetype at = 0;
        while (at < result.size() && QString::compare(result.at(at).name, entry.name) <= 0)
            ++at;
        if (at == result.size())
            log.append(entry.name + QStringLiteral(" appended."));
        else
            log.append(QStringLiteral("%1 comes before %2 (r = 1)").arg(entry.name, result.at(at).name));
        result.insert(at, entry);
    }
    return result;
}

} // namespace

class TestNameSort : public QObject
{
    Q_OBJECT

private slots:
    void matchesPlainInsertionSort();
    void silentWithoutDebugOutput();
};

void TestNameSort::matchesPlainInsertionSort()
{
    // Few distinct names so that duplicates and every kind of placement occur.
    const QStringList pool{"b", "B", "ab", "a", "", "Ba", "bb", "A b", "z"};
    QRandomGenerator random(20261207);
    for (int round = 0; round < 50; ++round) {
        QList<Entry> entries;
        const int size = random.bounded(0, 40);
        for (int i = 0; i < size; ++i)
            entries.append({pool.at(random.bounded(int(pool.size()))), i});

        QStringList expectedLog;
        const QList<Entry> expected = referenceSort(entries, expectedLog);
        LogCapture capture;
        const QList<Entry> sorted = sortByName(entries, nameOf);
        QCOMPARE(tagsOf(sorted), tagsOf(expected));
        QCOMPARE(capture.debugLines(), expectedLog);
    }
}

void TestNameSort::silentWithoutDebugOutput()
{
    // The test runner switches debug output on through the environment, which
    // outranks filter rules, so a filter turns it off for this one call.
    static QLoggingCategory::CategoryFilter previous = nullptr;
    previous = QLoggingCategory::installFilter([](QLoggingCategory *category) {
        if (previous) // still null during the install call itself
            previous(category);
        if (qstrcmp(category->categoryName(), "default") == 0)
            category->setEnabled(QtDebugMsg, false);
    });
    QVERIFY(!vorrakDebugEnabled());
    LogCapture capture;
    const QList<Entry> sorted = sortByName(entriesFrom({"Weapons", "Armor", "Implants", "Armor"}), nameOf);
    QLoggingCategory::installFilter(previous);
    QVERIFY(vorrakDebugEnabled());
    QCOMPARE(tagsOf(sorted), (QList<int>{1, 3, 2, 0}));
    QVERIFY(capture.debugLines().isEmpty());
}

QTEST_GUILESS_MAIN(TestNameSort)
#include "tst_namesort.moc"

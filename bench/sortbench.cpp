#include "bench/sortbench.h"

#include "admin/namesort.h"
#include "bench/comparison.h"
#include "bench/generatedstore.h"
#include "bench/report.h"
#include "tradeskill/procgroup.h"

#include <QLoggingCategory>

namespace {

// The insertion sort as the editor once did it: each entry is compared
// from the start of the result until an entry with a greater name.
QList<ProcGroup> insertionSort(const QList<ProcGroup> &groups)
{
    QList<ProcGroup> result;
    for (const ProcGroup &group : groups) {
        qsizetype at = 0;
        while (at < result.size() && QString::compare(result.at(at).name, group.name) <= 0)
            ++at;
        result.insert(at, group);
    }
    return result;
}

} // namespace

void runSortBenchmark(Report &report)
{
    constexpr int Count = 65535;
    report.section(QStringLiteral("Sorting %1 groups with random names").arg(Count));
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));

    QList<ProcGroup> groups;
    const QStringList names = GeneratedStore::randomNames(Count, 7);
    groups.reserve(Count);
    for (int i = 0; i < Count; ++i) {
        ProcGroup group;
        group.name = names.at(i);
        // The original position tags each entry, so that equal names prove the order stable.
        Proc tag;
        tag.name = QString::number(i);
        group.procs.append(tag);
        groups.append(group);
    }

    QList<ProcGroup> fast;
    QList<ProcGroup> slow;
    const auto nameOf = [](const ProcGroup &group) { return group.name; };
    // The quadratic sort takes seconds: one round of it, several of the fast one.
    const double fastMs = medianMs(5, [&] { fast = sortByName(groups, nameOf); });
    const double slowMs = medianMs(1, [&] { slow = insertionSort(groups); });
    const bool identical = fast == slow;
    const double speedup = fastMs > 0 ? slowMs / fastMs : 0;
    report.target(QStringLiteral("sortByName"),
                  QStringLiteral("%1 ms vs insertion sort %2 ms = %3x faster, results %4")
                      .arg(fastMs, 0, 'f', 1)
                      .arg(slowMs, 0, 'f', 0)
                      .arg(speedup, 0, 'f', 0)
                      .arg(identical ? QStringLiteral("identical") : QStringLiteral("DIFFERENT")),
                  QStringLiteral(">= 50x and < 100 ms, identical"), identical && speedup >= 50 && fastMs < 100);
}

#include "bench/comparison.h"

#include <QElapsedTimer>
#include <QList>
#include <algorithm>

namespace {

double timeOnce(const std::function<void()> &run, const std::function<void()> &prepare)
{
    if (prepare)
        prepare();
    QElapsedTimer clock;
    clock.start();
    run();
    return clock.nsecsElapsed() / 1e6;
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values.at(values.size() / 2);
}

} // namespace

Comparison compare(int rounds, const std::function<void()> &subject, const std::function<void()> &baseline,
                   const std::function<void()> &prepare)
{
    QList<double> subjectTimes;
    QList<double> baselineTimes;
    for (int i = 0; i < rounds; ++i) {
        // Alternate which one goes first, so neither always gets a warm cache.
        if (i % 2 == 0) {
            baselineTimes.append(timeOnce(baseline, prepare));
            subjectTimes.append(timeOnce(subject, prepare));
        } else {
            subjectTimes.append(timeOnce(subject, prepare));
            baselineTimes.append(timeOnce(baseline, prepare));
        }
    }
    return Comparison{median(subjectTimes), median(baselineTimes)};
}

double medianMs(int rounds, const std::function<void()> &run, const std::function<void()> &prepare)
{
    QList<double> times;
    for (int i = 0; i < rounds; ++i)
        times.append(timeOnce(run, prepare));
    return median(times);
}

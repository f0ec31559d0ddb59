#pragma once

#include <QString>
#include <functional>

// Times a subject against its baseline in the same process, alternating the
// two so that both see the same machine state, and keeps the median of each.
struct Comparison
{
    double subjectMs = 0;
    double baselineMs = 0;
    double ratio() const { return baselineMs > 0 ? subjectMs / baselineMs : 0; }
};

// `prepare` runs untimed before each timed call (for instance to free what
// the previous call built).
Comparison compare(int rounds, const std::function<void()> &subject, const std::function<void()> &baseline,
                   const std::function<void()> &prepare = {});

double medianMs(int rounds, const std::function<void()> &run, const std::function<void()> &prepare = {});

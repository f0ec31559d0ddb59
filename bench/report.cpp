#include "bench/report.h"

#include <cstdio>

void Report::section(const QString &title)
{
    std::printf("\n== %s\n", qPrintable(title));
    std::fflush(stdout);
}

void Report::line(const QString &text)
{
    std::printf("   %s\n", qPrintable(text));
    std::fflush(stdout);
}

void Report::target(const QString &what, const QString &figure, const QString &goal, bool met)
{
    if (!met)
        ++m_missed;
    std::printf("   %-4s %s: %s (target %s)\n", met ? "met" : "MISS", qPrintable(what), qPrintable(figure),
                qPrintable(goal));
    std::fflush(stdout);
}

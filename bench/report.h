#pragma once

#include <QString>

// Collects the benchmark lines and whether each target was met.
class Report
{
public:
    void section(const QString &title);
    void line(const QString &text);
    // A figure with its target; `met` says whether the target holds.
    void target(const QString &what, const QString &figure, const QString &goal, bool met);
    int missed() const { return m_missed; }

private:
    int m_missed = 0;
};

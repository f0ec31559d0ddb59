#include "gui/sessionending.h"

#include <QList>

namespace SessionEnding {

namespace {

bool s_ending = false;
bool s_displayLost = false;
QList<std::function<void()>> s_steps; // outermost first

} // namespace

void begin(Cause cause)
{
    s_ending = true;
    if (cause == Cause::DisplayLost)
        s_displayLost = true;
}

void clear()
{
    s_ending = false;
    s_displayLost = false;
}

bool isEnding()
{
    return s_ending;
}

bool displayLost()
{
    return s_displayLost;
}

KeepStep::KeepStep(std::function<void()> keep)
    : m_depth(int(s_steps.size()))
{
    s_steps.append(std::move(keep));
}

KeepStep::~KeepStep()
{
    // Windows close innermost first; a step already run by keepOpenWork()
    // is gone before.
    if (s_steps.size() > m_depth)
        s_steps.resize(m_depth);
}

void keepOpenWork()
{
    while (!s_steps.isEmpty()) {
        const std::function<void()> step = s_steps.takeLast();
        step();
    }
}

} // namespace SessionEnding

#pragma once

#include <functional>

// The end of a session that no one is left to answer: a shutdown, a logout,
// a closed terminal or a lost display. A window that would ask keeps the
// work instead, and an end save that fails writes an emergency copy rather
// than asking what to do.
namespace SessionEnding {

enum class Cause { Told, DisplayLost };

// Set once, by whatever noticed the end; the first cause stays, except that
// a lost display always counts (nothing can be shown any more).
void begin(Cause cause);
bool isEnding();
// The session goes on (for whatever watches for its end, as it goes).
void clear();
// No window can be shown or answered: messages go to standard error only.
bool displayLost();

// Keeps the work of a window that is open while this object lives, should
// the program have to end without ever returning to that window (the
// display is gone and the toolkit ends the process). Steps run innermost
// first, each at most once.
class KeepStep
{
public:
    explicit KeepStep(std::function<void()> keep);
    ~KeepStep();
    KeepStep(const KeepStep &) = delete;
    KeepStep &operator=(const KeepStep &) = delete;

private:
    int m_depth;
};

// Runs the steps of the windows still open, innermost first.
void keepOpenWork();

} // namespace SessionEnding

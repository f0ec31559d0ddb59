#pragma once

#include <QObject>
#include <QElapsedTimer>
#include <functional>

class QTimer;
class QWidget;

// Answers the next modal window of a class: as soon as such a window is the
// active modal widget, `action` runs on it once. A window that does not get
// answered in time (a wrong one, or one that should not have opened) is
// rejected, so a failing test ends instead of hanging. Lives as a local
// object around the click that opens the window.
class ModalAnswer : public QObject
{
public:
    ModalAnswer(const char *className, std::function<void(QWidget *)> action, int timeoutMs = 5000);

    bool answered() const { return m_answered; }
    bool timedOut() const { return m_timedOut; }

private:
    void poll();

    QByteArray m_className;
    std::function<void(QWidget *)> m_action;
    int m_timeoutMs;
    QElapsedTimer m_clock;
    QTimer *m_timer;
    bool m_answered = false;
    bool m_timedOut = false;
};

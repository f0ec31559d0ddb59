#pragma once

#include <QObject>

class QSocketNotifier;

// Ends the editor the way "E&xit" does when the process is told to stop
// (SIGTERM at shutdown, SIGHUP when its terminal closes, SIGINT for Ctrl+C)
// or the session manager asks it to save at logout: every open dialog is
// closed as by Escape, innermost first, so that an open help window writes
// Vorrak.hlp as it closes and the main dialog's exec() returns for the
// end-of-session save of Vorrak.dat. A dialog that opens after that (a
// message of one of those saves) is closed the same way, so the program
// ends instead of waiting for a user who has gone.
//
// A signal handler may do next to nothing; it writes the signal to a pipe
// that the event loop watches. One object at a time, for the life of the
// editor's event loops.
class SessionEndHandler : public QObject
{
    Q_OBJECT

public:
    explicit SessionEndHandler(QObject *parent = nullptr);
    ~SessionEndHandler() override;

    // Starts closing the dialogs; a second request changes nothing.
    void requestEnd();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void readSignals();
    void closeInnermostDialog();
    void closeInnermostDialogLater();

    QSocketNotifier *m_notifier = nullptr;
    bool m_ending = false;
};

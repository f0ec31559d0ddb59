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
//
// A lost display cannot wait for the dialogs to close: the toolkit ends the
// process as soon as it notices, right after it warns. So every warning is
// followed by a look at the display connection, and when that is broken
// the work of the windows still open is kept there and then (the body being
// edited, the help file, then the data file), without a message box, and
// the editor ends.
class SessionEndHandler : public QObject
{
    Q_OBJECT

public:
    explicit SessionEndHandler(QObject *parent = nullptr);
    ~SessionEndHandler() override;

    // Starts closing the dialogs; a second request changes nothing.
    void requestEnd();

    // Whether the connection to the X display is broken; false elsewhere.
    static bool displayConnectionBroken();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void readSignals();
    void closeInnermostDialog();
    void closeInnermostDialogLater();

    QSocketNotifier *m_notifier = nullptr;
    bool m_ending = false;
};

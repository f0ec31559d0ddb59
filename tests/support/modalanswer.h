#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class QAbstractButton;
class QWidget;

// Answers the modal windows a test opens, the way Qt's own message box tests
// do: a QTimer::singleShot, fired inside the window's own modal loop
// (exec(), QMessageBox::critical, aboutQt), finds
// QApplication::activeModalWidget() and acts on it. Lives as a local object
// around the step that opens the window.
class ModalAnswer : public QObject
{
public:
    using Action = std::function<void(QWidget *modal)>;

    // Runs `action` once on the next visible modal window that inherits
    // `className` ("QWidget" for any) other than the one active now. A window
    // not answered within `timeoutMs` (a wrong one, or one that should not
    // have opened) is rejected, so a failing test ends instead of hanging.
    ModalAnswer(const char *className, Action action, int timeoutMs = 5000);
    // Runs `action` once on each modal window that inherits `className` and
    // opens while this lives; the action must close it.
    explicit ModalAnswer(Action action, const char *className = "QWidget");

    // How many windows the action ran on.
    int answered() const { return m_answered; }
    bool timedOut() const { return m_timedOut; }

private:
    void schedule();
    void poll();
    void closeAll();

    QByteArray m_className;
    Action m_action;
    int m_timeoutMs;
    bool m_each = false;
    QPointer<QWidget> m_below;
    QList<QPointer<QWidget>> m_done;
    QElapsedTimer m_clock;
    int m_answered = 0;
    bool m_timedOut = false;
};

// Clicks a button that opens a modal window, runs inside() on that window
// and closes it. False if no window opened.
bool clickIntoModal(QAbstractButton *button, const std::function<void(QWidget *)> &inside);

// The message box's text; empty for any other window.
QString messageBoxText(QWidget *box);
// Clicks the message box's standard button, as the user answers it.
void answerMessageBox(QWidget *box, int standardButton);

// What a message box showed: caption, text and icon.
struct MessageBoxRecord
{
    QString caption;
    QString text;
    int icon = 0;
};
// An action for ModalAnswer(Action) that closes each message box by its
// default button and records it; any other window is recorded as such and
// rejected.
ModalAnswer::Action closeMessageBoxes(QList<MessageBoxRecord> *records);

#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

class QAbstractButton;

// Runs a handler on the next modal dialog that opens above the one active
// now, from inside that dialog's own event loop. The handler must close the
// dialog; the opener's exec() then returns. seen() tells whether it ran.
class ModalWatcher
{
public:
    explicit ModalWatcher(std::function<void(QWidget *)> handler);

    bool seen() const { return m_seen; }

private:
    void poll(int triesLeft);

    std::function<void(QWidget *)> m_handler;
    QPointer<QWidget> m_below;
    bool m_seen = false;
    // Pending polls die with the watcher.
    QObject m_context;
};

// Clicks a button that opens a modal dialog, runs inside() on that dialog
// and closes it. False if no dialog opened.
bool clickIntoModal(QAbstractButton *button, const std::function<void(QWidget *)> &inside);

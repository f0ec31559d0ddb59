#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>

class QWidget;

// Answers the modal windows a test opens. The dialogs run their own modal
// loops (exec(), QMessageBox::critical, aboutQt), so a timer that keeps
// firing inside those loops looks for QApplication::activeModalWidget() and
// hands each new one, once, to the test's handler, which must close it.
class ModalWatcher : public QObject
{
public:
    using Handler = std::function<void(QWidget *modal)>;

    explicit ModalWatcher(Handler handler);

    int seen() const { return int(m_seen.size()); }

    // A handler that closes a message box by its default button and
    // remembers the box's caption, text and icon.
    struct MessageBoxRecord
    {
        QString caption;
        QString text;
        int icon = 0;
    };
    static Handler closeMessageBoxes(QList<MessageBoxRecord> *records);

private:
    void poll();

    Handler m_handler;
    QTimer m_timer;
    QList<QPointer<QWidget>> m_seen;
};

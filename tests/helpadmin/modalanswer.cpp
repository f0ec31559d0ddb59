#include "modalanswer.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

ModalAnswer::ModalAnswer(const char *className, std::function<void(QWidget *)> action, int timeoutMs)
    : m_className(className)
    , m_action(std::move(action))
    , m_timeoutMs(timeoutMs)
    , m_timer(new QTimer(this))
{
    m_timer->setInterval(5);
    connect(m_timer, &QTimer::timeout, this, &ModalAnswer::poll);
    m_clock.start();
    m_timer->start();
}

void ModalAnswer::poll()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (modal && modal->isVisible() && modal->inherits(m_className.constData())) {
        m_timer->stop();
        m_answered = true;
        m_action(modal);
        return;
    }
    if (m_clock.elapsed() < m_timeoutMs)
        return;
    m_timer->stop();
    m_timedOut = true;
    // Close whatever modal window is still up, innermost first.
    for (int guard = 0; guard < 10; ++guard) {
        QWidget *open = QApplication::activeModalWidget();
        if (!open)
            break;
        if (auto *dialog = qobject_cast<QDialog *>(open))
            dialog->reject();
        else
            open->close();
    }
}

#include "modalwatcher.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTest>
#include <QTimer>

ModalWatcher::ModalWatcher(std::function<void(QWidget *)> handler)
    : m_handler(std::move(handler)), m_below(QApplication::activeModalWidget())
{
    poll(500);
}

// Polls rather than firing once: the dialog becomes the active modal widget
// only once its exec() has shown it.
void ModalWatcher::poll(int triesLeft)
{
    QTimer::singleShot(10, &m_context, [this, triesLeft] {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal && modal != m_below && modal->isVisible()) {
            m_seen = true;
            m_handler(modal);
        } else if (triesLeft > 0) {
            poll(triesLeft - 1);
        }
    });
}

bool clickIntoModal(QAbstractButton *button, const std::function<void(QWidget *)> &inside)
{
    ModalWatcher watcher([&inside](QWidget *dialog) {
        inside(dialog);
        dialog->close();
    });
    QTest::mouseClick(button, Qt::LeftButton);
    return watcher.seen();
}

#include "tests/support/modalanswer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

constexpr int PollInterval = 10;

} // namespace

ModalAnswer::ModalAnswer(const char *className, Action action, int timeoutMs)
    : m_className(className)
    , m_action(std::move(action))
    , m_timeoutMs(timeoutMs)
    , m_below(QApplication::activeModalWidget())
{
    m_clock.start();
    schedule();
}

ModalAnswer::ModalAnswer(Action action, const char *className)
    : ModalAnswer(className, std::move(action), -1)
{
    m_each = true;
}

// Polls rather than firing once: a window becomes the active modal widget
// only once its exec() has shown it, and takes keys (mnemonics, shortcuts)
// only once the platform has activated it, which a loaded machine delays.
void ModalAnswer::schedule()
{
    QTimer::singleShot(PollInterval, this, &ModalAnswer::poll);
}

void ModalAnswer::poll()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (modal && modal != m_below && modal->isActiveWindow() && modal->inherits(m_className.constData())
        && !m_done.contains(QPointer<QWidget>(modal))) {
        m_done.append(modal);
        ++m_answered;
        m_action(modal);
        if (m_each)
            schedule();
        return;
    }
    if (m_timeoutMs >= 0 && m_clock.elapsed() >= m_timeoutMs) {
        m_timedOut = true;
        closeAll();
        return;
    }
    schedule();
}

// Closes whatever modal window is still up above the one that was active
// when this began, innermost first.
void ModalAnswer::closeAll()
{
    for (int guard = 0; guard < 10; ++guard) {
        QWidget *open = QApplication::activeModalWidget();
        if (!open || open == m_below)
            break;
        if (auto *dialog = qobject_cast<QDialog *>(open))
            dialog->reject();
        else
            open->close();
    }
}

bool clickIntoModal(QAbstractButton *button, const std::function<void(QWidget *)> &inside)
{
    ModalAnswer answer("QWidget", [&inside](QWidget *dialog) {
        inside(dialog);
        dialog->close();
    });
    QTest::mouseClick(button, Qt::LeftButton);
    return answer.answered() > 0;
}

QString messageBoxText(QWidget *box)
{
    auto *messageBox = qobject_cast<QMessageBox *>(box);
    return messageBox ? messageBox->text() : QString();
}

void answerMessageBox(QWidget *box, int standardButton)
{
    auto *messageBox = qobject_cast<QMessageBox *>(box);
    QVERIFY(messageBox);
    QAbstractButton *button = messageBox->button(QMessageBox::StandardButton(standardButton));
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton);
}

ModalAnswer::Action closeMessageBoxes(QList<MessageBoxRecord> *records)
{
    return [records](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        if (!box) {
            records->append({modal->windowTitle(), QStringLiteral("<not a message box: %1>")
                                                       .arg(QLatin1String(modal->metaObject()->className())),
                             -1});
            if (auto *dialog = qobject_cast<QDialog *>(modal))
                dialog->reject();
            return;
        }
        records->append({box->windowTitle(), box->text(), int(box->icon())});
        QAbstractButton *button = box->defaultButton();
        if (!button && !box->buttons().isEmpty())
            button = box->buttons().constFirst();
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
    };
}

#include "modalwatcher.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

ModalWatcher::ModalWatcher(Handler handler)
    : m_handler(std::move(handler))
{
    connect(&m_timer, &QTimer::timeout, this, &ModalWatcher::poll);
    m_timer.start(20);
}

void ModalWatcher::poll()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal || m_seen.contains(QPointer<QWidget>(modal)))
        return;
    m_seen.append(modal);
    m_handler(modal);
}

ModalWatcher::Handler ModalWatcher::closeMessageBoxes(QList<MessageBoxRecord> *records)
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

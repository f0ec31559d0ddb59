#include "admintest.h"

#include "dialogwindowflags.h"
#include "tradeskilldata.h"
#include "vorrakadmindialog.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QTabWidget>
#include <QTreeWidget>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

ScratchDir::ScratchDir()
    : m_previous(QDir::currentPath())
{
    if (m_dir.isValid())
        QDir::setCurrent(m_dir.path());
}

ScratchDir::~ScratchDir()
{
    QDir::setCurrent(m_previous);
}

bool ScratchDir::isValid() const
{
    return m_dir.isValid() && QDir::currentPath() == QDir(m_dir.path()).canonicalPath();
}

LogCapture *LogCapture::s_current = nullptr;

LogCapture::LogCapture()
{
    s_current = this;
    m_previous = qInstallMessageHandler(&LogCapture::handler);
}

LogCapture::~LogCapture()
{
    qInstallMessageHandler(m_previous);
    s_current = nullptr;
}

void LogCapture::clear()
{
    m_debug.clear();
    m_warnings.clear();
}

void LogCapture::handler(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (!s_current)
        return;
    if (type == QtDebugMsg)
        s_current->m_debug.append(text);
    else if (type == QtWarningMsg)
        s_current->m_warnings.append(text);
}

ModalWatcher::ModalWatcher(const char *className, std::function<void(QWidget *)> action)
{
    m_timer.setInterval(10);
    QObject::connect(&m_timer, &QTimer::timeout, [this, className, action]() {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || (className && qstrcmp(modal->metaObject()->className(), className) != 0))
            return;
        m_timer.stop();
        m_fired = true;
        action(modal);
    });
    m_timer.start();
}

Editor::Editor()
    : dialog(new VorrakAdminDialog(nullptr, nullptr, false, DialogWindowFlags))
{
    dialog->show();
    dialog->activateWindow();
    shown = QTest::qWaitForWindowActive(dialog);
}

Editor::~Editor()
{
    delete dialog;
}

const QList<ProcGroup> &Editor::groups() const
{
    return dialog->data().procGrps();
}

QStringList entries(const QComboBox *combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts.append(combo->itemText(i));
    return texts;
}

QStringList rows(const QTreeWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QStringList columns;
        for (int c = 0; c < list->columnCount(); ++c)
            columns.append(list->topLevelItem(i)->text(c));
        texts.append(columns.join(QLatin1Char('|')));
    }
    return texts;
}

void choose(QComboBox *combo, int index)
{
    combo->setFocus();
    while (combo->currentIndex() < index)
        QTest::keyClick(combo, Qt::Key_Down);
    while (combo->currentIndex() > index)
        QTest::keyClick(combo, Qt::Key_Up);
}

void clickRow(QTreeWidget *list, const QString &name)
{
    const QList<QTreeWidgetItem *> found = list->findItems(name, Qt::MatchExactly);
    QVERIFY2(found.size() == 1, qPrintable(name));
    // Bring the list's page to the front so the row can be clicked. A tab
    // page sits in the tab widget's internal stack.
    for (QWidget *page = list; page && page->parentWidget(); page = page->parentWidget()) {
        auto *tabs = qobject_cast<QTabWidget *>(page->parentWidget()->parentWidget());
        if (tabs && tabs->indexOf(page) >= 0)
            tabs->setCurrentWidget(page);
    }
    const QRect rect = list->visualItemRect(found.first());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    QCOMPARE(list->currentItem(), found.first());
}

void clickButton(QWidget *dialog, const char *objectName)
{
    auto *button = dialog->findChild<QAbstractButton *>(QString::fromLatin1(objectName));
    QVERIFY2(button, objectName);
    QTest::mouseClick(button, Qt::LeftButton);
}

void typeInto(QWidget *dialog, const char *objectName, const QString &text)
{
    auto *edit = dialog->findChild<QLineEdit *>(QString::fromLatin1(objectName));
    QVERIFY2(edit, objectName);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

void answerMessageBox(QWidget *box, int standardButton)
{
    auto *messageBox = qobject_cast<QMessageBox *>(box);
    QVERIFY(messageBox);
    QAbstractButton *button = messageBox->button(QMessageBox::StandardButton(standardButton));
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton);
}

QString messageBoxText(QWidget *box)
{
    auto *messageBox = qobject_cast<QMessageBox *>(box);
    return messageBox ? messageBox->text() : QString();
}

bool writeDataFile(const QList<ProcGroup> &groups)
{
    TradeskillData data;
    data.procGrps() = groups;
    return data.save().saved;
}

QList<ProcGroup> readDataFile()
{
    TradeskillData data;
    data.load();
    return data.procGrps();
}

QByteArray dataFileBytes()
{
    QFile file(TradeskillData::filePath());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

Req makeReq(const QString &name, const QString &multiplier, int t, qint32 id)
{
    Req req;
    req.name = name;
    req.multiplier = multiplier;
    req.t = quint8(t);
    req.id = id;
    return req;
}

Proc makeProc(const QString &name, int maxQL, int minQL, const QList<Req> &reqs)
{
    Proc proc;
    proc.name = name;
    proc.maxQL = quint8(maxQL);
    proc.minQL = quint8(minQL);
    proc.reqs = reqs;
    return proc;
}

ProcGroup makeGroup(const QString &name, const QList<Proc> &procs)
{
    ProcGroup group;
    group.name = name;
    group.procs = procs;
    return group;
}

#pragma once

#include "procgroup.h"
#include "vorrakadmindialog.h"

#include <QComboBox>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <functional>

class QComboBox;
class QTreeWidget;
class QWidget;

// Runs each test in a fresh temporary current directory, so Vorrak.dat and
// Vorrak.hlp never touch the build tree; the old directory comes back after.
class ScratchDir
{
public:
    ScratchDir();
    ~ScratchDir();
    bool isValid() const;
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

// Collects the debug and warning lines while it lives.
class LogCapture
{
public:
    LogCapture();
    ~LogCapture();
    QStringList debugLines() const { return m_debug; }
    QStringList warningLines() const { return m_warnings; }
    void clear();

private:
    static void handler(QtMsgType type, const QMessageLogContext &, const QString &text);
    static LogCapture *s_current;
    QStringList m_debug;
    QStringList m_warnings;
    QtMessageHandler m_previous;
};

// Waits for the first modal window of the given class (any class for null) to become the active
// modal widget and runs `action` on it once. A modal dialog opened by the
// code under test blocks in its own event loop, and this is what answers it.
class ModalWatcher
{
public:
    ModalWatcher(const char *className, std::function<void(QWidget *)> action);
    bool fired() const { return m_fired; }

private:
    QTimer m_timer;
    bool m_fired = false;
};

// The editor's main dialog, shown and active, with its widgets at hand.
struct Editor
{
    Editor();
    ~Editor();

    template <typename T>
    T *get(const char *name) const
    {
        return dialog->findChild<T *>(QString::fromLatin1(name));
    }
    QComboBox *combo(const char *name) const { return get<QComboBox>(name); }
    QTreeWidget *list(const char *name) const { return get<QTreeWidget>(name); }
    const QList<ProcGroup> &groups() const;

    VorrakAdminDialog *dialog;
    bool shown = false;
};

QStringList entries(const QComboBox *combo);
// Rows as "name|multiplier|hidden columns..." in the order shown.
QStringList rows(const QTreeWidget *list);
// Picks an entry with the arrow keys, as a user does; each step is an activation.
void choose(QComboBox *combo, int index);
// Makes a row current by clicking it, on the list's own page.
void clickRow(QTreeWidget *list, const QString &name);

// Helpers that act on a dialog the way a user does.
void clickButton(QWidget *dialog, const char *objectName);
void typeInto(QWidget *dialog, const char *objectName, const QString &text);
void answerMessageBox(QWidget *box, int standardButton);
QString messageBoxText(QWidget *box);

// Store contents written to, and read from, Vorrak.dat in the current directory.
bool writeDataFile(const QList<ProcGroup> &groups);
QList<ProcGroup> readDataFile();
QByteArray dataFileBytes();

// Small records for building test stores.
Req makeReq(const QString &name, const QString &multiplier, int t, qint32 id);
Proc makeProc(const QString &name, int maxQL, int minQL, const QList<Req> &reqs = {});
ProcGroup makeGroup(const QString &name, const QList<Proc> &procs = {});

#include "admin/sessionendhandler.h"

#include "gui/sessionending.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QSocketNotifier>
#include <QThread>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

#if defined(VORRAK_HAVE_XCB) && QT_CONFIG(xcb)
#include <QGuiApplication>
#include <xcb/xcb.h>
#endif

namespace {

QtMessageHandler s_previousHandler = nullptr;
bool s_keepingWork = false;

// Passes every message on as before; after a warning on the main thread
// whose display is gone, keeps the open work and ends the program.
void watchForLostDisplay(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (s_previousHandler)
        s_previousHandler(type, context, text);
    if (type == QtDebugMsg || type == QtInfoMsg || s_keepingWork || !qApp
        || QThread::currentThread() != qApp->thread() || !SessionEndHandler::displayConnectionBroken())
        return;
    s_keepingWork = true;
    SessionEnding::begin(SessionEnding::Cause::DisplayLost);
    qWarning("The display is gone: saving the open work before the editor ends");
    SessionEnding::keepOpenWork();
    // The work is on disk. Qt's own teardown cannot run without its display
    // (xcb would end the program itself right after this warning), so the
    // program ends here without running exit handlers or static destructors.
    std::fflush(nullptr);
    std::_Exit(0);
}

} // namespace

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int EndSignals[] = {SIGTERM, SIGHUP, SIGINT};
constexpr int SignalCount = int(sizeof EndSignals / sizeof EndSignals[0]);

int s_pipe[2] = {-1, -1};
struct sigaction s_previous[SignalCount];
bool s_installed[SignalCount] = {};

void onEndSignal(int signal)
{
    const int savedErrno = errno;
    const char byte = char(signal);
    // When the pipe is full it already holds a request.
    [[maybe_unused]] const ssize_t written = ::write(s_pipe[1], &byte, 1);
    errno = savedErrno;
}

} // namespace
#endif

SessionEndHandler::SessionEndHandler(QObject *parent)
    : QObject(parent)
{
#ifdef Q_OS_UNIX
    Q_ASSERT(s_pipe[0] < 0);
    if (::pipe2(s_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        qWarning("Cannot watch for the end of the session: %s", std::strerror(errno));
    } else {
        m_notifier = new QSocketNotifier(s_pipe[0], QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, &SessionEndHandler::readSignals);

        struct sigaction action = {};
        action.sa_handler = onEndSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (int i = 0; i < SignalCount; ++i) {
            struct sigaction current = {};
            // A signal ignored from the start (SIGHUP under nohup) stays ignored.
            if (::sigaction(EndSignals[i], nullptr, &current) != 0 || current.sa_handler == SIG_IGN)
                continue;
            s_installed[i] = ::sigaction(EndSignals[i], &action, &s_previous[i]) == 0;
        }
    }
#endif
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, &SessionEndHandler::requestEnd);
    s_previousHandler = qInstallMessageHandler(watchForLostDisplay);
}

SessionEndHandler::~SessionEndHandler()
{
    qInstallMessageHandler(s_previousHandler);
    s_previousHandler = nullptr;
    SessionEnding::clear();
#ifdef Q_OS_UNIX
    for (int i = 0; i < SignalCount; ++i) {
        if (s_installed[i])
            ::sigaction(EndSignals[i], &s_previous[i], nullptr);
        s_installed[i] = false;
    }
    for (int &fd : s_pipe) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
#endif
}

void SessionEndHandler::requestEnd()
{
    if (m_ending)
        return;
    m_ending = true;
    SessionEnding::begin(SessionEnding::Cause::Told);
    qApp->installEventFilter(this);
    closeInnermostDialogLater();
}

bool SessionEndHandler::displayConnectionBroken()
{
#if defined(VORRAK_HAVE_XCB) && QT_CONFIG(xcb)
    const auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 && x11->connection() && xcb_connection_has_error(x11->connection()) != 0;
#else
    return false;
#endif
}

bool SessionEndHandler::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show && watched->isWidgetType() && static_cast<QWidget *>(watched)->isWindow())
        closeInnermostDialogLater();
    return false;
}

void SessionEndHandler::readSignals()
{
#ifdef Q_OS_UNIX
    char bytes[16];
    while (::read(s_pipe[0], bytes, sizeof bytes) > 0) {
    }
#endif
    requestEnd();
}

void SessionEndHandler::closeInnermostDialogLater()
{
    // Queued: a dialog that is being shown is the active modal widget by
    // then, and one that was just closed no longer is.
    QMetaObject::invokeMethod(this, &SessionEndHandler::closeInnermostDialog, Qt::QueuedConnection);
}

void SessionEndHandler::closeInnermostDialog()
{
    QPointer<QWidget> dialog = QApplication::activeModalWidget();
    if (!dialog || !dialog->isVisible())
        return;
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(dialog, &press);
    if (dialog)
        QCoreApplication::sendEvent(dialog, &release);
    // A message box without an escape button ignores Escape; hiding ends its
    // exec() all the same.
    if (dialog && dialog->isVisible())
        dialog->hide();
    // Then the one around it.
    closeInnermostDialogLater();
}

#include "browser/headlesschromium.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

constexpr int ReplyTimeoutMs = 60000;

} // namespace

QString HeadlessChromium::executable()
{
    for (const char *path : {"/usr/bin/chromium", "/usr/bin/chromium-browser"}) {
        if (QFileInfo(QLatin1String(path)).isExecutable())
            return QLatin1String(path);
    }
    return QString();
}

HeadlessChromium::HeadlessChromium() = default;

HeadlessChromium::~HeadlessChromium()
{
    if (m_pid > 0) {
        send(QJsonObject{{"id", m_nextId++}, {"method", "Browser.close"}});
        // Chromium closes its end of the reply pipe as it exits: wait for
        // that end of file (5 s at most), then reap it or end it.
        QElapsedTimer clock;
        clock.start();
        char discard[4096];
        for (qint64 left = 5000; left > 0; left = 5000 - clock.elapsed()) {
            pollfd readable{m_fromBrowser, POLLIN, 0};
            if (poll(&readable, 1, int(left)) <= 0 || read(m_fromBrowser, discard, sizeof discard) <= 0)
                break;
        }
        // Then wait for the process itself through a pidfd, in the time left.
        const int exited = int(syscall(SYS_pidfd_open, m_pid, 0));
        if (exited >= 0) {
            pollfd done{exited, POLLIN, 0};
            poll(&done, 1, int(qMax<qint64>(0, 5000 - clock.elapsed())));
            close(exited);
        }
        if (waitpid(m_pid, nullptr, WNOHANG) != m_pid) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
        m_pid = -1;
    }
    if (m_toBrowser >= 0)
        close(m_toBrowser);
    if (m_fromBrowser >= 0)
        close(m_fromBrowser);
}

bool HeadlessChromium::start(const QString &profileDir)
{
    int toBrowser[2];
    int fromBrowser[2];
    if (pipe2(toBrowser, O_CLOEXEC) != 0 || pipe2(fromBrowser, O_CLOEXEC) != 0) {
        m_error = QStringLiteral("pipe failed");
        return false;
    }
    // The protocol pipe is file descriptors 3 (commands) and 4 (replies).
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, toBrowser[0], 3);
    posix_spawn_file_actions_adddup2(&actions, fromBrowser[1], 4);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);

    const QByteArray program = executable().toLocal8Bit();
    const QByteArray profile = "--user-data-dir=" + profileDir.toLocal8Bit();
    QList<QByteArray> arguments{program, "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                                "--no-first-run", "--disable-background-networking", "--disable-component-update",
                                "--disable-sync", "--disable-extensions", "--remote-debugging-pipe", profile,
                                "about:blank"};
    std::vector<char *> argv;
    for (QByteArray &argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    const int spawned = posix_spawn(&m_pid, program.constData(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(toBrowser[0]);
    close(fromBrowser[1]);
    m_toBrowser = toBrowser[1];
    m_fromBrowser = fromBrowser[0];
    if (spawned != 0) {
        m_pid = -1;
        m_error = QStringLiteral("cannot start %1").arg(QString::fromLocal8Bit(program));
        return false;
    }

    const QJsonObject targets = call(QStringLiteral("Target.getTargets"));
    QString targetId;
    for (const QJsonValue &target : targets.value("targetInfos").toArray()) {
        if (target.toObject().value("type") == QLatin1String("page"))
            targetId = target.toObject().value("targetId").toString();
    }
    if (targetId.isEmpty()) {
        m_error = QStringLiteral("no page in the browser: ") + m_error;
        return false;
    }
    const QJsonObject attached =
        call(QStringLiteral("Target.attachToTarget"), {{"targetId", targetId}, {"flatten", true}});
    m_sessionId = attached.value("sessionId").toString();
    if (m_sessionId.isEmpty())
        return false;
    call(QStringLiteral("Network.enable"));
    call(QStringLiteral("Page.enable"));
    return m_error.isEmpty();
}

bool HeadlessChromium::open(const QString &url)
{
    m_loaded = false;
    m_requests.clear();
    call(QStringLiteral("Page.navigate"), {{"url", url}});
    QElapsedTimer timer;
    timer.start();
    while (!m_loaded && m_error.isEmpty() && timer.elapsed() < ReplyTimeoutMs) {
        QJsonObject message;
        if (!receive(message))
            return false;
        noteEvent(message);
    }
    if (!m_loaded && m_error.isEmpty())
        m_error = QStringLiteral("the page did not load: ") + url;
    return m_loaded;
}

QJsonValue HeadlessChromium::evaluate(const QString &expression)
{
    const QJsonObject reply = call(QStringLiteral("Runtime.evaluate"),
                                   {{"expression", expression}, {"returnByValue", true}, {"awaitPromise", true}});
    if (reply.contains("exceptionDetails")) {
        m_error = QString::fromUtf8(QJsonDocument(reply.value("exceptionDetails").toObject()).toJson());
        return QJsonValue(QJsonValue::Undefined);
    }
    return reply.value("result").toObject().value("value");
}

QByteArray HeadlessChromium::screenshot(int width, int height)
{
    call(QStringLiteral("Emulation.setDeviceMetricsOverride"),
         {{"width", width}, {"height", height}, {"deviceScaleFactor", 1}, {"mobile", false}});
    const QJsonObject shot = call(QStringLiteral("Page.captureScreenshot"), {{"format", "png"}});
    return QByteArray::fromBase64(shot.value("data").toString().toLatin1());
}

QJsonObject HeadlessChromium::call(const QString &method, const QJsonObject &params)
{
    const int id = m_nextId++;
    QJsonObject message{{"id", id}, {"method", method}, {"params", params}};
    if (!m_sessionId.isEmpty())
        message.insert("sessionId", m_sessionId);
    if (!send(message))
        return {};
    QJsonObject reply;
    while (receive(reply)) {
        if (reply.value("id").toInt() != id) {
            noteEvent(reply);
            continue;
        }
        if (reply.contains("error")) {
            m_error = method + QStringLiteral(": ") + reply.value("error").toObject().value("message").toString();
            return {};
        }
        return reply.value("result").toObject();
    }
    return {};
}

void HeadlessChromium::noteEvent(const QJsonObject &event)
{
    const QString method = event.value("method").toString();
    if (method == QLatin1String("Network.requestWillBeSent"))
        m_requests.append(event.value("params").toObject().value("request").toObject().value("url").toString());
    else if (method == QLatin1String("Page.loadEventFired"))
        m_loaded = true;
}

bool HeadlessChromium::send(const QJsonObject &message)
{
    const QByteArray bytes = QJsonDocument(message).toJson(QJsonDocument::Compact) + '\0';
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t n = write(m_toBrowser, bytes.constData() + written, size_t(bytes.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            m_error = QStringLiteral("the browser closed its pipe");
            return false;
        }
        written += n;
    }
    return true;
}

bool HeadlessChromium::receive(QJsonObject &message)
{
    QElapsedTimer timer;
    timer.start();
    while (!m_buffer.contains('\0')) {
        pollfd readable{m_fromBrowser, POLLIN, 0};
        const int remaining = int(ReplyTimeoutMs - timer.elapsed());
        if (remaining <= 0 || poll(&readable, 1, remaining) <= 0) {
            m_error = QStringLiteral("no answer from the browser");
            return false;
        }
        char chunk[65536];
        const ssize_t n = read(m_fromBrowser, chunk, sizeof chunk);
        if (n <= 0) {
            m_error = QStringLiteral("the browser ended");
            return false;
        }
        m_buffer.append(chunk, n);
    }
    const qsizetype end = m_buffer.indexOf('\0');
    message = QJsonDocument::fromJson(m_buffer.left(end)).object();
    m_buffer.remove(0, end + 1);
    return true;
}

#include "tests/helpadmin/testxserver.h"

#include <QProcessEnvironment>
#include <QStandardPaths>

namespace {

bool runXdotool(const QString &display, const QStringList &arguments, QByteArray *output = nullptr)
{
    QProcess xdotool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display);
    xdotool.setProcessEnvironment(environment);
    xdotool.start(QStringLiteral("xdotool"), arguments);
    const bool ran = xdotool.waitForFinished(10000) && xdotool.exitStatus() == QProcess::NormalExit
        && xdotool.exitCode() == 0;
    if (output)
        *output = xdotool.readAllStandardOutput();
    return ran;
}

} // namespace

TestXServer::TestXServer(Use use)
{
    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty()) {
        m_reason = QStringLiteral("xdotool is not installed (scripts/install-deps.sh installs it)");
        return;
    }
    const QString current = qEnvironmentVariable("DISPLAY");
    if (use == Use::AnyDisplay && !current.isEmpty() && answers(current)) {
        m_display = current;
        return;
    }
    if (startXvfb())
        return;
    if (m_reason.isEmpty())
        m_reason = QStringLiteral("no X server could be started");
}

TestXServer::~TestXServer()
{
    if (m_xvfb.state() != QProcess::NotRunning) {
        m_xvfb.terminate();
        if (!m_xvfb.waitForFinished(5000))
            m_xvfb.kill();
        m_xvfb.waitForFinished(5000);
    }
}

bool TestXServer::answers(const QString &display) const
{
    return runXdotool(display, {QStringLiteral("getdisplaygeometry")});
}

bool TestXServer::startXvfb()
{
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty()) {
        m_reason = QStringLiteral("DISPLAY is not usable and Xvfb is not installed (scripts/install-deps.sh installs it)");
        return false;
    }
    // Xvfb picks a free display itself and writes its number to stdout.
    m_xvfb.setProcessChannelMode(QProcess::SeparateChannels);
    m_xvfb.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                                          QStringLiteral("0"), QStringLiteral("800x600x24"), QStringLiteral("-nolisten"),
                                          QStringLiteral("tcp")});
    if (!m_xvfb.waitForStarted(5000)) {
        m_reason = QStringLiteral("Xvfb did not start: ") + m_xvfb.errorString();
        return false;
    }
    QByteArray number;
    while (!number.contains('\n') && m_xvfb.waitForReadyRead(10000))
        number += m_xvfb.readAllStandardOutput();
    bool ok = false;
    const int display = number.trimmed().toInt(&ok);
    if (!ok) {
        m_reason = QStringLiteral("Xvfb reported no display: ") + QString::fromLocal8Bit(m_xvfb.readAllStandardError());
        return false;
    }
    const QString name = QStringLiteral(":%1").arg(display);
    if (!answers(name)) {
        m_reason = QStringLiteral("the new Xvfb on %1 does not answer").arg(name);
        return false;
    }
    m_display = name;
    return true;
}

bool TestXServer::pressKey(const QString &keysym) const
{
    return xdotool({QStringLiteral("key"), keysym});
}

bool TestXServer::xdotool(const QStringList &arguments, QByteArray *output) const
{
    return isReady() && runXdotool(m_display, arguments, output);
}

bool TestXServer::kill()
{
    if (m_xvfb.state() == QProcess::NotRunning)
        return false;
    m_xvfb.kill();
    return m_xvfb.waitForFinished(5000);
}

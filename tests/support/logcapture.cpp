#include "tests/support/logcapture.h"

LogCapture *LogCapture::s_current = nullptr;

LogCapture::LogCapture()
{
    Q_ASSERT(!s_current);
    s_current = this;
    m_previous = qInstallMessageHandler(&LogCapture::handle);
}

LogCapture::~LogCapture()
{
    qInstallMessageHandler(m_previous);
    s_current = nullptr;
}

void LogCapture::handle(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (s_current)
        s_current->m_lines.append({type, text});
}

QStringList LogCapture::lines(QtMsgType type) const
{
    QStringList result;
    for (const Line &line : m_lines) {
        if (line.type == type)
            result.append(line.text);
    }
    return result;
}

QStringList LogCapture::allLines() const
{
    QStringList result;
    for (const Line &line : m_lines)
        result.append((line.type == QtDebugMsg ? QLatin1String("D: ") : QLatin1String("W: ")) + line.text);
    return result;
}

#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

// Records every log line while it exists, so that tests can compare the
// exact lines the libraries write. Only one may exist at a time.
class LogCapture
{
public:
    struct Line
    {
        QtMsgType type;
        QString text;
    };

    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture &) = delete;
    LogCapture &operator=(const LogCapture &) = delete;

    QStringList lines(QtMsgType type) const;
    QStringList debugLines() const { return lines(QtDebugMsg); }
    QStringList warningLines() const { return lines(QtWarningMsg); }
    // All lines in order, each prefixed "D: " or "W: " so order across kinds can be checked.
    QStringList allLines() const;
    void clear() { m_lines.clear(); }

private:
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &text);

    static LogCapture *s_current;
    QtMessageHandler m_previous;
    QList<Line> m_lines;
};

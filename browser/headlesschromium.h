#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <QStringList>

#include <sys/types.h>

// Chromium without a window, driven over the DevTools protocol on a pipe
// (--remote-debugging-pipe), so no port is opened and nothing but the
// browser itself is needed. One page; every network request it makes is
// recorded.
class HeadlessChromium
{
public:
    static QString executable();

    HeadlessChromium();
    ~HeadlessChromium();
    HeadlessChromium(const HeadlessChromium &) = delete;
    HeadlessChromium &operator=(const HeadlessChromium &) = delete;

    // Starts the browser on an empty page; false with error() on failure.
    bool start(const QString &profileDir);
    // Opens `url` and waits until the page has loaded.
    bool open(const QString &url);
    // The value of a JavaScript expression (promises are awaited); an
    // invalid value with error() set when it throws.
    QJsonValue evaluate(const QString &expression);

    // The page as shown in a viewport of `width` x `height` CSS pixels, as PNG.
    QByteArray screenshot(int width, int height);

    QStringList requestedUrls() const { return m_requests; }
    QString error() const { return m_error; }

private:
    QJsonObject call(const QString &method, const QJsonObject &params = {});
    bool send(const QJsonObject &message);
    bool receive(QJsonObject &message);
    void noteEvent(const QJsonObject &event);

    pid_t m_pid = -1;
    int m_toBrowser = -1;
    int m_fromBrowser = -1;
    int m_nextId = 1;
    QByteArray m_buffer;
    QString m_sessionId;
    QStringList m_requests;
    bool m_loaded = false;
    QString m_error;
};

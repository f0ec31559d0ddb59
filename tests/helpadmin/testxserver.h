#pragma once

#include <QProcess>
#include <QString>

// An X display for tests that need real X key events: the one named in
// DISPLAY when it answers (unless a server of the test's own is asked for),
// otherwise a private Xvfb on a free display that ends with this object.
// xdotool, which sends the key events, must work on it.
class TestXServer
{
public:
    enum class Use { AnyDisplay, OwnServer };
    explicit TestXServer(Use use = Use::AnyDisplay);
    ~TestXServer();
    TestXServer(const TestXServer &) = delete;
    TestXServer &operator=(const TestXServer &) = delete;

    bool isReady() const { return !m_display.isEmpty(); }
    QString display() const { return m_display; }
    // Why there is no display, for the skip message.
    QString reason() const { return m_reason; }

    // Presses and releases a key by its keysym name on the display, as a
    // person at the keyboard would.
    bool pressKey(const QString &keysym) const;
    // Runs xdotool on the display; its output in `output`.
    bool xdotool(const QStringList &arguments, QByteArray *output = nullptr) const;
    // Ends the server of the test's own at once, as a crash does.
    bool kill();

private:
    bool answers(const QString &display) const;
    bool startXvfb();

    QProcess m_xvfb;
    QString m_display;
    QString m_reason;
};

// The Num and Caps indicators of the body editor on a real X server: a lock
// key pressed with a real X key event switches its indicator on and off.
#include "admin/helpadmin/bodytextedit.h"
#include "admin/helpadmin/vorrakeditor.h"
#include "tests/helpadmin/testxserver.h"

#include <QApplication>
#include <QLabel>
#include <QTest>

class TestLockKeysX11 : public QObject
{
    Q_OBJECT

public:
    explicit TestLockKeysX11(const TestXServer &server)
        : m_server(server)
    {
    }

private slots:
    void indicatorFollowsLock_data();
    void indicatorFollowsLock();

private:
    const TestXServer &m_server;
};

void TestLockKeysX11::indicatorFollowsLock_data()
{
    QTest::addColumn<QString>("keysym");
    QTest::addColumn<QString>("indicator");
    QTest::addColumn<QString>("other");

    QTest::newRow("Caps Lock") << "Caps_Lock" << "CapsLockInd" << "NumLockInd";
    QTest::newRow("Num Lock") << "Num_Lock" << "NumLockInd" << "CapsLockInd";
}

void TestLockKeysX11::indicatorFollowsLock()
{
    if (!m_server.isReady())
        QSKIP(qPrintable(m_server.reason()));
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
    QFETCH(QString, keysym);
    QFETCH(QString, indicator);
    QFETCH(QString, other);

    VorrakEditor editor;
    editor.show();
    editor.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&editor));
    auto *label = editor.findChild<QLabel *>(indicator);
    auto *otherLabel = editor.findChild<QLabel *>(other);
    QVERIFY(label && otherLabel);
    const bool before = label->isEnabled();
    const bool otherBefore = otherLabel->isEnabled();

    QVERIFY(m_server.pressKey(keysym));
    QTRY_COMPARE(label->isEnabled(), !before);
    QCOMPARE(otherLabel->isEnabled(), otherBefore);

    // A new window reads the state at construction.
    VorrakEditor second;
    QCOMPARE(second.findChild<QLabel *>(indicator)->isEnabled(), !before);

    QVERIFY(m_server.pressKey(keysym));
    QTRY_COMPARE(label->isEnabled(), before);

    // Other keys leave the indicators alone.
    QVERIFY(m_server.pressKey(QStringLiteral("a")));
    QTRY_COMPARE(editor.bodyEdit()->toPlainText(), QStringLiteral("a"));
    QCOMPARE(label->isEnabled(), before);
    QCOMPARE(otherLabel->isEnabled(), otherBefore);
}

int main(int argc, char **argv)
{
    TestXServer server;
    if (server.isReady()) {
        qputenv("DISPLAY", server.display().toLocal8Bit());
        qputenv("QT_QPA_PLATFORM", "xcb");
        // Only the X server matters here; no desktop services over the
        // session bus are wanted, on a private Xvfb there are none anyway.
        qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    }
    QApplication app(argc, argv);
    TestLockKeysX11 test(server);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_lockkeys_x11.moc"

// A shutdown, a closed terminal, Ctrl+C, a logout and a lost display end the
// editor as "E&xit" does: open dialogs close as by Escape, innermost first
// (a changed body kept as by Save), the help window writes Vorrak.hlp, and
// Vorrak.dat is written once at the end. An end save that fails then goes to
// an emergency copy, which the next start tells of once.
#include "admin/editorsession.h"
#include "admin/sessionendhandler.h"
#include "help/helpdata.h"
#include "tests/helpadmin/helpadmintestsupport.h"
#include "tests/helpadmin/testxserver.h"
#include "tests/support/fixtures.h"
#include "tests/support/logcapture.h"
#include "tests/support/modalanswer.h"
#include "tests/support/scratchdir.h"
#include "tests/support/widgetinput.h"
#include "tradeskill/tradeskilldata.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSessionManager>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <csignal>

namespace {

const QByteArray EmptyStore = QByteArray::fromHex("2AE510A40000");

QList<ProcGroup> twoGroups()
{
    return {ProcGroup{QStringLiteral("Weapons"), {}}, ProcGroup{QStringLiteral("Armor"), {}}};
}

// Whether the process has a handler for each of the signals, from its
// caught-signals mask in /proc.
bool catchesEndSignals(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (!line.startsWith("SigCgt:"))
            continue;
        const quint64 caught = line.mid(7).trimmed().toULongLong(nullptr, 16);
        const quint64 wanted = (quint64(1) << (SIGTERM - 1)) | (quint64(1) << (SIGHUP - 1)) | (quint64(1) << (SIGINT - 1));
        return (caught & wanted) == wanted;
    }
    return false;
}

} // namespace

class TestSessionEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void endsLikeExit_data();
    void endsLikeExit();
    void programEndsOnSignal_data();
    void programEndsOnSignal();
    void failedEndSaveKeepsCopy();
    void programKeepsWorkWhenDisplayIsLost();
};

void TestSessionEnd::initTestCase()
{
    // Started in the background by a shell, this process and so the editor
    // it starts would ignore SIGINT, and the editor leaves ignored signals be.
    for (int signal : {SIGTERM, SIGHUP, SIGINT})
        std::signal(signal, SIG_DFL);
}

void TestSessionEnd::endsLikeExit_data()
{
    QTest::addColumn<int>("signal"); // 0: the session manager's logout
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGHUP") << int(SIGHUP);
    QTest::newRow("SIGINT") << int(SIGINT);
    QTest::newRow("logout") << 0;
}

// The whole editor in this process, with changes in both files pending and
// the topic form open inside the help window when the end comes.
void TestSessionEnd::endsLikeExit()
{
    QFETCH(int, signal);
    ScratchDir scratch;
    QVERIFY(scratch.isValid());
    QVERIFY(scratch.write(QStringLiteral("Vorrak.dat"), dataFileBytes(twoGroups())));
    QVERIFY(scratch.write(QStringLiteral("Vorrak.hlp"), helpFileBytes(topicsWithIds({"1"}))));

    SessionEndHandler handler;
    LogCapture log;
    bool reachedForm = false;
    bool rescued = false;
    // Should nothing close the dialogs, the test ends all the same. The timer
    // lives in this frame, so it cannot fire into a later test's stack.
    QTimer rescue;
    rescue.setSingleShot(true);
    connect(&rescue, &QTimer::timeout, [&rescued] {
        rescued = true;
        while (auto *open = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
            open->reject();
    });
    ModalAnswer editor("VorrakAdminDialog", [&](QWidget *mainDialog) {
        clickButton(mainDialog, "SortGrpBtn");
        ModalAnswer help("VorrakHelpDialog", [&](QWidget *helpDialog) {
            QVERIFY(addTopic(helpDialog, QStringLiteral("2")));
            QVERIFY(addTopic(helpDialog, QStringLiteral("3"), [&](QWidget *) {
                reachedForm = true;
                rescue.start(10000);
                if (signal)
                    ::raise(signal);
                else
                    emit qGuiApp->commitDataRequest(*qGuiApp->findChild<QSessionManager *>());
            }));
        });
        clickButton(mainDialog, "HelpBtn");
        QVERIFY(help.answered());
    });
    QCOMPARE(EditorSession::run(), 0);
    QVERIFY(editor.answered());
    QVERIFY(reachedForm);
    QVERIFY2(!rescued, "the dialogs stayed open");

    // The open topic form was left as by Escape: topic 3 was not added.
    HelpData help;
    QCOMPARE(help.load().status(), HelpData::LoadStatus::Loaded);
    QCOMPARE(topicIds(help.topics()), (QStringList{QStringLiteral("1"), QStringLiteral("2")}));
    TradeskillData data;
    QCOMPARE(data.load().status(), TradeskillData::LoadStatus::Loaded);
    QList<ProcGroup> sorted = twoGroups();
    sorted.move(1, 0);
    QCOMPARE(data.procGrps(), sorted);
    const QStringList saves = log.debugLines().filter(QStringLiteral("Saving"));
    QCOMPARE(saves, (QStringList{QStringLiteral("Saving help file..."), QStringLiteral("Saving data file...")}));
}

void TestSessionEnd::programEndsOnSignal_data()
{
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGHUP") << int(SIGHUP);
    QTest::newRow("SIGINT") << int(SIGINT);
}

// The real program, started on a data file it does not recognise: its load
// message is open (or about to open) when the signal comes, and the file is
// kept aside before the empty store replaces it.
void TestSessionEnd::programEndsOnSignal()
{
    QFETCH(int, signal);
    ScratchDir scratch;
    QVERIFY(scratch.isValid());
    const QByteArray unrecognised("not a data file");
    QVERIFY(scratch.write(QStringLiteral("Vorrak.dat"), unrecognised));

    QProcess editor;
    editor.setWorkingDirectory(scratch.path());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    editor.setProcessEnvironment(environment);
    editor.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    editor.start(QStringLiteral(VORRAK_ADMIN_BINARY), QStringList());
    QVERIFY(editor.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(catchesEndSignals(editor.processId()), 10000);

    QCOMPARE(::kill(pid_t(editor.processId()), signal), 0);
    QVERIFY(editor.waitForFinished(10000));
    QCOMPARE(editor.exitStatus(), QProcess::NormalExit);
    QCOMPARE(editor.exitCode(), 0);
    QCOMPARE(scratch.read(QStringLiteral("Vorrak.dat")), EmptyStore);
    QStringList kept;
    for (const QString &name : QDir(scratch.path()).entryList(QDir::Files)) {
        if (scratch.read(name) == unrecognised)
            kept.append(name);
    }
    QCOMPARE(kept.size(), 1);
}

// The end of the session finds the data file's place taken by a folder and
// the body editor open on a changed body: the body is kept as by Save and
// reaches the help file, the data goes to an emergency copy named on
// standard error, and the next start tells of that copy, once.
void TestSessionEnd::failedEndSaveKeepsCopy()
{
    ScratchDir scratch;
    QVERIFY(scratch.isValid());
    const QByteArray stateHome = qgetenv("XDG_STATE_HOME");
    qputenv("XDG_STATE_HOME", QFile::encodeName(scratch.filePath(QStringLiteral("state"))));
    QVERIFY(scratch.write(QStringLiteral("Vorrak.dat"), dataFileBytes(twoGroups())));
    QVERIFY(scratch.write(QStringLiteral("Vorrak.hlp"), helpFileBytes(topicsWithIds({"1"}))));

    QStringList warnings;
    {
        SessionEndHandler handler;
        LogCapture log;
        ModalAnswer editor("VorrakAdminDialog", [&](QWidget *mainDialog) {
            clickButton(mainDialog, "SortGrpBtn");
            QVERIFY(QFile::remove(scratch.filePath(QStringLiteral("Vorrak.dat"))));
            QVERIFY(QDir(scratch.path()).mkdir(QStringLiteral("Vorrak.dat")));
            ModalAnswer help("VorrakHelpDialog", [&](QWidget *helpDialog) {
                auto *list = helpDialog->findChild<QTreeWidget *>(QStringLiteral("HeaderList"));
                clickRow(list, rowWithId(list, QStringLiteral("1")));
                ModalAnswer body("VorrakEditor", [&](QWidget *bodyEditor) {
                    QTest::keyClicks(bodyEditor->findChild<QPlainTextEdit *>(QStringLiteral("BodyEdit")),
                                     QStringLiteral("New "));
                    ::raise(SIGTERM);
                });
                clickButton(helpDialog, "EditorBtn");
                QVERIFY(body.answered());
            });
            clickButton(mainDialog, "HelpBtn");
            QVERIFY(help.answered());
        });
        QCOMPARE(EditorSession::run(), 0);
        QVERIFY(editor.answered());
        warnings = log.warningLines();
    }

    HelpData help;
    QCOMPARE(help.load().status(), HelpData::LoadStatus::Loaded);
    QCOMPARE(help.topics().value(0).body, QStringLiteral("New Body of 1"));
    const QStringList copies = QDir(scratch.path()).entryList({QStringLiteral("Vorrak.dat.emergency-*")});
    QCOMPARE(copies.size(), 1);
    QList<ProcGroup> sorted = twoGroups();
    sorted.move(1, 0);
    QCOMPARE(scratch.read(copies.first()), dataFileBytes(sorted));
    const QString copy = scratch.filePath(copies.first());
    QCOMPARE(warnings.filter(QStringLiteral("emergency copy")),
             QStringList{QStringLiteral("The changes to the data file were saved to the emergency copy ") + copy});

    QVERIFY(QDir(scratch.path()).rmdir(QStringLiteral("Vorrak.dat")));
    for (int start = 1; start <= 2; ++start) {
        QStringList told;
        ModalAnswer answerer([&](QWidget *modal) {
            if (auto *box = qobject_cast<QMessageBox *>(modal))
                told.append(box->text());
            static_cast<QDialog *>(modal)->reject();
        });
        QCOMPARE(EditorSession::run(), 0);
        QCOMPARE(told.size(), start == 1 ? 1 : 0);
        if (start == 1)
            QVERIFY2(told.first().endsWith(QLatin1Char('\n') + copy), qPrintable(told.first()));
    }
    qputenv("XDG_STATE_HOME", stateHome);
}

// The real program on a display of the test's own, with the body editor open
// on a changed body inside the help window, when that display's server dies.
void TestSessionEnd::programKeepsWorkWhenDisplayIsLost()
{
    TestXServer server(TestXServer::Use::OwnServer);
    if (!server.isReady())
        QSKIP(qPrintable(server.reason()));
    ScratchDir scratch;
    QVERIFY(scratch.isValid());
    QVERIFY(scratch.write(QStringLiteral("Vorrak.dat"), dataFileBytes(twoGroups())));
    QVERIFY(scratch.write(QStringLiteral("Vorrak.hlp"), helpFileBytes(topicsWithIds({"1"}))));

    QProcess editor;
    editor.setWorkingDirectory(scratch.path());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("DISPLAY"), server.display());
    environment.insert(QStringLiteral("XDG_STATE_HOME"), scratch.filePath(QStringLiteral("state")));
    editor.setProcessEnvironment(environment);
    editor.start(QStringLiteral(VORRAK_ADMIN_BINARY), QStringList());
    QVERIFY(editor.waitForStarted());

    // As a keyboard user: Alt+H, the first topic, Tab to "Open Editor", type.
    // The windows shown with that title, the newest last.
    const auto windows = [&server](const char *title) {
        QByteArray ids;
        server.xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                        QLatin1String(title)},
                       &ids);
        return QString::fromLatin1(ids).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    };
    const auto typeInto = [&server](const QString &window, const QStringList &keys) {
        if (!server.xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window}))
            return false;
        for (const QString &key : keys) {
            if (!server.pressKey(key))
                return false;
        }
        return true;
    };
    QTRY_COMPARE_WITH_TIMEOUT(windows("^Vorrak - Admin$").size(), 1, 10000);
    QVERIFY(typeInto(windows("^Vorrak - Admin$").first(), {QStringLiteral("alt+h")}));
    QTRY_COMPARE_WITH_TIMEOUT(windows("^VorrakAdmin$").size(), 1, 10000);
    QVERIFY(typeInto(windows("^VorrakAdmin$").first(), {"Down", "Tab", "Tab", "Tab", "Tab", "Tab", "space"}));
    QTRY_COMPARE_WITH_TIMEOUT(windows("^VorrakAdmin$").size(), 2, 10000);
    QVERIFY(typeInto(windows("^VorrakAdmin$").last(), {"N", "e", "w", "space"}));
    QTest::qWait(500);

    QElapsedTimer clock;
    clock.start();
    QVERIFY(server.kill());
    QVERIFY(editor.waitForFinished(10000));
    qInfo("The editor ended %lld ms after its display", clock.elapsed());
    const QString errors = QString::fromLocal8Bit(editor.readAllStandardError());
    QVERIFY2(editor.exitStatus() == QProcess::NormalExit && editor.exitCode() == 0, qPrintable(errors));
    const QStringList saves = errors.split(QLatin1Char('\n')).filter(QStringLiteral("Saving"));
    QCOMPARE(saves, (QStringList{QStringLiteral("Saving help file..."), QStringLiteral("Saving data file...")}));
    HelpData help;
    QCOMPARE(help.load().status(), HelpData::LoadStatus::Loaded);
    QCOMPARE(help.topics().value(0).body, QStringLiteral("New Body of 1"));
    QCOMPARE(scratch.read(QStringLiteral("Vorrak.dat")), dataFileBytes(twoGroups()));
}

QTEST_MAIN(TestSessionEnd)
#include "tst_sessionend.moc"

// A shutdown, a closed terminal, Ctrl+C and a logout end the editor as
// "E&xit" does: open dialogs close as by Escape, innermost first, the help
// window writes Vorrak.hlp, and Vorrak.dat is written once at the end.
#include "editorsession.h"
#include "helpadmintestsupport.h"
#include "fixtures.h"
#include "helpdata.h"
#include "logcapture.h"
#include "modalanswer.h"
#include "scratchdir.h"
#include "sessionendhandler.h"
#include "tradeskilldata.h"
#include "widgetinput.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QPushButton>
#include <QSessionManager>
#include <QTest>
#include <QTimer>

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
    ModalAnswer editor("VorrakAdminDialog", [&](QWidget *mainDialog) {
        clickButton(mainDialog, "SortGrpBtn");
        ModalAnswer help("VorrakHelpDialog", [&](QWidget *helpDialog) {
            QVERIFY(addTopic(helpDialog, QStringLiteral("2")));
            QVERIFY(addTopic(helpDialog, QStringLiteral("3"), [&](QWidget *) {
                reachedForm = true;
                // Should nothing close the dialogs, the test ends all the same.
                QTimer::singleShot(10000, [&rescued] {
                    rescued = true;
                    while (auto *open = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                        open->reject();
                });
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
    QCOMPARE(help.load().status, HelpData::LoadStatus::Loaded);
    QCOMPARE(topicIds(help.topics()), (QStringList{QStringLiteral("1"), QStringLiteral("2")}));
    TradeskillData data;
    QCOMPARE(data.load().status, TradeskillData::LoadStatus::Loaded);
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

QTEST_MAIN(TestSessionEnd)
#include "tst_sessionend.moc"

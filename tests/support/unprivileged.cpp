#include "tests/support/unprivileged.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <unistd.h>

bool rerunNonRoot()
{
    if (::geteuid() != 0)
        return false;
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (setpriv.isEmpty()) {
        QTest::qSkip("permissions do not stop root, and setpriv (util-linux) is missing to run as another user",
                     __FILE__, __LINE__);
        return true;
    }
    QString test = QString::fromLatin1(QTest::currentTestFunction());
    if (QTest::currentDataTag())
        test += QLatin1Char(':') + QString::fromLatin1(QTest::currentDataTag());
    QProcess child;
    child.setProgram(setpriv);
    child.setArguments({QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                        QStringLiteral("--clear-groups"), QStringLiteral("--"), QCoreApplication::applicationFilePath(),
                        test});
    child.setWorkingDirectory(QStringLiteral("/tmp"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), QStringLiteral("/tmp"));
    environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start();
    const bool finished = child.waitForFinished(120000);
    const QByteArray output = child.readAll();
    [&] {
        QVERIFY2(finished, "the child run as nobody did not finish");
        QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0, output.constData());
        QVERIFY2(output.contains(" passed, 0 failed, 0 skipped"), output.constData());
    }();
    return true;
}

#include "bench/startupbench.h"

#include "bench/report.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QList>
#include <QProcess>
#include <algorithm>

namespace {

struct Start
{
    double ms = -1;
    long peakKb = -1;
};

// Wall time from starting the process to its "shown" line.
Start startOnce(const QString &probe, const QString &program, const QString &dir)
{
    QProcess process;
    const bool baseline = program == QLatin1String("baseline");
    process.setProgram(probe + (baseline || program == QLatin1String("calculator") ? QStringLiteral("-calculator")
                                                                                   : QStringLiteral("-admin")));
    process.setArguments({baseline ? program : QStringLiteral("program")});
    process.setWorkingDirectory(dir);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("default.debug=false"));
    process.setProcessEnvironment(environment);
    QElapsedTimer clock;
    clock.start();
    process.start();
    QByteArray output;
    while (!output.contains('\n') && process.waitForReadyRead(60000))
        output += process.readAllStandardOutput();
    Start start;
    if (output.startsWith("shown ")) {
        start.ms = clock.nsecsElapsed() / 1e6;
        start.peakKb = output.mid(6).trimmed().toLong();
    }
    process.waitForFinished(60000);
    return start;
}

template <typename T>
T median(QList<T> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

struct Series
{
    QList<double> ms;
    QList<long> peakKb;
};

} // namespace

void runStartupBenchmarks(Report &report, const QString &probe, const QString &sampleDir, const QString &largeDir,
                          const QString &emptyDir, int rounds)
{
    const qint64 largeSize = QFileInfo(QDir(largeDir).filePath(QStringLiteral("Vorrak.dat"))).size();
    struct Case
    {
        QString program;
        QString dir;
        QString label;
    };
    const QList<Case> cases = {
        {QStringLiteral("baseline"), emptyDir, QStringLiteral("empty Fusion dialog")},
        {QStringLiteral("calculator"), emptyDir, QStringLiteral("Vorrak, no data")},
        {QStringLiteral("calculator"), sampleDir, QStringLiteral("Vorrak, sample data")},
        {QStringLiteral("calculator"), largeDir, QStringLiteral("Vorrak, large file")},
        {QStringLiteral("admin"), emptyDir, QStringLiteral("VorrakAdmin, no data")},
        {QStringLiteral("admin"), sampleDir, QStringLiteral("VorrakAdmin, sample data")},
        {QStringLiteral("admin"), largeDir, QStringLiteral("VorrakAdmin, large file")},
    };
    QList<Series> series(cases.size());
    // Round-robin over the cases, so that all of them share the machine's state.
    for (int round = 0; round < rounds; ++round) {
        for (int i = 0; i < cases.size(); ++i) {
            const Start start = startOnce(probe, cases.at(i).program, cases.at(i).dir);
            series[i].ms.append(start.ms);
            series[i].peakKb.append(start.peakKb);
        }
    }

    report.section(QStringLiteral("Start-up to the first shown dialog (offscreen, debug output off, median of %1)").arg(rounds));
    QList<double> ms;
    QList<long> peak;
    for (int i = 0; i < cases.size(); ++i) {
        ms.append(median(series.at(i).ms));
        peak.append(median(series.at(i).peakKb));
        report.line(QStringLiteral("%1: %2 ms, peak %3 MB")
                        .arg(cases.at(i).label, -26)
                        .arg(ms.last(), 6, 'f', 1)
                        .arg(peak.last() / 1024.0, 0, 'f', 1));
    }
    for (int program = 0; program < 2; ++program) {
        const int none = 1 + program * 3;
        const QString name = program == 0 ? QStringLiteral("Vorrak") : QStringLiteral("VorrakAdmin");
        report.target(name + QStringLiteral(" start-up, sample data"), QStringLiteral("%1 ms").arg(ms.at(none + 1), 0, 'f', 1),
                      QStringLiteral("< 300 ms"), ms.at(none + 1) >= 0 && ms.at(none + 1) < 300);
        report.target(name + QStringLiteral(" start-up, large file"),
                      QStringLiteral("%1 ms").arg(ms.at(none + 2), 0, 'f', 1), QStringLiteral("< 350 ms"),
                      ms.at(none + 2) >= 0 && ms.at(none + 2) < 350);
        const double extra = (peak.at(none + 2) - peak.at(none)) * 1024.0;
        const double factor = extra / double(largeSize);
        report.target(name + QStringLiteral(" peak memory, large file"),
                      QStringLiteral("%1 MB above its empty start = %2x the file's %3 MB")
                          .arg(extra / 1e6, 0, 'f', 1)
                          .arg(factor, 0, 'f', 2)
                          .arg(largeSize / 1e6, 0, 'f', 1),
                      QStringLiteral("<= 3x"), peak.at(none) > 0 && factor <= 3.0);
    }
}

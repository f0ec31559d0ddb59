// vorrak-bench: every benchmark of the project, each next to its baseline in
// this one run, on a generated data file of 1,000 groups x 100 processes x
// 10 requirements. Run it through scripts/bench.sh; results go to stdout.
#include "bench/bodybench.h"
#include "bench/filebench.h"
#include "bench/generatedstore.h"
#include "bench/memorybench.h"
#include "bench/report.h"
#include "bench/sortbench.h"
#include "bench/startupbench.h"
#include "bench/webbench.h"
#include "tradeskill/tradeskilldata.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QTemporaryDir>

int main(int argc, char **argv)
{
    // Qt's default message output goes to standard error even when that is
    // no terminal, as it does for a user who starts a program from one.
    qputenv("QT_FORCE_STDERR_LOGGING", "1");
    QCoreApplication app(argc, argv);
    if (app.arguments().value(1) == QLatin1String("--load-probe"))
        return runLoadProbe();
    QCommandLineParser options;
    options.addHelpOption();
    const QCommandLineOption roundsOption(QStringLiteral("rounds"), QStringLiteral("Timed rounds per figure."),
                                          QStringLiteral("n"), QStringLiteral("5"));
    const QCommandLineOption sampleOption(QStringLiteral("sample"), QStringLiteral("Folder of the sample data."),
                                          QStringLiteral("dir"));
    const QCommandLineOption probeOption(QStringLiteral("probe"), QStringLiteral("The start-up probe program."),
                                         QStringLiteral("path"));
    const QCommandLineOption onlyOption(QStringLiteral("only"), QStringLiteral("Run one group: file, sort, startup, memory, web or body."),
                                        QStringLiteral("group"));
    options.addOptions({roundsOption, sampleOption, probeOption, onlyOption});
    options.process(app);
    const int rounds = qMax(1, options.value(roundsOption).toInt());

    QTemporaryDir work;
    const QString largeDir = QDir(work.path()).filePath(QStringLiteral("large"));
    const QString emptyDir = QDir(work.path()).filePath(QStringLiteral("empty"));
    QDir().mkpath(largeDir);
    QDir().mkpath(emptyDir);

    Report report;
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
    {
        TradeskillData data;
        data.procGrps() = GeneratedStore::tradeskill(1000, 100, 10);
        const QString previous = QDir::currentPath();
        QDir::setCurrent(largeDir);
        if (!data.save())
            return 1;
        QDir::setCurrent(previous);
    }

    const QString only = options.value(onlyOption);
    const auto wanted = [&only](const char *group) { return only.isEmpty() || only == QLatin1String(group); };
    if (wanted("file"))
        runFileBenchmarks(report, largeDir, rounds);
    if (wanted("sort"))
        runSortBenchmark(report);
    if (wanted("memory"))
        runMemoryBenchmarks(report, work.path(), QCoreApplication::applicationFilePath());
    if (wanted("startup") && options.isSet(probeOption)) {
        runStartupBenchmarks(report, options.value(probeOption), options.value(sampleOption), largeDir, emptyDir,
                             rounds);
    }
    if (wanted("web") && options.isSet(sampleOption))
        runWebBenchmarks(report, QStringLiteral(VORRAK_DATA_TOOL), options.value(sampleOption), largeDir, rounds);
    if (wanted("body"))
        runBodyBenchmarks(report, QStringLiteral(VORRAK_BODY_PROBE), work.path());
    std::printf("\n%d target(s) missed\n", report.missed());
    return report.missed() == 0 ? 0 : 3;
}

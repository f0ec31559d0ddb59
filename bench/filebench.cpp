#include "filebench.h"

#include "comparison.h"
#include "report.h"
#include "tradeskilldata.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QSaveFile>

#include <cstdio>
#include <memory>
#include <unistd.h>

namespace {

void setDebugOutput(bool on)
{
    QLoggingCategory::setFilterRules(on ? QStringLiteral("default.debug=true") : QStringLiteral("default.debug=false"));
}

// The floor for loading: every field read through QDataStream in file
// order, nothing kept, nothing logged.
qint64 bareRead(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    QDataStream in(&file);
    qint64 seen = 0;
    qint32 magic;
    quint16 groups;
    in >> magic >> groups;
    for (int g = 0; g < groups; ++g) {
        QString name;
        quint16 procs;
        in >> name >> procs;
        seen += name.size();
        for (int p = 0; p < procs; ++p) {
            QString procName;
            qint8 maxQL, minQL;
            quint16 reqs;
            in >> procName >> maxQL >> minQL >> reqs;
            seen += procName.size() + maxQL + minQL;
            for (int r = 0; r < reqs; ++r) {
                QString reqName, multiplier;
                qint8 t;
                qint32 id;
                in >> reqName >> multiplier >> t >> id;
                seen += reqName.size() + multiplier.size() + t + id;
            }
        }
    }
    return in.status() == QDataStream::Ok ? seen : -1;
}

FILE *g_logFile = nullptr;

void logToFile(QtMsgType, const QMessageLogContext &, const QString &text)
{
    const QByteArray line = text.toLocal8Bit();
    std::fwrite(line.constData(), 1, size_t(line.size()), g_logFile);
    std::fputc('\n', g_logFile);
}

int requirementCount(const TradeskillData &data)
{
    int count = 0;
    for (const ProcGroup &group : data.procGrps())
        for (const Proc &proc : group.procs)
            count += int(proc.reqs.size());
    return count;
}

} // namespace

void runFileBenchmarks(Report &report, const QString &dir, int rounds)
{
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir);
    const QString path = TradeskillData::filePath();
    const qint64 fileSize = QFileInfo(path).size();

    report.section(QStringLiteral("Loading Vorrak.dat (%1 MB)").arg(fileSize / 1e6, 0, 'f', 1));
    std::unique_ptr<TradeskillData> data;
    qint64 sink = 0;
    const auto load = [&] {
        data = std::make_unique<TradeskillData>();
        data->load();
    };
    const auto freeStore = [&] { data.reset(); };

    setDebugOutput(false);
    const Comparison quiet = compare(rounds, load, [&] { sink += bareRead(path); }, freeStore);
    load();
    report.line(QStringLiteral("%1 groups, %2 requirements loaded").arg(data->procGrpCount()).arg(requirementCount(*data)));
    report.target(QStringLiteral("load, debug output off"),
                  QStringLiteral("%1 ms vs bare read loop %2 ms = %3x")
                      .arg(quiet.subjectMs, 0, 'f', 1)
                      .arg(quiet.baselineMs, 0, 'f', 1)
                      .arg(quiet.ratio(), 0, 'f', 2),
                  QStringLiteral("<= 1.3x"), quiet.ratio() <= 1.3);

    const QString logPath = QDir(dir).filePath(QStringLiteral("load.log"));
    g_logFile = std::fopen(QFile::encodeName(logPath).constData(), "w");
    const QtMessageHandler previousHandler = qInstallMessageHandler(logToFile);
    setDebugOutput(true);
    const Comparison logged = compare(qMin(rounds, 3), load, [&] { sink += bareRead(path); }, [&] {
        freeStore();
        std::rewind(g_logFile);
    });
    setDebugOutput(false);
    qInstallMessageHandler(previousHandler);
    std::fclose(g_logFile);
    report.line(QStringLiteral("load with every log line written to a file: %1 ms = %2x the bare read loop (%3 MB of log)")
                    .arg(logged.subjectMs, 0, 'f', 1)
                    .arg(logged.ratio(), 0, 'f', 2)
                    .arg(QFileInfo(logPath).size() / 1e6, 0, 'f', 1));
    QFile::remove(logPath);

    report.section(QStringLiteral("Saving Vorrak.dat"));
    QFile original(path);
    original.open(QIODevice::ReadOnly);
    const QByteArray bytes = original.readAll();
    original.close();
    // Every baseline replaces a file of the same size, so each pays for
    // dropping the old one. save() writes a temporary file, makes it durable
    // (QSaveFile's fdatasync) and renames it over the old one, so that no
    // crash can leave half a file: the first baseline does the same with the
    // bytes already in memory. The lighter baselines are reported too.
    const QString rawPath = QDir(dir).filePath(QStringLiteral("raw.dat"));
    const auto atomicWrite = [&] {
        QSaveFile raw(rawPath);
        raw.open(QIODevice::WriteOnly);
        raw.write(bytes);
        raw.commit();
    };
    const auto inPlaceWrite = [&](bool durable) {
        QFile raw(rawPath);
        raw.open(QIODevice::WriteOnly);
        raw.write(bytes);
        raw.flush();
        if (durable)
            ::fdatasync(raw.handle());
        raw.close();
    };
    atomicWrite();
    const auto saveStore = [&] { data->save(); };
    const Comparison save = compare(rounds, saveStore, atomicWrite);
    const Comparison durable = compare(rounds, saveStore, [&] { inPlaceWrite(true); });
    const Comparison plain = compare(rounds, saveStore, [&] { inPlaceWrite(false); });
    QFile saved(path);
    saved.open(QIODevice::ReadOnly);
    const bool same = saved.readAll() == bytes;
    report.target(QStringLiteral("save, debug output off"),
                  QStringLiteral("%1 ms vs raw atomic write of the same bytes %2 ms = %3x%4")
                      .arg(save.subjectMs, 0, 'f', 1)
                      .arg(save.baselineMs, 0, 'f', 1)
                      .arg(save.ratio(), 0, 'f', 2)
                      .arg(same ? QString() : QStringLiteral(" (BUT THE BYTES DIFFER)")),
                  QStringLiteral("<= 1.5x"), same && save.ratio() <= 1.5);
    report.line(QStringLiteral("save vs the bytes written in place with fdatasync: %1 ms vs %2 ms = %3x")
                    .arg(durable.subjectMs, 0, 'f', 1)
                    .arg(durable.baselineMs, 0, 'f', 1)
                    .arg(durable.ratio(), 0, 'f', 2));
    report.line(QStringLiteral("save vs the bytes written in place, buffered only: %1 ms vs %2 ms = %3x")
                    .arg(plain.subjectMs, 0, 'f', 1)
                    .arg(plain.baselineMs, 0, 'f', 1)
                    .arg(plain.ratio(), 0, 'f', 2));
    QFile::remove(rawPath);
    if (sink == 42)
        report.line(QString()); // keeps the baseline's reads from being optimised away
    QDir::setCurrent(previous);
}

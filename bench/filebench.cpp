#include "bench/filebench.h"

#include "bench/comparison.h"
#include "bench/report.h"
#include "tradeskill/tradeskilldata.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QSaveFile>
#include <QSet>
#include <QtEndian>

#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace {

void setDebugOutput(bool on)
{
    QLoggingCategory::setFilterRules(on ? QStringLiteral("default.debug=true") : QStringLiteral("default.debug=false"));
}

// The floor for loading: every field read through QDataStream in file
// order, nothing kept; with `log`, each of the loader's lines written the
// plain way, one qDebug call a line with Qt formatting it.
qint64 bareRead(const QString &path, bool log = false)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    QDataStream in(&file);
    qint64 seen = 0;
    qint32 magic;
    quint16 groups;
    in >> magic >> groups;
    if (log)
        qDebug("Groups: %d", int(groups));
    for (int g = 0; g < groups; ++g) {
        QString name;
        quint16 procs;
        in >> name >> procs;
        seen += name.size();
        if (log) {
            qDebug("* Group #%d: %s", g, qUtf8Printable(name));
            qDebug("  + Procs: %d", int(procs));
        }
        for (int p = 0; p < procs; ++p) {
            QString procName;
            qint8 maxQL, minQL;
            quint16 reqs;
            in >> procName >> maxQL >> minQL >> reqs;
            seen += procName.size() + maxQL + minQL;
            if (log) {
                qDebug("    * Proc #%d: %s", p, qUtf8Printable(procName));
                qDebug("      (Max QL: %d, Min QL: %d)", int(quint8(maxQL)), int(quint8(minQL)));
                qDebug("      + Reqs: %d", int(reqs));
            }
            for (int r = 0; r < reqs; ++r) {
                QString reqName, multiplier;
                qint8 t;
                qint32 id;
                in >> reqName >> multiplier >> t >> id;
                seen += reqName.size() + multiplier.size() + t + id;
                if (log)
                    qDebug("        * Req #%d: %s - x%s (t=%d) (id=%d)", r, qUtf8Printable(reqName),
                           qUtf8Printable(multiplier), int(quint8(t)), int(id));
            }
        }
    }
    if (log)
        qDebug("Finished loading data file");
    return in.status() == QDataStream::Ok ? seen : -1;
}

// Sends standard error, where Qt's default message handler writes, into a
// file for as long as it lives.
class StderrToFile
{
public:
    explicit StderrToFile(const QString &path)
        : m_saved(::dup(STDERR_FILENO))
    {
        const int file = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        std::fflush(stderr);
        ::dup2(file, STDERR_FILENO);
        ::close(file);
    }
    ~StderrToFile()
    {
        std::fflush(stderr);
        ::dup2(m_saved, STDERR_FILENO);
        ::close(m_saved);
    }
    void rewind()
    {
        std::fflush(stderr);
        if (::ftruncate(STDERR_FILENO, 0) == 0)
            ::lseek(STDERR_FILENO, 0, SEEK_SET);
    }

private:
    int m_saved;
};

FILE *g_logFile = nullptr;

void logToFile(QtMsgType, const QMessageLogContext &, const QString &text)
{
    const QByteArray line = text.toLocal8Bit();
    std::fwrite(line.constData(), 1, size_t(line.size()), g_logFile);
    std::fputc('\n', g_logFile);
}

// Qt 6.4.2's string hash takes a 256-bit AES path on CPUs with VAES and
// returns without vzeroupper; CPUs that penalise SSE code run while the upper
// halves are dirty then slow down whatever follows a qHash. This measures a
// lookup as the old string pool made it (byte swap, then QSet), with and
// without clearing the upper state after each, to tell whether a workaround
// would gain anything on this machine.
void reportHashStall(Report &report, int rounds)
{
#if defined(Q_PROCESSOR_X86_64) && defined(Q_CC_GNU)
    if (!__builtin_cpu_supports("avx"))
        return;
    QSet<QString> set;
    QList<QString> words;
    for (int i = 0; i < 3000; ++i) {
        words.append(QStringLiteral("Tradeskill name %1").arg(i));
        set.insert(words.last());
    }
    constexpr int Lookups = 1000000;
    char16_t swapped[64];
    qint64 found = 0;
    const auto lookups = [&](bool clearUpper) {
        for (int i = 0; i < Lookups; ++i) {
            const QString &word = words.at(i % words.size());
            qToBigEndian<char16_t>(word.utf16(), word.size(), swapped);
            qFromBigEndian<char16_t>(swapped, word.size(), swapped);
            found += set.contains(QString::fromRawData(reinterpret_cast<const QChar *>(swapped), word.size()));
            if (clearUpper)
                asm volatile("vzeroupper" ::: "memory");
        }
    };
    const Comparison stall = compare(rounds, [&] { lookups(false); }, [&] { lookups(true); });
    report.line(QStringLiteral("byte swap, then QSet<QString> lookup: %1 ns; with vzeroupper after each: %2 ns (%3x)%4")
                    .arg(stall.subjectMs * 1e6 / Lookups, 0, 'f', 1)
                    .arg(stall.baselineMs * 1e6 / Lookups, 0, 'f', 1)
                    .arg(stall.ratio(), 0, 'f', 2)
                    .arg(found == 42 ? QStringLiteral(" ") : QString()));
#else
    Q_UNUSED(report);
    Q_UNUSED(rounds);
#endif
}

// "S ms vs BASELINE B ms = Rx"
QString versus(const Comparison &comparison, const QString &baseline)
{
    return QStringLiteral("%1 ms vs %2 %3 ms = %4x")
        .arg(comparison.subjectMs, 0, 'f', 1)
        .arg(baseline)
        .arg(comparison.baselineMs, 0, 'f', 1)
        .arg(comparison.ratio(), 0, 'f', 2);
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
        static_cast<void>(data->load());
    };
    const auto freeStore = [&] { data.reset(); };

    setDebugOutput(false);
    const Comparison quiet = compare(rounds, load, [&] { sink += bareRead(path); }, freeStore);
    load();
    report.line(QStringLiteral("%1 groups, %2 requirements loaded").arg(data->procGrpCount()).arg(requirementCount(*data)));
    report.target(QStringLiteral("load, debug output off"), versus(quiet, QStringLiteral("bare read loop")),
                  QStringLiteral("<= 1.3x"), quiet.ratio() <= 1.3);

    reportHashStall(report, rounds);

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

    // As users get it: no handler, so Qt's default output writes and flushes
    // each line to standard error (here a file).
    {
        StderrToFile log(logPath);
        setDebugOutput(true);
        const Comparison defaultOutput = compare(
            qMin(rounds, 3), load, [&] { sink += bareRead(path, true); }, [&] {
                freeStore();
                log.rewind();
            });
        setDebugOutput(false);
        report.target(QStringLiteral("load, every log line to Qt's default output (a file)"),
                      versus(defaultOutput, QStringLiteral("the bare read loop writing the same lines, one qDebug call a line,")),
                      QStringLiteral("<= 1.0x"), defaultOutput.ratio() <= 1.0);
    }
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
    const auto saveStore = [&] { static_cast<void>(data->save()); };
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

#include "bench/memorybench.h"

#include "bench/peakmemory.h"
#include "bench/report.h"
#include "tradeskill/tradeskilldata.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QtEndian>

#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>

namespace {

constexpr qint64 ProcBytes = 4 + 1 + 1 + 2 + 65535LL * 13; // null name, QLs, count, empty requirements

// One group of processes, each with 65,535 requirements of 13 zero bytes
// (an empty name and multiplier, t 0, id 0): only the process headers take
// disk blocks, the requirements are a hole.
bool writeSparseFile(const QString &path, qint64 bytes, qint64 cut)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const int procs = int(qMin<qint64>(65535, (bytes - 10) / ProcBytes));
    QByteArray header = QByteArray::fromHex("2AE510A40001FFFFFFFF0000");
    qToBigEndian(quint16(procs), header.data() + 10);
    file.write(header);
    for (int j = 0; j < procs; ++j) {
        file.write(QByteArray::fromHex("FFFFFFFF0101FFFF"));
        file.seek(file.pos() + 65535LL * 13);
    }
    return file.resize(file.pos() - cut);
}

struct Probe
{
    long peakKb = -1;
    QString groups;
};

Probe probe(const QString &self, const QString &dir)
{
    QProcess process;
    process.setProgram(self);
    process.setArguments({QStringLiteral("--load-probe")});
    process.setWorkingDirectory(dir);
    process.start();
    process.waitForFinished(600000);
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("peak (\\d+) groups (\\d+)"))
                                              .match(QString::fromLatin1(process.readAllStandardOutput()));
    Probe result;
    if (match.hasMatch()) {
        result.peakKb = match.captured(1).toLong();
        result.groups = match.captured(2);
    }
    return result;
}

qint64 diskBytes(const QString &path)
{
    struct stat status;
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? qint64(status.st_blocks) * 512 : -1;
}

} // namespace

int runLoadProbe()
{
    TradeskillData data;
    const LoadResult result = data.load();
    std::printf("peak %ld groups %d status %d\n", peakResidentKb(), data.procGrpCount(), int(result.status()));
    std::fflush(stdout);
    std::_Exit(0);
}

void runMemoryBenchmarks(Report &report, const QString &workDir, const QString &self)
{
    const QString emptyDir = QDir(workDir).filePath(QStringLiteral("memory-empty"));
    const QString sparseDir = QDir(workDir).filePath(QStringLiteral("memory-sparse"));
    const QString cutDir = QDir(workDir).filePath(QStringLiteral("memory-cut"));
    for (const QString &dir : {emptyDir, sparseDir, cutDir})
        QDir().mkpath(dir);
    const qint64 size = 1000LL * 1000 * 1000;
    const QString sparse = QDir(sparseDir).filePath(QStringLiteral("Vorrak.dat"));
    const QString cut = QDir(cutDir).filePath(QStringLiteral("Vorrak.dat"));
    if (!writeSparseFile(sparse, size, 0) || !writeSparseFile(cut, size, 1)) {
        report.line(QStringLiteral("cannot write the sparse files"));
        return;
    }
    const qint64 fileSize = QFileInfo(sparse).size();

    report.section(QStringLiteral("Peak memory of loading a sparse %1 MB data file (%2 MB on disk), one process each")
                       .arg(fileSize / 1e6, 0, 'f', 1)
                       .arg(diskBytes(sparse) / 1e6, 0, 'f', 1));
    const Probe empty = probe(self, emptyDir);
    const Probe damaged = probe(self, cutDir);
    const Probe valid = probe(self, sparseDir);
    QFile::remove(sparse);
    QFile::remove(cut);
    const double damagedMb = (damaged.peakKb - empty.peakKb) / 1024.0;
    const double validExtra = (valid.peakKb - empty.peakKb) * 1024.0;
    report.line(QStringLiteral("empty start: peak %1 MB").arg(empty.peakKb / 1024.0, 0, 'f', 1));
    report.target(QStringLiteral("the file cut by one byte (damaged)"),
                  QStringLiteral("%1 MB above the empty start, %2 groups kept").arg(damagedMb, 0, 'f', 1).arg(damaged.groups),
                  QStringLiteral("< 100 MB"), empty.peakKb > 0 && damaged.peakKb > 0 && damagedMb < 100);
    report.target(QStringLiteral("the valid file"),
                  QStringLiteral("%1 MB above the empty start = %2x the file, %3 group loaded")
                      .arg(validExtra / 1e6, 0, 'f', 1)
                      .arg(validExtra / double(fileSize), 0, 'f', 2)
                      .arg(valid.groups),
                  QStringLiteral("<= 5x"), valid.peakKb > 0 && validExtra <= 5.0 * double(fileSize));
}

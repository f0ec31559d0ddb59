#include "fuzz/readercheck.h"

#include "common/binaryfilewriter.h"
#include "help/helpfile.h"
#include "tradeskill/tradeskillfile.h"

#include <QBuffer>
#include <QtEndian>

namespace {

constexpr qsizetype HeaderBytes = 4 + 2; // magic and count

bool hasMagic(const QByteArray &bytes, qint32 magic)
{
    return bytes.size() >= 4 && qFromBigEndian<qint32>(bytes.constData()) == magic;
}

quint16 headerCount(const QByteArray &bytes)
{
    return qFromBigEndian<quint16>(bytes.constData() + 4);
}

template <typename Record, typename Write>
QByteArray written(const QList<Record> &records, Write write)
{
    return BinaryFileWriter::inMemory([&](QIODevice *device) { return write(device, records); });
}

// What the three outcomes of a reader must look like for `bytes`, given the
// records it kept, the position it stopped at and the writer's bytes for them.
Result<ReadStatus> checkOutcome(const QByteArray &bytes, ReadStatus status, qsizetype kept, qint64 stoppedAt,
                                const QByteArray &rewritten)
{
    const Result<ReadStatus> held = Result<ReadStatus>::ok(status);
    const auto broken = [status](const QString &guarantee) { return Result<ReadStatus>::failure(status, guarantee); };
    if (status == ReadStatus::BadMagic)
        return kept == 0 ? held : broken(QStringLiteral("records kept from an unrecognised file"));
    if (stoppedAt > bytes.size())
        return broken(QStringLiteral("read past the end: position %1 of %2").arg(stoppedAt).arg(bytes.size()));
    if (status == ReadStatus::Ok) {
        if (rewritten != bytes.left(stoppedAt))
            return broken(QStringLiteral("writing the records read does not give the bytes read (%1 written, %2 read)")
                              .arg(rewritten.size())
                              .arg(stoppedAt));
        return held;
    }
    if (bytes.size() < HeaderBytes)
        return kept == 0 ? held : broken(QStringLiteral("records kept from a file without a count"));
    if (kept >= headerCount(bytes))
        return broken(QStringLiteral("all %1 records kept although the file is damaged").arg(kept));
    // Without its header the rewrite must be a prefix of the body read.
    const QByteArray body = rewritten.mid(HeaderBytes);
    if (body.size() > bytes.size() - HeaderBytes || body != bytes.mid(HeaderBytes, body.size()))
        return broken(QStringLiteral("the records kept after damage are not the leading records of the file"));
    return held;
}

// One reader's guarantees for `bytes`.
template <typename Record, typename Read, typename Write>
Result<ReadStatus> checkFile(const QByteArray &bytes, const FileFormat &format, Read read, Write write)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    QList<Record> records;
    const ReadStatus status = read(&buffer, records).status();
    if ((status != ReadStatus::BadMagic) != hasMagic(bytes, format.magic))
        return Result<ReadStatus>::failure(status,
                                           QStringLiteral("the magic test disagrees with the first four bytes"));
    return checkOutcome(bytes, status, records.size(), buffer.pos(), written(records, write));
}

} // namespace

namespace ReaderCheck {

Result<ReadStatus> checkDataFile(const QByteArray &bytes)
{
    return checkFile<ProcGroup>(
        bytes, TradeskillFile::Format,
        [](QIODevice *device, QList<ProcGroup> &groups) {
            return TradeskillFile::read(device, groups, CountWord::Groups);
        },
        TradeskillFile::write);
}

Result<ReadStatus> checkHelpFile(const QByteArray &bytes)
{
    return checkFile<HelpTopic>(bytes, HelpFile::Format, HelpFile::read, HelpFile::write);
}

QString outcomeName(ReadStatus status)
{
    switch (status) {
    case ReadStatus::Ok:
        return QStringLiteral("ok");
    case ReadStatus::Damaged:
        return QStringLiteral("damaged");
    case ReadStatus::BadMagic:
        return QStringLiteral("badmagic");
    }
    return QString();
}

} // namespace ReaderCheck

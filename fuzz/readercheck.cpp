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
QString checkOutcome(const QByteArray &bytes, bool recognised, bool damaged, qsizetype kept, qint64 stoppedAt,
                     const QByteArray &rewritten, QString *outcome)
{
    if (!recognised) {
        if (outcome)
            *outcome = QStringLiteral("badmagic");
        return kept == 0 ? QString() : QStringLiteral("records kept from an unrecognised file");
    }
    if (stoppedAt > bytes.size())
        return QStringLiteral("read past the end: position %1 of %2").arg(stoppedAt).arg(bytes.size());
    if (!damaged) {
        if (outcome)
            *outcome = QStringLiteral("ok");
        if (rewritten != bytes.left(stoppedAt))
            return QStringLiteral("writing the records read does not give the bytes read (%1 written, %2 read)")
                .arg(rewritten.size())
                .arg(stoppedAt);
        return QString();
    }
    if (outcome)
        *outcome = QStringLiteral("damaged");
    if (bytes.size() < HeaderBytes)
        return kept == 0 ? QString() : QStringLiteral("records kept from a file without a count");
    if (kept >= headerCount(bytes))
        return QStringLiteral("all %1 records kept although the file is damaged").arg(kept);
    // Without its header the rewrite must be a prefix of the body read.
    const QByteArray body = rewritten.mid(HeaderBytes);
    if (body.size() > bytes.size() - HeaderBytes || body != bytes.mid(HeaderBytes, body.size()))
        return QStringLiteral("the records kept after damage are not the leading records of the file");
    return QString();
}

// One reader's guarantees for `bytes`.
template <typename Record, typename Read, typename Write>
QString checkFile(const QByteArray &bytes, const FileFormat &format, Read read, Write write, QString *outcome)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    QList<Record> records;
    const ReadResult result = read(&buffer, records);
    const bool recognised = result.status() != ReadStatus::BadMagic;
    if (recognised != hasMagic(bytes, format.magic))
        return QStringLiteral("the magic test disagrees with the first four bytes");
    return checkOutcome(bytes, recognised, result.status() == ReadStatus::Damaged, records.size(), buffer.pos(),
                        written(records, write), outcome);
}

} // namespace

namespace ReaderCheck {

QString checkDataFile(const QByteArray &bytes, QString *outcome)
{
    return checkFile<ProcGroup>(
        bytes, TradeskillFile::Format,
        [](QIODevice *device, QList<ProcGroup> &groups) {
            return TradeskillFile::read(device, groups, CountWord::Groups);
        },
        TradeskillFile::write, outcome);
}

QString checkHelpFile(const QByteArray &bytes, QString *outcome)
{
    return checkFile<HelpTopic>(bytes, HelpFile::Format, HelpFile::read, HelpFile::write, outcome);
}

} // namespace ReaderCheck

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

} // namespace

namespace ReaderCheck {

QString checkDataFile(const QByteArray &bytes, QString *outcome)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    QList<ProcGroup> groups;
    const TradeskillFile::ReadResult result = TradeskillFile::read(&buffer, groups, "Groups: %d");
    const bool recognised = result != TradeskillFile::ReadResult::BadMagic;
    if (recognised != hasMagic(bytes, TradeskillFile::Magic))
        return QStringLiteral("the magic test disagrees with the first four bytes");
    return checkOutcome(bytes, recognised, result == TradeskillFile::ReadResult::Damaged, groups.size(),
                        buffer.pos(), written(groups, TradeskillFile::write), outcome);
}

QString checkHelpFile(const QByteArray &bytes, QString *outcome)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    QList<HelpTopic> topics;
    const HelpFile::ReadResult result = HelpFile::read(&buffer, topics);
    const bool recognised = result != HelpFile::ReadResult::BadMagic;
    if (recognised != hasMagic(bytes, HelpFile::Magic))
        return QStringLiteral("the magic test disagrees with the first four bytes");
    return checkOutcome(bytes, recognised, result == HelpFile::ReadResult::Damaged, topics.size(), buffer.pos(),
                        written(topics, HelpFile::write), outcome);
}

} // namespace ReaderCheck

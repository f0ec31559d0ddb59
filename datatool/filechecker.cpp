#include "datatool/filechecker.h"

#include "common/binaryreader.h"
#include "help/helpfile.h"
#include "tradeskill/tradeskillfile.h"

#include <QBuffer>
#include <QtEndian>

namespace {

QString counted(int count, const char *one, const char *many)
{
    return QStringLiteral("%1 %2").arg(count).arg(QLatin1String(count == 1 ? one : many));
}

} // namespace

QString FileChecker::Report::describeValid() const
{
    QString text = kind == FileContent::Kind::Data
        ? QStringLiteral("valid data file: %1, %2, %3")
              .arg(counted(groups, "group", "groups"), counted(procs, "process", "processes"),
                   counted(reqs, "requirement", "requirements"))
        : QStringLiteral("valid help file: %1").arg(counted(topics, "topic", "topics"));
    if (!note.isEmpty())
        text += QStringLiteral("; %1").arg(note);
    return text;
}

FileChecker::FileChecker(QByteArray bytes)
    : m_bytes(std::move(bytes))
{
}

FileChecker::Report FileChecker::check()
{
    m_report = Report();
    QBuffer buffer(&m_bytes);
    buffer.open(QIODevice::ReadOnly);
    BinaryReader in(&buffer);
    qint32 magic = 0;
    if (!in.readInt32(magic)) {
        setProblem(0,
                   QStringLiteral("the file is %1 long, too short for the magic number")
                       .arg(counted(int(qMin<qsizetype>(m_bytes.size(), 4)), "byte", "bytes")));
        return m_report;
    }
    if (magic != TradeskillFile::Magic && magic != HelpFile::Magic) {
        setProblem(0,
                   QStringLiteral("unknown magic number 0x%1")
                       .arg(QString::number(quint32(magic), 16).toUpper().rightJustified(8, QLatin1Char('0'))));
        return m_report;
    }
    m_report.recognized = true;
    m_report.kind = magic == TradeskillFile::Magic ? FileContent::Kind::Data : FileContent::Kind::Help;
    const bool complete = m_report.kind == FileContent::Kind::Data ? readData(in) : readHelp(in);
    if (complete) {
        m_report.outcome = Result<>::ok();
        m_report.end = in.position();
        if (m_report.end < m_bytes.size())
            m_report.note = QStringLiteral("%1 after the last record (from byte %2), which the programs ignore")
                                   .arg(counted(int(m_bytes.size() - m_report.end), "byte", "bytes"))
                                   .arg(m_report.end);
    }
    return m_report;
}

bool FileChecker::readData(BinaryReader &in)
{
    quint16 groupCount;
    if (!readCount(in, QStringLiteral("group count"), groupCount))
        return false;
    for (int i = 0; i < groupCount; ++i) {
        const QString group = QStringLiteral("group %1").arg(i);
        quint16 procCount;
        if (!readString(in, group + QLatin1String(" name"))
            || !readCount(in, group + QLatin1String(" process count"), procCount))
            return false;
        for (int j = 0; j < procCount; ++j) {
            const QString proc = group + QStringLiteral(" process %1").arg(j);
            quint16 reqCount;
            if (!readString(in, proc + QLatin1String(" name")) || !readByte(in, proc + QLatin1String(" Max QL"))
                || !readByte(in, proc + QLatin1String(" Min QL"))
                || !readCount(in, proc + QLatin1String(" requirement count"), reqCount))
                return false;
            for (int k = 0; k < reqCount; ++k) {
                const QString req = proc + QStringLiteral(" requirement %1").arg(k);
                if (!readString(in, req + QLatin1String(" name")) || !readString(in, req + QLatin1String(" multiplier"))
                    || !readByte(in, req + QLatin1String(" t")) || !readInt(in, req + QLatin1String(" id")))
                    return false;
                ++m_report.reqs;
            }
            ++m_report.procs;
        }
        ++m_report.groups;
    }
    return true;
}

bool FileChecker::readHelp(BinaryReader &in)
{
    quint16 count;
    if (!readCount(in, QStringLiteral("topic count"), count))
        return false;
    for (int i = 0; i < count; ++i) {
        const QString topic = QStringLiteral("topic %1").arg(i);
        if (!readString(in, topic + QLatin1String(" id")) || !readString(in, topic + QLatin1String(" header"))
            || !readString(in, topic + QLatin1String(" body")))
            return false;
        ++m_report.topics;
    }
    return true;
}

bool FileChecker::readString(BinaryReader &in, const QString &field)
{
    // Only the length is checked: the text itself is not needed here.
    const qint64 start = in.position();
    if (in.skipString())
        return true;
    if (in.position() == start)
        return fail(start, field, QStringLiteral("the file ends before its length field is complete"));
    // The length was read; the reader refused the text behind it.
    const quint32 length = qFromBigEndian<quint32>(m_bytes.constData() + start);
    if (length % 2 != 0)
        return fail(start, field, QStringLiteral("odd byte length %1 for UTF-16 text").arg(length));
    return fail(start, field, QStringLiteral("byte length %1 runs past the end of the file (%2 bytes left)")
                                  .arg(length)
                                  .arg(m_bytes.size() - in.position()));
}

bool FileChecker::readCount(BinaryReader &in, const QString &field, quint16 &count)
{
    const qint64 start = in.position();
    return in.readUInt16(count) || fail(start, field, QStringLiteral("the file ends inside it"));
}

bool FileChecker::readByte(BinaryReader &in, const QString &field)
{
    const qint64 start = in.position();
    quint8 value;
    return in.readUInt8(value) || fail(start, field, QStringLiteral("the file ends before it"));
}

bool FileChecker::readInt(BinaryReader &in, const QString &field)
{
    const qint64 start = in.position();
    qint32 value;
    return in.readInt32(value) || fail(start, field, QStringLiteral("the file ends inside it"));
}

bool FileChecker::fail(qint64 offset, const QString &field, const QString &what)
{
    setProblem(offset, field + QLatin1String(": ") + what);
    return false;
}

void FileChecker::setProblem(qint64 offset, const QString &problem)
{
    m_report.offset = offset;
    m_report.outcome
        = Result<>::failure(QStringLiteral("%1 at byte %2: %3")
                                .arg(m_report.recognized ? QStringLiteral("damaged") : QStringLiteral("not recognized"))
                                .arg(offset)
                                .arg(problem));
}

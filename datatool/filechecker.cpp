#include "datatool/filechecker.h"

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
    const FileFormat &format = kind->format;
    QStringList counts;
    for (int i = 0; i < format.recordKinds; ++i)
        counts.append(counted(records.value(i), format.records[i].one, format.records[i].many));
    QString text = QStringLiteral("valid %1: %2").arg(QLatin1String(format.what), counts.join(QLatin1String(", ")));
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
    Report report;
    QBuffer buffer(&m_bytes);
    buffer.open(QIODevice::ReadOnly);
    BinaryReader in(&buffer);
    qint32 magic = 0;
    if (!in.readInt32(magic)) {
        setProblem(report, 0,
                   QStringLiteral("the file is %1 long, too short for the magic number")
                       .arg(counted(int(qMin<qsizetype>(m_bytes.size(), 4)), "byte", "bytes")));
        return report;
    }
    report.kind = FileKind::byMagic(magic);
    if (!report.kind) {
        setProblem(report, 0,
                   QStringLiteral("unknown magic number 0x%1")
                       .arg(QString::number(quint32(magic), 16).toUpper().rightJustified(8, QLatin1Char('0'))));
        return report;
    }
    report.recognized = true;
    FieldChecker checker(in, m_bytes, report.kind->format.recordKinds);
    const bool complete = report.kind->check(checker);
    report.records = checker.records();
    if (!complete) {
        setProblem(report, checker.offset(), checker.problem());
        return report;
    }
    report.outcome = Result<>::ok();
    report.end = in.position();
    if (report.end < m_bytes.size())
        report.note = QStringLiteral("%1 after the last record (from byte %2), which the programs ignore")
                          .arg(counted(int(m_bytes.size() - report.end), "byte", "bytes"))
                          .arg(report.end);
    return report;
}

void FileChecker::setProblem(Report &report, qint64 offset, const QString &problem)
{
    report.offset = offset;
    report.outcome
        = Result<>::failure(QStringLiteral("%1 at byte %2: %3")
                                .arg(report.recognized ? QStringLiteral("damaged") : QStringLiteral("not recognized"))
                                .arg(offset)
                                .arg(problem));
}

FieldChecker::FieldChecker(BinaryReader &in, const QByteArray &bytes, int recordKinds)
    : m_in(in)
    , m_bytes(bytes)
    , m_records(recordKinds, 0)
{
}

bool FieldChecker::checkText(const char *field)
{
    const qint64 start = m_in.position();
    if (m_in.skipString())
        return true;
    if (m_in.position() == start)
        return fail(start, field, QStringLiteral("the file ends before its length field is complete"));
    // The length was read; the reader refused the text behind it.
    const quint32 length = qFromBigEndian<quint32>(m_bytes.constData() + start);
    if (length % 2 != 0)
        return fail(start, field, QStringLiteral("odd byte length %1 for UTF-16 text").arg(length));
    return fail(start, field,
                QStringLiteral("byte length %1 runs past the end of the file (%2 bytes left)")
                    .arg(length)
                    .arg(m_bytes.size() - m_in.position()));
}

bool FieldChecker::fail(qint64 offset, const char *field, const QString &what)
{
    QString name;
    for (const Step &step : m_path)
        name += QStringLiteral("%1 %2 ").arg(QLatin1String(step.record)).arg(step.index);
    m_offset = offset;
    m_problem = name + QLatin1String(field) + QLatin1String(": ") + what;
    return false;
}

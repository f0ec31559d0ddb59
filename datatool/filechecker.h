#pragma once

#include "common/binaryreader.h"
#include "common/result.h"
#include "datatool/filecontent.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVarLengthArray>

// Walks a data or help file record by record and tells whether it is
// complete, and if not, which field is broken and at which byte offset.
class FileChecker
{
public:
    struct Report
    {
        bool recognized = false;   // a known magic number
        const FileKind *kind = nullptr;
        qint64 offset = 0;         // where the broken field starts
        // Valid, or what is wrong and where: "damaged at byte N: <problem>"
        // or the same for an unknown magic.
        Result<> outcome = Result<>::failure(QString());
        qint64 end = 0;            // for a valid file: the end of the last record
        QString note;              // for a valid file: bytes after that end
        QList<int> records; // complete records of each of the kind's record kinds

        // "valid data file: 2 groups, ..." for a valid file.
        QString describeValid() const;
    };

    explicit FileChecker(QByteArray bytes);
    Report check();

private:
    // The report's failure: `problem` at byte `offset`.
    static void setProblem(Report &report, qint64 offset, const QString &problem);

    QByteArray m_bytes;
};

// The checker's visitor of a format's walk (see common/fieldwalk.h): it
// reads each field as far as needed to know that it is whole, names the
// first that is not, with the records around it ("group 0 process 1
// requirement 2 multiplier"), and counts the complete records of each kind.
class FieldChecker
{
public:
    FieldChecker(BinaryReader &in, const QByteArray &bytes, int recordKinds);

    template <typename Field>
    bool count(Field field, int &n)
    {
        const qint64 start = m_in.position();
        quint16 value;
        if (!m_in.readUInt16(value))
            return fail(start, fieldName(field), QStringLiteral("the file ends inside it"));
        n = value;
        return true;
    }
    template <typename Field>
    bool text(Field field)
    {
        return checkText(fieldName(field));
    }
    template <typename Field>
    bool byte(Field field)
    {
        const qint64 start = m_in.position();
        quint8 value;
        return m_in.readUInt8(value) || fail(start, fieldName(field), QStringLiteral("the file ends before it"));
    }
    template <typename Field>
    bool int32(Field field)
    {
        const qint64 start = m_in.position();
        qint32 value;
        return m_in.readInt32(value) || fail(start, fieldName(field), QStringLiteral("the file ends inside it"));
    }
    template <typename Record>
    void enter(Record record, int index)
    {
        m_path.append({recordName(record).one, index});
    }
    template <typename Record>
    void leave(Record record)
    {
        m_path.removeLast();
        ++m_records[int(record)];
    }

    qint64 offset() const { return m_offset; }
    QString problem() const { return m_problem; }
    const QList<int> &records() const { return m_records; }

private:
    struct Step
    {
        const char *record;
        int index;
    };

    // Only a text's length is checked: the text itself is not needed here.
    bool checkText(const char *field);
    bool fail(qint64 offset, const char *field, const QString &what);

    BinaryReader &m_in;
    const QByteArray &m_bytes;
    QVarLengthArray<Step, 4> m_path;
    QList<int> m_records;
    qint64 m_offset = 0;
    QString m_problem;
};

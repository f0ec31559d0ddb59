#pragma once

#include "common/result.h"
#include "datatool/filecontent.h"

#include <QByteArray>
#include <QString>

class BinaryReader;

// Walks a data or help file record by record and tells whether it is
// complete, and if not, which field is broken and at which byte offset.
class FileChecker
{
public:
    struct Report
    {
        bool recognized = false;   // a known magic number
        FileContent::Kind kind = FileContent::Kind::Data;
        qint64 offset = 0;         // where the broken field starts
        // Valid, or what is wrong and where: "damaged at byte N: <problem>"
        // or the same for an unknown magic.
        Result<> outcome = Result<>::failure(QString());
        qint64 end = 0;            // for a valid file: the end of the last record
        QString note;              // for a valid file: bytes after that end
        int groups = 0, procs = 0, reqs = 0, topics = 0;

        // "valid data file: 2 groups, ..." for a valid file.
        QString describeValid() const;
    };

    explicit FileChecker(QByteArray bytes);
    Report check();

private:
    bool readData(BinaryReader &in);
    bool readHelp(BinaryReader &in);
    bool readString(BinaryReader &in, const QString &field);
    bool readCount(BinaryReader &in, const QString &field, quint16 &count);
    bool readByte(BinaryReader &in, const QString &field);
    bool readInt(BinaryReader &in, const QString &field);
    bool fail(qint64 offset, const QString &field, const QString &what);
    // The report's failure: `problem` at byte `offset`.
    void setProblem(qint64 offset, const QString &problem);

    QByteArray m_bytes;
    Report m_report;
};

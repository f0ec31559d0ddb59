#pragma once

#include "common/binaryreader.h"
#include "common/storefile.h"

#include <QIODevice>

// Each Vorrak file's layout is written down once, as a walk over its fields
// after the magic number (TradeskillFile::walk, HelpFile::walk). Whatever
// reads, checks or writes a file is a visitor that the walk calls in the
// file's order:
//   count(field, n)   a 16-bit count; the visitor reads n or supplies it,
//                     and the walk then visits n records
//   text(field)       a string: length field and UTF-16 text
//   byte(field)       8 bits
//   int32(field)      32 bits
//   enter(record, i), leave(record)   around the fields of the i-th record
// Every call but enter() and leave() returns false to stop the walk, and the
// walk then returns false. The fields and records are enums of the format,
// with fieldName() and recordName() beside them, so that a visitor can name
// where it stopped. The walks are templates: each visitor is inlined into
// its own copy of the walk, and the load path pays nothing for the sharing.

// Checks that every field is there without building anything, and counts
// the top-level records that are complete.
class RecordSkipper
{
public:
    explicit RecordSkipper(BinaryReader &in)
        : m_in(in)
        , m_wholeEnd(in.position())
    {
    }

    template <typename Field>
    bool count(Field, int &n)
    {
        quint16 value;
        if (!m_in.readUInt16(value))
            return false;
        n = value;
        return true;
    }
    template <typename Field>
    bool text(Field)
    {
        return m_in.skipString();
    }
    template <typename Field>
    bool byte(Field)
    {
        return m_in.skipBytes(1);
    }
    template <typename Field>
    bool int32(Field)
    {
        return m_in.skipBytes(4);
    }
    template <typename Record>
    void enter(Record, int)
    {
        ++m_depth;
    }
    template <typename Record>
    void leave(Record)
    {
        if (--m_depth == 0) {
            ++m_wholeRecords;
            m_wholeEnd = m_in.position();
        }
    }

    int wholeRecords() const { return m_wholeRecords; }
    // The position where the last complete top-level record ends.
    qint64 wholeEnd() const { return m_wholeEnd; }

private:
    BinaryReader &m_in;
    qint64 m_wholeEnd;
    int m_depth = 0;
    int m_wholeRecords = 0;
};

// Reads a file in two passes. The first walks the whole file with a
// RecordSkipper, holding nothing but one block of it in memory however large
// the file claims to be. Then `builder` is told prepare(wholeRecords,
// wholeBytes): it must take the top-level count as `wholeRecords`, so that
// every count it sees is backed by its records, each list can be reserved at
// its size, and on damage only the records before the one in which the
// damage lies are built; `wholeBytes` is what those records take in the
// file, with the magic number, for a builder that makes room first. The
// second pass walks the file again with the builder, after setReader(in).
template <typename Walk, typename Builder>
ReadResult readInTwoPasses(QIODevice *device, qint32 magic, Walk walk, Builder &builder)
{
    const auto badMagic
        = [] { return ReadResult::failure(ReadStatus::BadMagic, QStringLiteral("Format not recognized")); };
    const auto damaged = [] { return ReadResult::failure(ReadStatus::Damaged, QStringLiteral("File is damaged")); };
    const qint64 start = device->pos();
    int wholeRecords;
    qint64 wholeBytes;
    bool complete;
    {
        BinaryReader scan(device);
        qint32 found = 0;
        if (!scan.readInt32(found) || found != magic)
            return badMagic();
        RecordSkipper skipper(scan);
        complete = walk(skipper);
        wholeRecords = skipper.wholeRecords();
        wholeBytes = skipper.wholeEnd() - start;
    }
    builder.prepare(wholeRecords, wholeBytes);
    if (!device->seek(start))
        return damaged();

    BinaryReader in(device);
    qint32 found = 0;
    if (!in.readInt32(found) || found != magic)
        return damaged();
    builder.setReader(in);
    if (!walk(builder) || !complete)
        return damaged();
    return ReadResult::ok(ReadStatus::Ok);
}

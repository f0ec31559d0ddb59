#pragma once

#include <QByteArray>
#include <QString>
#include <QVarLengthArray>
#include <QtGlobal>

class QIODevice;
class StringPool;

// Reads the big-endian values of the Vorrak files from a device of known size.
// Every read is checked against the bytes that are left, so a file that ends
// early or claims an impossible string length sets damaged() instead of
// making the caller read past the end or allocate for bytes that don't exist.
// After the first failure every further read fails too.
//
// Fields can also be skipped: a first pass that only reads the counts and
// measures the texts checks a whole file while memory holds nothing but
// one block of it, however large the file claims to be. Reads go through
// that block, so a million fields cost about as much as reading the file
// once; skipped texts are never read. The device is left after the last
// field read when the reader goes.
class BinaryReader
{
public:
    explicit BinaryReader(QIODevice *device);
    ~BinaryReader();
    BinaryReader(const BinaryReader &) = delete;
    BinaryReader &operator=(const BinaryReader &) = delete;

    bool readInt32(qint32 &value);
    bool readUInt16(quint16 &value);
    bool readUInt8(quint8 &value);
    // A null text (length 0xFFFFFFFF) comes back as a null QString. With a
    // pool, short texts come back shared with earlier equal ones.
    bool readString(QString &value, StringPool *pool = nullptr);

    // Inline: the first pass of a load skips a million fixed fields.
    bool skipBytes(qint64 count)
    {
        if (m_damaged || count > m_size - m_position)
            return fail();
        m_position += count;
        return true;
    }
    // A length field and the UTF-16 text it announces (none for a null text).
    bool skipString();

    bool damaged() const { return m_damaged; }
    qint64 position() const { return m_position; }

private:
    bool readRaw(char *data, qint64 length);
    // A text's length field in bytes, even and no more than are left;
    // `isNull` for the null text.
    bool readTextLength(qint64 &length, bool &isNull);
    bool fail();

    QIODevice *m_device;
    qint64 m_size;
    qint64 m_position;       // of the next field, in the device
    qint64 m_blockStart;     // device position of m_block's first byte
    QByteArray m_block;
    bool m_damaged = false;
    QVarLengthArray<char16_t, 128> m_scratch;
};

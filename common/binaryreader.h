#pragma once

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
class BinaryReader
{
public:
    explicit BinaryReader(QIODevice *device);

    bool readInt32(qint32 &value);
    bool readUInt16(quint16 &value);
    bool readUInt8(quint8 &value);
    // A null text (length 0xFFFFFFFF) comes back as a null QString. With a
    // pool, short texts come back shared with earlier equal ones.
    bool readString(QString &value, StringPool *pool = nullptr);

    bool damaged() const { return m_damaged; }
    qint64 position() const { return m_position; }

private:
    bool readRaw(char *data, qint64 length);
    bool fail();

    QIODevice *m_device;
    qint64 m_size;
    qint64 m_position = 0;
    bool m_damaged = false;
    QVarLengthArray<char16_t, 128> m_scratch;
};

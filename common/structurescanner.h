#pragma once

#include <QByteArray>
#include <QtGlobal>

class QIODevice;

// Walks the fields of a Vorrak file without keeping any of them: counts and
// small values are read, texts are only measured and skipped. A file is
// checked this way before anything is built from it, so that damage is found
// while memory still holds nothing but one block of the file, however large
// the file claims to be. Reads go through that block, so a million fields
// cost about as much as reading the file once.
class StructureScanner
{
public:
    explicit StructureScanner(QIODevice *device);

    bool readInt32(qint32 &value);
    bool readUInt16(quint16 &value);
    bool skipBytes(qint64 count);
    // A length field and the UTF-16 text it announces (none for a null text).
    bool skipString();

    bool damaged() const { return m_damaged; }

private:
    bool fetch(char *to, int count);
    bool fail();

    QIODevice *m_device;
    qint64 m_size;
    qint64 m_position;      // of the next field, in the device
    qint64 m_blockStart = 0; // device position of m_block's first byte
    QByteArray m_block;
    bool m_damaged = false;
};

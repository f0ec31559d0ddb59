#pragma once

#include <QByteArray>
#include <QString>
#include <QtEndian>

class QIODevice;

// Writes values in the byte layout of a big-endian QDataStream (the layout of
// both Vorrak files) into a large buffer that goes to the device a block at a
// time. A store of a million records is written several times faster this way
// than with one QDataStream call, and one device call, per field.
class BigEndianWriter
{
public:
    explicit BigEndianWriter(QIODevice *device);

    void writeInt32(qint32 value)
    {
        reserve(4);
        qToBigEndian(value, m_end);
        m_end += 4;
    }
    void writeInt16(qint16 value)
    {
        reserve(2);
        qToBigEndian(value, m_end);
        m_end += 2;
    }
    void writeInt8(qint8 value)
    {
        reserve(1);
        *m_end++ = char(value);
    }
    // As QDataStream writes a QString: the byte count (0xFFFFFFFF for a null
    // text), then the UTF-16 code units, high byte first. Names and
    // multipliers are short and take the inline path.
    void writeString(const QString &text)
    {
        const qsizetype units = text.size();
        if (units > ShortString || text.isNull() || m_limit - m_end < 4 + 2 * ShortString) {
            writeAnyString(text);
            return;
        }
        qToBigEndian(quint32(units * 2), m_end);
        const char16_t *from = reinterpret_cast<const char16_t *>(text.constData());
        char *to = m_end + 4;
        for (qsizetype i = 0; i < units; ++i) {
            to[2 * i] = char(from[i] >> 8);
            to[2 * i + 1] = char(from[i]);
        }
        m_end = to + 2 * units;
    }

    // Hands what is buffered to the device. False if any write has failed.
    bool finish();

private:
    static constexpr qsizetype ShortString = 64;

    void writeAnyString(const QString &text);
    void reserve(qsizetype bytes)
    {
        if (m_limit - m_end < bytes)
            flush();
    }
    void flush();
    void startWriteback(qint64 bytes);

    QIODevice *m_device;
    QByteArray m_buffer;
    char *m_begin;
    char *m_end;
    char *m_limit;
    bool m_failed = false;
};

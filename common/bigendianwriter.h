#pragma once

#include <QByteArray>
#include <QString>
#include <QtEndian>

#include <cstring>

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
        swapUnits(reinterpret_cast<const char *>(text.constData()), m_end + 4, 2 * units);
        m_end += 4 + 2 * units;
    }

    // Hands what is buffered to the device. False if any write has failed.
    bool finish();

private:
    static constexpr qsizetype ShortString = 64;

    void writeAnyString(const QString &text);

    // Swaps the two bytes of each UTF-16 code unit, eight bytes at a time;
    // the last block overlaps the one before it rather than reading or
    // writing past the text.
    static void swapUnits(const char *from, char *to, qsizetype bytes)
    {
        if (bytes >= 8) {
            qsizetype i = 0;
            for (; i + 8 <= bytes; i += 8)
                swapEight(from + i, to + i);
            if (i < bytes)
                swapEight(from + bytes - 8, to + bytes - 8);
        } else if (bytes >= 4) {
            swapFour(from, to);
            swapFour(from + bytes - 4, to + bytes - 4);
        } else if (bytes == 2) {
            to[0] = from[1];
            to[1] = from[0];
        }
    }
    static void swapEight(const char *from, char *to)
    {
        quint64 units;
        std::memcpy(&units, from, 8);
        units = ((units & 0x00FF00FF00FF00FFull) << 8) | ((units >> 8) & 0x00FF00FF00FF00FFull);
        std::memcpy(to, &units, 8);
    }
    static void swapFour(const char *from, char *to)
    {
        quint32 units;
        std::memcpy(&units, from, 4);
        units = ((units & 0x00FF00FFu) << 8) | ((units >> 8) & 0x00FF00FFu);
        std::memcpy(to, &units, 4);
    }
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

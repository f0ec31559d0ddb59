#include "binaryreader.h"

#include "stringpool.h"

#include <QIODevice>
#include <QtEndian>

BinaryReader::BinaryReader(QIODevice *device)
    : m_device(device)
    , m_size(device->size())
    , m_position(device->pos())
{
}

bool BinaryReader::fail()
{
    m_damaged = true;
    return false;
}

bool BinaryReader::readRaw(char *data, qint64 length)
{
    if (m_damaged || length > m_size - m_position)
        return fail();
    if (m_device->read(data, length) != length)
        return fail();
    m_position += length;
    return true;
}

bool BinaryReader::readInt32(qint32 &value)
{
    uchar bytes[4];
    if (!readRaw(reinterpret_cast<char *>(bytes), sizeof bytes))
        return false;
    value = qFromBigEndian<qint32>(bytes);
    return true;
}

bool BinaryReader::readUInt16(quint16 &value)
{
    uchar bytes[2];
    if (!readRaw(reinterpret_cast<char *>(bytes), sizeof bytes))
        return false;
    value = qFromBigEndian<quint16>(bytes);
    return true;
}

bool BinaryReader::readUInt8(quint8 &value)
{
    char byte;
    if (!readRaw(&byte, 1))
        return false;
    value = static_cast<quint8>(byte);
    return true;
}

bool BinaryReader::readString(QString &value, StringPool *pool)
{
    qint32 signedLength;
    if (!readInt32(signedLength))
        return false;
    const quint32 length = static_cast<quint32>(signedLength);
    if (length == 0xFFFFFFFFu) {
        value = QString();
        return true;
    }
    // The length counts bytes of UTF-16: it must be even and the bytes must
    // be there before anything is allocated for them.
    if (length % 2 != 0 || qint64(length) > m_size - m_position)
        return fail();
    if (length == 0) {
        value = QString(QLatin1String(""));
        return true;
    }
    const qsizetype units = qsizetype(length / 2);
    if (pool && units <= StringPool::MaxPooledLength) {
        m_scratch.resize(units);
        if (!readRaw(reinterpret_cast<char *>(m_scratch.data()), length))
            return false;
        qFromBigEndian<char16_t>(m_scratch.data(), units, m_scratch.data());
        value = pool->intern(QStringView(m_scratch.data(), units));
        return true;
    }
    QString text(units, Qt::Uninitialized);
    if (!readRaw(reinterpret_cast<char *>(text.data()), length))
        return false;
    qFromBigEndian<char16_t>(text.data(), text.size(), text.data());
    value = text;
    return true;
}

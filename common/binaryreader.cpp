#include "common/binaryreader.h"

#include "common/stringpool.h"

#include <QIODevice>
#include <QtEndian>

#include <cstring>

namespace {

constexpr qint64 BlockSize = 64 * 1024;

} // namespace

BinaryReader::BinaryReader(QIODevice *device)
    : m_device(device)
    , m_size(device->size())
    , m_position(device->pos())
    , m_blockStart(device->pos())
{
}

BinaryReader::~BinaryReader()
{
    // Give back what the block read ahead.
    if (m_device->pos() != m_position)
        m_device->seek(m_position);
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
    const qint64 offset = m_position - m_blockStart;
    if (offset < 0 || offset + length > m_block.size()) {
        // Refill from the field on: skipped texts are never read.
        if (m_device->pos() != m_position && !m_device->seek(m_position))
            return fail();
        if (length > BlockSize) {
            // A text longer than a block goes straight to its place.
            if (m_device->read(data, length) != length)
                return fail();
            m_position += length;
            return true;
        }
        m_block.resize(qsizetype(qMin(BlockSize, m_size - m_position)));
        const qint64 got = m_device->read(m_block.data(), m_block.size());
        if (got < length)
            return fail();
        m_block.resize(qsizetype(got));
        m_blockStart = m_position;
    }
    std::memcpy(data, m_block.constData() + (m_position - m_blockStart), size_t(length));
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

bool BinaryReader::readTextLength(qint64 &length, bool &isNull)
{
    qint32 signedLength;
    if (!readInt32(signedLength))
        return false;
    const quint32 field = static_cast<quint32>(signedLength);
    isNull = field == 0xFFFFFFFFu;
    length = isNull ? 0 : qint64(field);
    // The length counts bytes of UTF-16: it must be even and the bytes must
    // be there before anything is allocated for them.
    if (length % 2 != 0 || length > m_size - m_position)
        return fail();
    return true;
}

bool BinaryReader::skipString()
{
    qint64 length;
    bool isNull;
    if (!readTextLength(length, isNull))
        return false;
    m_position += length;
    return true;
}

bool BinaryReader::readString(QString &value, StringPool *pool)
{
    qint64 length;
    bool isNull;
    if (!readTextLength(length, isNull))
        return false;
    if (isNull) {
        value = QString();
        return true;
    }
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

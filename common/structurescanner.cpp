#include "structurescanner.h"

#include <QIODevice>
#include <QtEndian>

#include <cstring>

namespace {

constexpr qint64 BlockSize = 64 * 1024;

} // namespace

StructureScanner::StructureScanner(QIODevice *device)
    : m_device(device)
    , m_size(device->size())
    , m_position(device->pos())
    , m_blockStart(device->pos())
{
}

bool StructureScanner::fail()
{
    m_damaged = true;
    return false;
}

bool StructureScanner::fetch(char *to, int count)
{
    if (m_damaged || count > m_size - m_position)
        return fail();
    const qint64 blockEnd = m_blockStart + m_block.size();
    if (m_position < m_blockStart || m_position + count > blockEnd) {
        // Refill from the field on: skipped texts are never read.
        if (m_device->pos() != m_position && !m_device->seek(m_position))
            return fail();
        m_block.resize(qsizetype(qMin(BlockSize, m_size - m_position)));
        const qint64 got = m_device->read(m_block.data(), m_block.size());
        if (got < count)
            return fail();
        m_block.resize(qsizetype(got));
        m_blockStart = m_position;
    }
    std::memcpy(to, m_block.constData() + (m_position - m_blockStart), size_t(count));
    m_position += count;
    return true;
}

bool StructureScanner::readInt32(qint32 &value)
{
    uchar bytes[4];
    if (!fetch(reinterpret_cast<char *>(bytes), 4))
        return false;
    value = qFromBigEndian<qint32>(bytes);
    return true;
}

bool StructureScanner::readUInt16(quint16 &value)
{
    uchar bytes[2];
    if (!fetch(reinterpret_cast<char *>(bytes), 2))
        return false;
    value = qFromBigEndian<quint16>(bytes);
    return true;
}

bool StructureScanner::skipBytes(qint64 count)
{
    if (m_damaged || count > m_size - m_position)
        return fail();
    m_position += count;
    return true;
}

bool StructureScanner::skipString()
{
    qint32 signedLength;
    if (!readInt32(signedLength))
        return false;
    const quint32 length = quint32(signedLength);
    if (length == 0xFFFFFFFFu)
        return true;
    if (length % 2 != 0)
        return fail();
    return skipBytes(length);
}

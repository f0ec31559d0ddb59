#include "chunkedfilesink.h"

#include <QFileDevice>

ChunkedFileSink::ChunkedFileSink(QFileDevice *file)
    : m_file(file)
{
    m_chunk.reserve(ChunkSize);
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

bool ChunkedFileSink::writeAll(const char *data, qsizetype size)
{
    if (!m_failure.isEmpty())
        return false;
    qsizetype done = 0;
    while (done < size) {
        const qint64 written = m_file->write(data + done, size - done);
        if (written <= 0) {
            m_failure = m_file->errorString();
            return false;
        }
        done += qsizetype(written);
    }
    return true;
}

bool ChunkedFileSink::flushChunk()
{
    if (!writeAll(m_chunk.constData(), m_chunk.size()))
        return false;
    m_chunk.resize(0);
    return true;
}

qint64 ChunkedFileSink::readData(char *, qint64)
{
    return -1;
}

qint64 ChunkedFileSink::writeData(const char *data, qint64 size)
{
    if (!m_failure.isEmpty())
        return -1;
    // A writer that already collects large blocks needs no second copy.
    if (m_chunk.isEmpty() && size >= ChunkSize)
        return writeAll(data, qsizetype(size)) ? size : -1;
    m_chunk.append(data, qsizetype(size));
    if (m_chunk.size() >= ChunkSize && !flushChunk())
        return -1;
    return size;
}

#include "chunkedfilesink.h"

#include <QFileDevice>

ChunkedFileSink::ChunkedFileSink(QFileDevice *file)
    : m_file(file)
{
    m_chunk.reserve(ChunkSize);
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

bool ChunkedFileSink::flushChunk()
{
    if (!m_failure.isEmpty())
        return false;
    qsizetype done = 0;
    while (done < m_chunk.size()) {
        const qint64 written = m_file->write(m_chunk.constData() + done, m_chunk.size() - done);
        if (written <= 0) {
            m_failure = m_file->errorString();
            return false;
        }
        done += qsizetype(written);
    }
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
    m_chunk.append(data, qsizetype(size));
    if (m_chunk.size() >= ChunkSize && !flushChunk())
        return -1;
    return size;
}

#include "chunkedfilesink.h"

#include <QFileDevice>

ChunkedFileSink::ChunkedFileSink(QFileDevice *file)
    : m_file(file)
{
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

ChunkedFileSink::~ChunkedFileSink()
{
    if (!m_helper.joinable())
        return;
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_changed.wait(lock, [this] { return !m_inFlight; });
        m_stop = true;
    }
    m_changed.notify_all();
    m_helper.join();
}

bool ChunkedFileSink::writeAll(const char *data, qsizetype size)
{
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

void ChunkedFileSink::runHelper()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_inFlight || m_stop; });
        if (!m_inFlight)
            return;
        lock.unlock();
        const bool written = writeAll(m_writing.constData(), m_writing.size());
        lock.lock();
        if (!written)
            m_failed = true;
        m_inFlight = false;
        m_changed.notify_all();
    }
}

bool ChunkedFileSink::waitForBlock()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this] { return !m_inFlight; });
    return !m_failed;
}

void ChunkedFileSink::handOver()
{
    if (!waitForBlock())
        return;
    m_writing.swap(m_chunk);
    m_chunk.resize(0);
    if (!m_helper.joinable())
        m_helper = std::thread([this] { runHelper(); });
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_inFlight = true;
    }
    m_changed.notify_all();
}

bool ChunkedFileSink::flushChunk()
{
    if (!waitForBlock())
        return false;
    // The last block goes out from here: no thread for a small file.
    if (!m_chunk.isEmpty() && !writeAll(m_chunk.constData(), m_chunk.size())) {
        m_failed = true;
        return false;
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
    if (m_failed)
        return -1;
    m_chunk.append(data, qsizetype(size));
    if (m_chunk.size() >= ChunkSize)
        handOver();
    return size;
}

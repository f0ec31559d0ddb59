#include "common/bigendianwriter.h"

#include <QFileDevice>

#ifdef Q_OS_LINUX
#include <fcntl.h>
#endif

namespace {

// Small files stay in a small buffer; a large store soon writes 1 MiB blocks.
constexpr qsizetype FirstBufferSize = 4096;
constexpr qsizetype MaxBufferSize = 1 << 20;

} // namespace

BigEndianWriter::BigEndianWriter(QIODevice *device)
    : m_device(device)
    , m_buffer(FirstBufferSize, Qt::Uninitialized)
    , m_begin(m_buffer.data())
    , m_end(m_begin)
    , m_limit(m_begin + FirstBufferSize)
{
}

void BigEndianWriter::flush()
{
    // Each block is written to its end: a disk that fills up halfway through
    // a write takes only part of it without an error, and only the next
    // call makes the system say why.
    qint64 done = 0;
    const qint64 used = m_end - m_begin;
    while (!m_failed && done < used) {
        const qint64 written = m_device->write(m_begin + done, used - done);
        if (written <= 0)
            m_failed = true;
        else
            done += written;
    }
    startWriteback(used);
    if (m_buffer.size() < MaxBufferSize) {
        m_buffer.resize(qMin(m_buffer.size() * 4, MaxBufferSize));
        m_begin = m_buffer.data();
        m_limit = m_begin + m_buffer.size();
    }
    m_end = m_begin;
}

void BigEndianWriter::startWriteback(qint64 bytes)
{
#ifdef Q_OS_LINUX
    // The kernel starts writing each block to the disk as soon as it has it,
    // so that making the file durable at the end waits for the last blocks
    // only instead of all of them.
    const auto *file = qobject_cast<const QFileDevice *>(m_device);
    if (!m_failed && bytes > 0 && file && file->handle() >= 0)
        ::sync_file_range(file->handle(), file->pos() - bytes, bytes, SYNC_FILE_RANGE_WRITE);
#else
    Q_UNUSED(bytes);
#endif
}

void BigEndianWriter::writeAnyString(const QString &text)
{
    if (text.isNull()) {
        writeInt32(-1);
        return;
    }
    writeInt32(qint32(quint32(text.size()) * 2));
    const char16_t *units = reinterpret_cast<const char16_t *>(text.constData());
    qsizetype left = text.size();
    while (left > 0) {
        if (m_limit - m_end < 2)
            flush();
        const qsizetype now = qMin(left, qsizetype((m_limit - m_end) / 2));
        swapUnits(reinterpret_cast<const char *>(units), m_end, 2 * now);
        m_end += now * 2;
        units += now;
        left -= now;
    }
}

bool BigEndianWriter::finish()
{
    flush();
    return !m_failed;
}

#pragma once

#include <QByteArray>
#include <QIODevice>

class QFileDevice;

// Collects a stream's many small writes and hands them to the file in large
// blocks. The file device's own buffer reports a block that the system wrote
// only in part (as on a disk that fills up halfway) as an error without a
// reason; writing the rest of each block again here makes the system say why.
class ChunkedFileSink : public QIODevice
{
public:
    explicit ChunkedFileSink(QFileDevice *file);

    // Writes what is collected; false once any write has failed.
    bool flushChunk();
    // The reason of the first failed write, empty while all went well.
    QString failure() const { return m_failure; }

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 size) override;

private:
    static constexpr qsizetype ChunkSize = 1 << 20;

    bool writeAll(const char *data, qsizetype size);

    QFileDevice *m_file;
    QByteArray m_chunk;
    QString m_failure;
};

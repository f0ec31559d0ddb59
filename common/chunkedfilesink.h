#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

class QFileDevice;

// Collects a stream's writes into large blocks. Once there is more than one
// block, each full block is written by a helper thread while the caller
// serialises the next, so that a large save costs little more than its
// serialisation or its write, whichever is longer. One block at most is in
// flight, and the file is used by one thread at a time: the helper while a
// block is in flight, the caller (commit, errors) only after waiting for it.
//
// Each block is written to its end, however many calls that takes: the file
// device's own buffer reports a block that the system wrote only in part (as
// on a disk that fills up halfway) as an error without a reason, while the
// next call here makes the system say why.
class ChunkedFileSink : public QIODevice
{
public:
    explicit ChunkedFileSink(QFileDevice *file);
    ~ChunkedFileSink() override;

    // Writes everything collected and waits for it; false once any write
    // has failed.
    bool flushChunk();
    // The reason of the first failed write, empty while all went well.
    QString failure() const { return m_failure; }

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 size) override;

private:
    static constexpr qsizetype ChunkSize = 1 << 20;

    // Waits until no block is in flight; false if any write failed.
    bool waitForBlock();
    // Passes the collected block to the helper thread.
    void handOver();
    void runHelper();
    bool writeAll(const char *data, qsizetype size);

    QFileDevice *m_file;
    QByteArray m_chunk;   // being filled by the caller
    QByteArray m_writing; // owned by the helper while m_inFlight
    std::thread m_helper;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_inFlight = false;
    bool m_stop = false;
    std::atomic<bool> m_failed{false};
    QString m_failure; // set by whichever thread owns the file at the time
};

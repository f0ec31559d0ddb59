#include "binaryfilewriter.h"

#include "chunkedfilesink.h"

#include <QSaveFile>

BinaryFileWriter::BinaryFileWriter(QString path, QString what, MessageHandler showMessage)
    : m_path(std::move(path))
    , m_what(std::move(what))
    , m_showMessage(std::move(showMessage))
{
}

void BinaryFileWriter::reportFailure(const QString &reason) const
{
    qWarning("Unable to save %s %s: %s", qPrintable(m_what), qPrintable(m_path), qPrintable(reason));
    if (m_showMessage)
        m_showMessage(QStringLiteral("Unable to save %1 %2: %3").arg(m_what, m_path, reason));
}

bool BinaryFileWriter::write(const std::function<void(QDataStream &out)> &write)
{
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        reportFailure(file.errorString());
        return false;
    }
    ChunkedFileSink sink(&file);
    QDataStream out(&sink);
    write(out);
    // Always flush: it also waits for a block still being written.
    const bool flushed = sink.flushChunk();
    if (out.status() != QDataStream::Ok || !flushed) {
        const QString reason = sink.failure().isEmpty() ? file.errorString() : sink.failure();
        file.cancelWriting();
        reportFailure(reason);
        return false;
    }
    if (!file.commit()) {
        reportFailure(file.errorString());
        return false;
    }
    return true;
}

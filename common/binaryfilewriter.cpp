#include "common/binaryfilewriter.h"

#include "common/inplacewriter.h"
#include "common/regularfile.h"

#include <QBuffer>
#include <QFile>
#include <QSaveFile>

#include <unistd.h>

Result<BinaryFileWriter::Status> BinaryFileWriter::write(const QString &path, const Writer &write)
{
    FileIdentity target;
    const Result<> examined = FileIdentity::examine(path, target);
    if (!examined)
        return Result<Status>::failure(Status::Failed, examined.text());
    if (target.exists && !target.regular)
        return Result<Status>::failure(Status::NotRegular, QStringLiteral("Not a regular file"));

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        // No temporary file beside a file that may be written: the folder
        // is not writable. QSaveFile's own fallback would cut the file first.
        if (target.exists && ::access(QFile::encodeName(path).constData(), W_OK) == 0)
            return InPlaceWriter::write(path, write);
        return Result<Status>::failure(Status::Failed, file.errorString());
    }
    if (!write(&file)) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return Result<Status>::failure(Status::Failed, reason);
    }
    if (!file.commit())
        return Result<Status>::failure(Status::Failed, file.errorString());
    return Result<Status>::ok(Status::Written);
}

QByteArray BinaryFileWriter::inMemory(const Writer &write)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    write(&buffer);
    return bytes;
}

#include "binaryfilewriter.h"

#include <QSaveFile>

BinaryFileWriter::Result BinaryFileWriter::write(const QString &path,
                                                 const std::function<void(QDataStream &out)> &write)
{
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return {false, file.errorString()};
    QDataStream out(&file);
    write(out);
    if (out.status() != QDataStream::Ok) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return {false, reason};
    }
    if (!file.commit())
        return {false, file.errorString()};
    return {true, QString()};
}

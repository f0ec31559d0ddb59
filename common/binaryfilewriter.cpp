#include "binaryfilewriter.h"

#include "regularfile.h"

#include <QSaveFile>

BinaryFileWriter::Result BinaryFileWriter::write(const QString &path,
                                                 const std::function<void(QDataStream &out)> &write)
{
    QString error;
    const FileIdentity target = FileIdentity::ofPath(path, &error);
    if (!error.isEmpty())
        return {false, false, error};
    if (target.exists && !target.regular)
        return {false, true, QString()};

    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return {false, false, file.errorString()};
    QDataStream out(&file);
    write(out);
    if (out.status() != QDataStream::Ok) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return {false, false, reason};
    }
    if (!file.commit())
        return {false, false, file.errorString()};
    return {true, false, QString()};
}

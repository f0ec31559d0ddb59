#include "common/binaryfilewriter.h"

#include "common/inplacewriter.h"
#include "common/regularfile.h"

#include <QFile>
#include <QSaveFile>

#include <unistd.h>

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
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        // No temporary file beside a file that may be written: the folder
        // is not writable. QSaveFile's own fallback would cut the file first.
        if (target.exists && ::access(QFile::encodeName(path).constData(), W_OK) == 0)
            return InPlaceWriter::write(path, write);
        return {false, false, file.errorString()};
    }
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

#pragma once

#include <QDataStream>
#include <QString>
#include <functional>

// Writes a whole file through a temporary file that replaces the target only
// when every byte was written, so a failure (full disk, no permission, a
// crash) leaves the old file as it was. Where no temporary file can be made
// next to a writable target (a folder the user may not write to), the
// target is written over itself by InPlaceWriter, which keeps copies of both
// versions until it is done. Only a regular file is ever replaced:
// a FIFO, device or directory in the target's place is refused untouched.
class BinaryFileWriter
{
public:
    struct Result
    {
        bool written = false;
        // The target exists and is not a regular file; nothing was touched.
        bool notRegular = false;
        QString reason; // the system's reason when not written for another cause
    };

    // Runs `write` on a big-endian stream into `path` and commits.
    static Result write(const QString &path, const std::function<void(QDataStream &out)> &write);
};

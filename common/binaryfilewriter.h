#pragma once

#include "common/result.h"

#include <QByteArray>
#include <QString>
#include <functional>

class QIODevice;

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
    // NotRegular: the target exists and is not a regular file, nothing was
    // touched ("Not a regular file"); Failed: the system's reason.
    enum class Status { Written, Failed, NotRegular };
    // Writes the file's bytes to the device; false if a write failed.
    using Writer = std::function<bool(QIODevice *device)>;

    // Runs `write` on `path`'s new version and commits.
    static Result<Status> write(const QString &path, const Writer &write);
    // What `write` writes, in memory: a file image to convert or compare.
    static QByteArray inMemory(const Writer &write);
};

#pragma once

#include "common/result.h"

#include <QString>
#include <QtGlobal>

class QFile;

// What stands at a path, following links, as far as telling one version of
// a file from another needs: a file rewritten or replaced by another program
// differs in size, modification time or inode.
struct FileIdentity
{
    bool exists = false;
    bool regular = false;
    qint64 size = 0;
    qint64 modifiedNs = 0;
    quint64 device = 0;
    quint64 inode = 0;

    // What stands at `path` into `identity`, that of no file when nothing
    // does; a failure, with the system's reason, when the path exists but
    // cannot be examined (`identity` is then that of no file too).
    static Result<> examine(const QString &path, FileIdentity &identity);
    // The same where a path that cannot be examined may count as missing.
    static FileIdentity ofPath(const QString &path);

    friend bool operator==(const FileIdentity &a, const FileIdentity &b)
    {
        return a.exists == b.exists && a.regular == b.regular && a.size == b.size && a.modifiedNs == b.modifiedNs
            && a.device == b.device && a.inode == b.inode;
    }
    friend bool operator!=(const FileIdentity &a, const FileIdentity &b) { return !(a == b); }
};

// Opens `path` for reading only if it is a regular file (links followed).
// A FIFO, a device or a directory is never opened, so nothing can block or
// start a device; the open itself cannot block either.
class RegularFile
{
public:
    enum class Status { Opened, Missing, NotRegular, Failed };

    // Opened, or a failure: Missing ("No such file or directory"),
    // NotRegular ("Not a regular file") or Failed, with the system's reason.
    // `identity`, if given, receives the identity of the file opened.
    static Result<Status> open(const QString &path, QFile &file, FileIdentity *identity = nullptr);
};

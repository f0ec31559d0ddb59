#include "common/inplacewriter.h"

#include "common/statefolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qint64 Block = qint64(1) << 20;

QString systemReason()
{
    return qt_error_string(errno);
}

// Copies the first `size` bytes of `from` to the start of `to`.
Result<> copyBytes(int from, int to, qint64 size)
{
    QByteArray block(Block, Qt::Uninitialized);
    qint64 at = 0;
    while (at < size) {
        const ssize_t got = ::pread(from, block.data(), size_t(qMin(Block, size - at)), off_t(at));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return Result<>::failure(got < 0 ? systemReason() : QStringLiteral("The file ended early"));
        ssize_t done = 0;
        while (done < got) {
            const ssize_t put = ::pwrite(to, block.constData() + done, size_t(got - done), off_t(at + done));
            if (put < 0 && errno == EINTR)
                continue;
            if (put <= 0)
                return Result<>::failure(put < 0 ? systemReason() : qt_error_string(ENOSPC));
            done += put;
        }
        at += got;
    }
    return Result<>::ok();
}

// Makes `fd` exactly the first `size` bytes of `source`, on the disk.
Result<> overwrite(int fd, int source, qint64 size)
{
    const Result<> copied = copyBytes(source, fd, size);
    if (!copied)
        return copied;
    if (::ftruncate(fd, off_t(size)) != 0 || ::fdatasync(fd) != 0)
        return Result<>::failure(systemReason());
    return Result<>::ok();
}

// Reserves the blocks for `size` bytes without changing the file, so that a
// full disk is found before the first byte is overwritten. Where the file
// system cannot reserve, the write goes on: the old bytes' copy covers it.
Result<> reserve(int fd, qint64 size)
{
#ifdef FALLOC_FL_KEEP_SIZE
    if (size > 0 && ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, off_t(size)) != 0 && errno != EOPNOTSUPP && errno != ENOSYS)
        return Result<>::failure(systemReason());
#else
    Q_UNUSED(fd);
    Q_UNUSED(size);
#endif
    return Result<>::ok();
}

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

Result<BinaryFileWriter::Status> failed(const QString &reason)
{
    return Result<BinaryFileWriter::Status>::failure(BinaryFileWriter::Status::Failed, reason);
}

} // namespace

QString InPlaceWriter::keepingFolder()
{
    for (const QString &folder : {vorrakStateFolder(), QDir::tempPath()}) {
        if (QDir().mkpath(folder) && ::access(QFile::encodeName(folder).constData(), W_OK | X_OK) == 0)
            return folder;
    }
    return QString();
}

Result<BinaryFileWriter::Status> InPlaceWriter::write(const QString &path, const BinaryFileWriter::Writer &write)
{
    const QString notWritable = QStringLiteral("The folder is not writable, and ");
    const QString folder = keepingFolder();
    if (folder.isEmpty())
        return failed(notWritable + QStringLiteral("no folder was found to keep a copy of the file in first"));
    const QString name = folder + QLatin1Char('/') + QFileInfo(path).fileName();

    // The new version, whole, before anything of the file changes.
    QTemporaryFile fresh(name + QStringLiteral(".new-XXXXXX"));
    if (!fresh.open())
        return failed(notWritable + QStringLiteral("the new version could not be written to %1 first: %2")
                                        .arg(native(folder), fresh.errorString()));
    if (!write(&fresh) || !fresh.flush())
        return failed(notWritable
                      + QStringLiteral("the new version could not be written to %1 first: %2")
                            .arg(native(fresh.fileName()), fresh.errorString()));
    const qint64 newSize = fresh.size();

    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return failed(systemReason());
    struct FdCloser
    {
        int fd;
        ~FdCloser() { ::close(fd); }
    } closer{fd};
    struct stat status;
    if (::fstat(fd, &status) != 0)
        return failed(systemReason());
    if (!S_ISREG(status.st_mode))
        return Result<BinaryFileWriter::Status>::failure(BinaryFileWriter::Status::NotRegular,
                                                         QStringLiteral("Not a regular file"));
    const qint64 oldSize = qint64(status.st_size);

    // The old version, on the disk before its first byte is overwritten.
    QTemporaryFile old(name + QStringLiteral(".old-XXXXXX"));
    Result<> oldKept = old.open() ? copyBytes(fd, old.handle(), oldSize) : Result<>::failure(old.errorString());
    if (oldKept && ::fdatasync(old.handle()) != 0)
        oldKept = Result<>::failure(systemReason());
    if (!oldKept)
        return failed(notWritable
                      + QStringLiteral("no copy of the old file could be kept in %1 first: %2")
                            .arg(native(folder), oldKept.text()));

    const Result<> reserved = reserve(fd, newSize);
    if (!reserved)
        return failed(reserved.text());
    qWarning("Writing %s over itself, as its folder is not writable; until it is complete the old version is "
             "kept as %s and the new one as %s",
             qPrintable(native(path)), qPrintable(native(old.fileName())), qPrintable(native(fresh.fileName())));
    const Result<> written = overwrite(fd, fresh.handle(), newSize);
    if (written)
        return Result<BinaryFileWriter::Status>::ok(BinaryFileWriter::Status::Written);

    // Back to the old bytes; their place on the disk is still the file's.
    const Result<> restored = overwrite(fd, old.handle(), oldSize);
    if (restored)
        return failed(written.text() + QStringLiteral("; the old file was put back as it was"));
    old.setAutoRemove(false);
    return failed(written.text()
                  + QStringLiteral("; the old file could not be put back (%1), a copy of it is kept as %2")
                        .arg(restored.text(), native(old.fileName())));
}

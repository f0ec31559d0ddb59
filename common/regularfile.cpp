#include "common/regularfile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

FileIdentity identityOf(const struct stat &status)
{
    FileIdentity identity;
    identity.exists = true;
    identity.regular = S_ISREG(status.st_mode);
    identity.size = qint64(status.st_size);
    identity.modifiedNs = qint64(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
    identity.device = quint64(status.st_dev);
    identity.inode = quint64(status.st_ino);
    return identity;
}

} // namespace

Result<> FileIdentity::examine(const QString &path, FileIdentity &identity)
{
    struct stat status;
    if (::stat(QFile::encodeName(path).constData(), &status) != 0) {
        identity = {};
        return errno == ENOENT ? Result<>::ok() : Result<>::failure(qt_error_string(errno));
    }
    identity = identityOf(status);
    return Result<>::ok();
}

FileIdentity FileIdentity::ofPath(const QString &path)
{
    FileIdentity identity;
    static_cast<void>(examine(path, identity));
    return identity;
}

Result<RegularFile::Status> RegularFile::open(const QString &path, QFile &file, FileIdentity *identity)
{
    const auto missing
        = [] { return Result<Status>::failure(Status::Missing, QStringLiteral("No such file or directory")); };
    const auto notRegular
        = [] { return Result<Status>::failure(Status::NotRegular, QStringLiteral("Not a regular file")); };
    const auto failed = [](const QString &reason) { return Result<Status>::failure(Status::Failed, reason); };

    FileIdentity before;
    const Result<> examined = FileIdentity::examine(path, before);
    if (!examined)
        return failed(examined.text());
    if (!before.exists)
        return missing();
    if (!before.regular)
        return notRegular();

    // Non-blocking in case a FIFO took the file's place since the check.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? missing() : failed(qt_error_string(errno));
    struct stat status;
    if (::fstat(fd, &status) != 0) {
        const QString reason = qt_error_string(errno);
        ::close(fd);
        return failed(reason);
    }
    if (!S_ISREG(status.st_mode)) {
        ::close(fd);
        return notRegular();
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        const QString reason = file.errorString();
        ::close(fd);
        return failed(reason);
    }
    if (identity)
        *identity = identityOf(status);
    return Result<Status>::ok(Status::Opened);
}

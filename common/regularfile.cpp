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

FileIdentity FileIdentity::ofPath(const QString &path, QString *error)
{
    struct stat status;
    if (::stat(QFile::encodeName(path).constData(), &status) != 0) {
        if (errno != ENOENT && error)
            *error = qt_error_string(errno);
        return {};
    }
    return identityOf(status);
}

RegularFile::Status RegularFile::open(const QString &path, QFile &file, FileIdentity *identity, QString *reason)
{
    QString error;
    const FileIdentity before = FileIdentity::ofPath(path, &error);
    if (!error.isEmpty()) {
        *reason = error;
        return Status::Failed;
    }
    if (!before.exists)
        return Status::Missing;
    if (!before.regular)
        return Status::NotRegular;

    // Non-blocking in case a FIFO took the file's place since the check.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT)
            return Status::Missing;
        *reason = qt_error_string(errno);
        return Status::Failed;
    }
    struct stat status;
    if (::fstat(fd, &status) != 0) {
        *reason = qt_error_string(errno);
        ::close(fd);
        return Status::Failed;
    }
    if (!S_ISREG(status.st_mode)) {
        ::close(fd);
        return Status::NotRegular;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        *reason = file.errorString();
        ::close(fd);
        return Status::Failed;
    }
    if (identity)
        *identity = identityOf(status);
    return Status::Opened;
}

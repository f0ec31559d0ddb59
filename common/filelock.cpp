#include "common/filelock.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

// Long enough for another program's save of a very large file to finish.
constexpr int WaitMs = 10000;
constexpr int PollMs = 20;

} // namespace

FileLock::FileLock(const QString &path)
{
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    m_fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_fd < 0) {
        // A folder that may be entered but not listed cannot be locked by
        // anyone without that right either; the save goes on unlocked. A
        // missing folder fails later with the writer's own reason.
        if (errno != EACCES && errno != ENOENT)
            m_locked = Result<>::failure(qt_error_string(errno));
        return;
    }
    const QDeadlineTimer deadline(WaitMs);
    while (::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR) {
            // Where the file system has no locks, there is nothing to wait for.
            if (errno == ENOLCK || errno == EOPNOTSUPP)
                return;
            m_locked = Result<>::failure(qt_error_string(errno));
            return;
        }
        if (deadline.hasExpired()) {
            m_locked = Result<>::failure(QStringLiteral("The file is busy: another program is saving it"));
            return;
        }
        ::usleep(PollMs * 1000);
    }
}

FileLock::~FileLock()
{
    if (m_fd >= 0)
        ::close(m_fd); // releases the lock
}

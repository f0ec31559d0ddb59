#include "tests/support/openwatch.h"

#include <QFile>

#include <sys/inotify.h>
#include <unistd.h>

OpenWatch::OpenWatch()
    : m_fd(inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
{
}

OpenWatch::~OpenWatch()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool OpenWatch::add(const QString &path)
{
    return m_fd >= 0 && inotify_add_watch(m_fd, QFile::encodeName(path).constData(), IN_OPEN | IN_ACCESS) >= 0;
}

QStringList OpenWatch::opened()
{
    QStringList names;
    alignas(inotify_event) char buffer[4096];
    ssize_t length;
    while ((length = ::read(m_fd, buffer, sizeof buffer)) > 0) {
        for (char *p = buffer; p < buffer + length;) {
            const auto *event = reinterpret_cast<const inotify_event *>(p);
            names.append(event->len ? QFile::decodeName(event->name) : QStringLiteral("."));
            p += sizeof(inotify_event) + event->len;
        }
    }
    return names;
}

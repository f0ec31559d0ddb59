#pragma once

#include <QString>
#include <QStringList>

// Reports every opening of a file in the watched places (inotify), so a test
// can prove that showing something opened nothing.
class OpenWatch
{
public:
    OpenWatch();
    ~OpenWatch();
    OpenWatch(const OpenWatch &) = delete;
    OpenWatch &operator=(const OpenWatch &) = delete;

    bool add(const QString &path);
    // Names of the files opened since the last call ("." for a watched file itself).
    QStringList opened();

private:
    int m_fd;
};

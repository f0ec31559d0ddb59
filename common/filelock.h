#pragma once

#include <QString>

// The one advisory lock that every writer of the Vorrak files holds from the
// moment it compares the file with what it loaded until the new version is
// in place: the editor's end save and help save, and each vorrak-data
// writer. Another of them waits for it, a few seconds at most, instead of
// writing in between; a foreign program's change is still caught by that
// comparison.
//
// The lock is taken on the file's folder, not on the file: the file is
// replaced by a rename, so a lock on it would stay behind with the old
// version, and it may not exist yet.
class FileLock
{
public:
    // Locks the folder of `path`, waiting while another writer holds it.
    explicit FileLock(const QString &path);
    ~FileLock();
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

    // False when the lock could not be had; reason() then says why.
    bool isLocked() const { return m_reason.isEmpty(); }
    QString reason() const { return m_reason; }

private:
    int m_fd = -1;
    QString m_reason;
};

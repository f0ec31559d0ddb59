#pragma once

#include "common/result.h"

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

    // Ok when the lock is held or there is none to take, else a failure
    // saying why it could not be had.
    const Result<> &locked() const { return m_locked; }

private:
    int m_fd = -1;
    Result<> m_locked = Result<>::ok();
};

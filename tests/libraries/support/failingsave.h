#pragma once

#include <QByteArray>
#include <QString>

class ScratchDir;

// One way for a save to fail, named by a row of addRows(): the file's name
// taken by a directory, a read-only directory, or a system directory. Where a
// file can stand, an older one is written first, so that the test can check
// that the failed save kept it. The directory is writable again afterwards.
class FailingSave
{
public:
    // The column "setup" and one row for each way.
    static void addRows();

    FailingSave(const ScratchDir &dir, const QString &fileName, const QByteArray &old);
    ~FailingSave();
    FailingSave(const FailingSave &) = delete;
    FailingSave &operator=(const FailingSave &) = delete;

    // Sets up the way `setup` names; false when the set-up itself fails.
    // Root ignores permissions, so the caller skips "read-only" as root.
    bool prepare(const QString &setup);
    // Checks through QTest that the older file is there, unchanged and alone.
    void verifyOldFileKept() const;

private:
    const ScratchDir &m_dir;
    QString m_fileName;
    QByteArray m_old;
    QString m_oldFile;
};

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

class ScratchDir;

// One way for a save to fail, named by one of ways(): the file's name taken
// by a directory, a read-only directory (and file), or a system directory. Where a
// file can stand, an older one is written first, so that the test can check
// that the failed save kept it. The directory is writable again afterwards.
class FailingSave
{
public:
    // The names of the ways, which prepare() takes.
    static QStringList ways();

    FailingSave(const ScratchDir &dir, const QString &fileName, const QByteArray &old);
    ~FailingSave();
    FailingSave(const FailingSave &) = delete;
    FailingSave &operator=(const FailingSave &) = delete;

    // Sets up the way named; false when the set-up itself fails. Root
    // ignores permissions, so the caller runs "read-only directory" through
    // rerunNonRoot().
    bool prepare(const QString &way);
    // Calls `save` and checks through QTest that it failed and said so once:
    // a warning that starts with `prefix` and goes on to give the reason, the
    // same text in `messages` (the store's messages, read after the save), no
    // `finishedLine` among the debug lines, and the older file kept.
    void verifySaveFails(const std::function<bool()> &save, const QStringList &messages, const QString &prefix,
                         const QString &finishedLine) const;

private:
    void verifyOldFileKept() const;

    const ScratchDir &m_dir;
    QString m_fileName;
    QByteArray m_old;
    QString m_oldFile;
};

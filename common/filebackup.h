#pragma once

#include <QString>

// Moves a file out of the way before the program writes its own version in
// its place, so that the other content is never lost: `path` becomes
// `path`.bak, or `path`.1.bak, `path`.2.bak, ... whichever name is free. An
// older backup is never replaced.
struct FileBackup
{
    bool kept = false;
    QString backupPath; // where the file went, or (on failure) the first name tried
    QString reason;     // why it could not be moved

    static FileBackup keep(const QString &path);
};

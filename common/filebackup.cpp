#include "common/filebackup.h"

#include <QFile>
#include <QFileInfo>

namespace {

QString backupName(const QString &path, int number)
{
    return number == 0 ? path + QLatin1String(".bak") : QStringLiteral("%1.%2.bak").arg(path).arg(number);
}

} // namespace

FileBackup FileBackup::keep(const QString &path)
{
    FileBackup backup;
    backup.backupPath = backupName(path, 0);
    // QFile::rename never replaces an existing file: a taken name fails and
    // the next one is tried.
    for (int number = 0; number < 100000; ++number) {
        const QString candidate = backupName(path, number);
        if (QFileInfo::exists(candidate) || QFileInfo(candidate).isSymLink())
            continue;
        QFile file(path);
        if (file.rename(candidate)) {
            backup.kept = true;
            backup.backupPath = candidate;
            return backup;
        }
        if (!QFileInfo::exists(candidate)) {
            backup.backupPath = candidate;
            backup.reason = file.errorString();
            return backup;
        }
    }
    backup.reason = QStringLiteral("no free backup name");
    return backup;
}

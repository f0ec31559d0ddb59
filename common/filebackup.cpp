#include "common/filebackup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString backupName(const QString &path, int number)
{
    return number == 0 ? path + QLatin1String(".bak") : QStringLiteral("%1.%2.bak").arg(path).arg(number);
}

} // namespace

namespace FileBackup {

Result<> keep(const QString &path)
{
    const auto failed = [](const QString &name, const QString &reason) {
        return Result<>::failure(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(name), reason));
    };
    // QFile::rename never replaces an existing file: a taken name fails and
    // the next one is tried.
    for (int number = 0; number < 100000; ++number) {
        const QString candidate = backupName(path, number);
        if (QFileInfo::exists(candidate) || QFileInfo(candidate).isSymLink())
            continue;
        QFile file(path);
        if (file.rename(candidate))
            return Result<>::ok({}, candidate);
        if (!QFileInfo::exists(candidate))
            return failed(candidate, file.errorString());
    }
    return failed(backupName(path, 0), QStringLiteral("no free backup name"));
}

} // namespace FileBackup

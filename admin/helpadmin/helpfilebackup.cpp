#include "helpfilebackup.h"

#include <QDir>
#include <QFile>

namespace HelpFileBackup {

QString backupPath(const QString &path)
{
    return path + QLatin1String(".bak");
}

bool keep(const QString &path, const MessageHandler &showMessage)
{
    const QString backup = backupPath(path);
    const QString nativePath = QDir::toNativeSeparators(path);
    const QString nativeBackup = QDir::toNativeSeparators(backup);
    QString reason;
    if (QFile::exists(backup) && !QFile::remove(backup)) {
        reason = QStringLiteral("the old backup cannot be removed");
    } else {
        QFile file(path);
        if (file.rename(backup)) {
            qWarning("Help file %s could not be read; keeping it as %s", qPrintable(nativePath),
                     qPrintable(nativeBackup));
            return true;
        }
        reason = file.errorString();
    }
    qWarning("Unable to keep help file %s as %s: %s", qPrintable(nativePath), qPrintable(nativeBackup),
             qPrintable(reason));
    if (showMessage)
        showMessage(QStringLiteral("Unable to keep the unreadable help file %1 as %2: %3\n"
                                   "The help file was not written.")
                        .arg(nativePath, nativeBackup, reason));
    return false;
}

} // namespace HelpFileBackup

#include "unreadablefilebackup.h"

#include <QDir>
#include <QFile>

bool keepUnreadableFile(const QString &path, const QString &what, const QString &consequence,
                        const MessageHandler &showMessage)
{
    const QString backup = path + QLatin1String(".bak");
    const QString nativePath = QDir::toNativeSeparators(path);
    const QString nativeBackup = QDir::toNativeSeparators(backup);

    QString reason;
    QFile old(backup);
    if (old.exists() && !old.remove()) {
        reason = old.errorString();
    } else {
        QFile file(path);
        if (file.rename(backup)) {
            qWarning("Unreadable %s %s kept as %s", qPrintable(what), qPrintable(nativePath),
                     qPrintable(nativeBackup));
            return true;
        }
        reason = file.errorString();
    }

    qWarning("Unable to keep unreadable %s %s as %s: %s", qPrintable(what), qPrintable(nativePath),
             qPrintable(nativeBackup), qPrintable(reason));
    if (showMessage)
        showMessage(QStringLiteral("Unable to keep the unreadable %1 %2 as %3: %4\n%5")
                        .arg(what, nativePath, nativeBackup, reason, consequence));
    return false;
}

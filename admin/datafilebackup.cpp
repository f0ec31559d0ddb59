#include "datafilebackup.h"

#include "tradeskilldata.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

bool backUpDataFile(const MessageHandler &showMessage)
{
    const QString path = TradeskillData::filePath();
    const QString backup = path + QLatin1String(".bak");
    const QString nativePath = QDir::toNativeSeparators(path);
    const QString nativeBackup = QDir::toNativeSeparators(backup);

    QString reason;
    QFile old(backup);
    if (QFileInfo::exists(backup) && !old.remove()) {
        reason = old.errorString();
    } else {
        QFile file(path);
        if (file.rename(backup)) {
            qWarning("Unreadable data file %s kept as %s", qPrintable(nativePath), qPrintable(nativeBackup));
            return true;
        }
        reason = file.errorString();
    }

    qWarning("Unable to keep unreadable data file %s as %s: %s", qPrintable(nativePath),
             qPrintable(nativeBackup), qPrintable(reason));
    if (showMessage)
        showMessage(QStringLiteral("Unable to keep the unreadable data file %1 as %2: %3\n"
                                   "The data file was left as it is and your changes were not saved.")
                        .arg(nativePath, nativeBackup, reason));
    return false;
}

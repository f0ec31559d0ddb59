#include "gui/emergencycopy.h"

#include "common/statefolder.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QUrl>

namespace EmergencyCopy {

namespace {

QString recordPath()
{
    return vorrakStateFolder() + QStringLiteral("/emergency-copies");
}

struct Entry
{
    QString folder;
    QString copy;
};

// One line per copy: the file's folder and the copy's path, each
// percent-encoded, so that any character of a path survives.
QList<Entry> readRecord()
{
    QList<Entry> entries;
    QFile file(recordPath());
    if (!file.open(QIODevice::ReadOnly))
        return entries;
    for (const QByteArray &line : file.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() == 2)
            entries.append({QUrl::fromPercentEncoding(fields.at(0)), QUrl::fromPercentEncoding(fields.at(1))});
    }
    return entries;
}

bool writeRecord(const QList<Entry> &entries)
{
    if (!QDir().mkpath(vorrakStateFolder()))
        return false;
    QSaveFile file(recordPath());
    if (!file.open(QIODevice::WriteOnly))
        return false;
    for (const Entry &entry : entries)
        file.write(QUrl::toPercentEncoding(entry.folder) + ' ' + QUrl::toPercentEncoding(entry.copy) + '\n');
    return file.commit();
}

// A name no file has yet: the file's name, the time, and a number if needed.
QString freshPath(const QString &folder, const QString &fileName)
{
    const QString stem = QStringLiteral("%1/%2.emergency-%3")
                             .arg(folder, fileName, QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")));
    QString path = stem;
    for (int n = 2; QFileInfo::exists(path) || QFileInfo(path).isSymLink(); ++n)
        path = stem + QStringLiteral("-%1").arg(n);
    return path;
}

} // namespace

QString write(const QString &filePath, const std::function<SaveResult(const QString &path)> &saveCopy)
{
    const QFileInfo file(filePath);
    const QString folder = file.absolutePath();
    const QString places[] = {folder, vorrakStateFolder(), QDir::homePath(), QDir::tempPath()};
    for (const QString &place : places) {
        if (place.isEmpty() || !QDir().mkpath(place))
            continue;
        const QString copy = freshPath(place, file.fileName());
        if (!saveCopy(copy))
            continue;
        QList<Entry> entries = readRecord();
        entries.append({folder, copy});
        if (!writeRecord(entries))
            qWarning("Unable to note the emergency copy %s for the next start", qPrintable(QDir::toNativeSeparators(copy)));
        return copy;
    }
    return QString();
}

QStringList takeUntold(const QString &folder)
{
    const QString here = QFileInfo(folder).absoluteFilePath();
    QList<Entry> kept;
    QStringList untold;
    const QList<Entry> entries = readRecord();
    for (const Entry &entry : entries) {
        if (entry.folder != here)
            kept.append(entry);
        else if (QFileInfo::exists(entry.copy))
            untold.append(QDir::toNativeSeparators(entry.copy));
    }
    if (kept.size() != entries.size() && !writeRecord(kept))
        qWarning("Unable to note that the emergency copies were told of: %s", qPrintable(recordPath()));
    return untold;
}

} // namespace EmergencyCopy

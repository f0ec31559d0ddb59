#include "common/storefile.h"

#include "common/filebackup.h"

#include "common/binaryfilewriter.h"
#include "common/debuglog.h"
#include "common/filelock.h"

#include <QDir>
#include <QFile>

#include <new>

namespace {

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString capitalised(const QString &text)
{
    return text.left(1).toUpper() + text.mid(1);
}

// A file of these was not read, so the store does not hold what the file holds.
bool mustBeKept(LoadStatus status)
{
    switch (status) {
    case LoadStatus::BadMagic:
    case LoadStatus::Damaged:
    case LoadStatus::Unreadable:
    case LoadStatus::OutOfMemory:
        return true;
    case LoadStatus::Missing:
    case LoadStatus::Loaded:
    case LoadStatus::NotRegular:
        break;
    }
    return false;
}

} // namespace

QString messageBeforeSaving(const LoadResult &loaded)
{
    // A damaged file's records are shown, and saving them must not replace the rest.
    if (loaded.status() == LoadStatus::Damaged)
        return loaded.text() + QStringLiteral("\nThe original file will be kept as a backup when the editor saves.");
    return loaded.text();
}

StoreFile::StoreFile(const char *fileName, const char *what, const char *record)
    : m_fileName(QString::fromLatin1(fileName))
    , m_what(QString::fromLatin1(what))
    , m_record(QString::fromLatin1(record))
{
}

QString StoreFile::inCurrentDirectory(const QString &fileName)
{
    return QDir::currentPath() + QLatin1Char('/') + fileName;
}

QString StoreFile::path() const
{
    return inCurrentDirectory(m_fileName);
}

LoadResult StoreFile::failLoad(LoadStatus status, const QString &reason)
{
    m_loadStatus = status;
    qWarning("Unable to load %s %s: %s", qPrintable(m_what), qPrintable(native(path())), qPrintable(reason));
    return LoadResult::failure(status, QStringLiteral("Unable to load %1: %2").arg(m_what, reason));
}

LoadResult StoreFile::load(const Reader &read)
{
    QFile file;
    m_loaded = FileIdentity();
    const Result<RegularFile::Status> opened = RegularFile::open(path(), file, &m_loaded);
    switch (opened.status()) {
    case RegularFile::Status::Missing:
        m_loadStatus = LoadStatus::Missing;
        return LoadResult::ok(LoadStatus::Missing);
    case RegularFile::Status::NotRegular:
        return failLoad(LoadStatus::NotRegular, opened.text());
    case RegularFile::Status::Failed:
        return failLoad(LoadStatus::Unreadable, opened.text());
    case RegularFile::Status::Opened:
        break;
    }

    ReadResult result = ReadResult::ok();
    qsizetype records = 0;
    try {
        result = read(&file, records);
    } catch (const std::bad_alloc &) {
        // The reader's records are gone again with the stack; the store is empty.
        return failLoad(LoadStatus::OutOfMemory, QStringLiteral("Out of memory"));
    }
    if (file.error() != QFileDevice::NoError)
        return failLoad(LoadStatus::Unreadable, file.errorString());

    switch (result.status()) {
    case ReadStatus::BadMagic:
        m_loadStatus = LoadStatus::BadMagic;
        qWarning("BAD MAGIC NUMBER!");
        return LoadResult::failure(LoadStatus::BadMagic,
                                   QStringLiteral("Unable to load %1: %2").arg(m_what, result.text()));
    case ReadStatus::Damaged:
        m_loadStatus = LoadStatus::Damaged;
        qWarning("%s %s is damaged", qPrintable(capitalised(m_what)), qPrintable(native(path())));
        return LoadResult::failure(LoadStatus::Damaged, damagedMessage(result.text(), records));
    case ReadStatus::Ok:
        break;
    }
    m_loadStatus = LoadStatus::Loaded;
    return LoadResult::ok(LoadStatus::Loaded);
}

QString StoreFile::damagedMessage(const QString &reason, qsizetype records) const
{
    const QString damaged = QStringLiteral("Unable to load %1: %2.\n").arg(m_what, reason);
    if (records == 0)
        return damaged + QStringLiteral("No %1 was read before the damage.").arg(m_record);
    if (records == 1)
        return damaged + QStringLiteral("1 %1 was read before the damage and is shown.").arg(m_record);
    return damaged + QStringLiteral("%1 %2s were read before the damage and are shown.").arg(records).arg(m_record);
}

SaveResult StoreFile::refuse(const QString &path, const QString &reason) const
{
    const QString text = QStringLiteral("Unable to save %1 %2: %3").arg(m_what, path, reason);
    qWarning("%s", qPrintable(text));
    return SaveResult::failure(text);
}

SaveResult StoreFile::write(const QString &path, const Writer &write, const QString &notice) const
{
    const Result<BinaryFileWriter::Status> written = BinaryFileWriter::write(path, [this, &write](QIODevice *device) {
        VORRAK_DEBUG("Saving %s...", qPrintable(m_what));
        return write(device);
    });
    if (!written) {
        const SaveResult failed = refuse(path, written.text());
        if (notice.isEmpty())
            return failed;
        return SaveResult::failure(failed.text() + QLatin1Char('\n') + notice);
    }
    VORRAK_DEBUG("Finished saving %s", qPrintable(m_what));
    return SaveResult::ok({}, notice);
}

SaveResult StoreFile::save(const Result<> &fits, const Writer &writer)
{
    const QString target = path();
    if (!fits)
        return refuse(target, fits.text());
    // Held until the new file is in place: another Vorrak program saving it
    // meanwhile waits, and its version is then found changed below.
    const FileLock lock(target);
    if (!lock.locked())
        return refuse(target, lock.locked().text());
    FileIdentity now;
    const Result<> examined = FileIdentity::examine(target, now);
    if (!examined)
        return refuse(target, examined.text());

    // A store that never loaded knows no version to protect. A FIFO, device
    // or directory in the file's place is not moved either: the writer
    // refuses to replace it.
    QString notice;
    const bool unreadable = m_loadStatus && mustBeKept(*m_loadStatus);
    const bool changed = m_loadStatus && now != m_loaded;
    if (now.regular && (unreadable || changed)) {
        const Result<> backup = FileBackup::keep(target);
        const QString kind = unreadable ? QStringLiteral("unreadable") : QStringLiteral("changed");
        if (!backup) {
            qWarning("Unable to keep %s %s %s as %s", qPrintable(kind), qPrintable(m_what), qPrintable(native(target)),
                     qPrintable(backup.text()));
            return SaveResult::failure(QStringLiteral("Unable to keep the %1 %2 %3 as %4\nThe %2 was left as it is "
                                                      "and nothing was written.")
                                           .arg(kind, m_what, native(target), backup.text()));
        }
        const QString backupPath = native(backup.text());
        qWarning("%s %s %s kept as %s", qPrintable(capitalised(kind)), qPrintable(m_what), qPrintable(native(target)),
                 qPrintable(backupPath));
        notice = unreadable
            ? QStringLiteral("The %1 %2 could not be read, so it was kept as %3.")
                  .arg(m_what, native(target), backupPath)
            : QStringLiteral("The %1 %2 was changed by another program since it was read. That version was kept "
                             "as %3.")
                  .arg(m_what, native(target), backupPath);
        // The other version is safe: from here on the file is the store's own.
        m_loadStatus = LoadStatus::Missing;
        m_loaded = FileIdentity();
    }

    const SaveResult result = write(target, writer, notice);
    if (result) {
        m_loadStatus = LoadStatus::Loaded;
        m_loaded = FileIdentity::ofPath(target);
    }
    return result;
}

SaveResult StoreFile::saveCopy(const QString &path, const Result<> &fits, const Writer &writer) const
{
    if (!fits)
        return refuse(path, fits.text());
    const FileLock lock(path);
    if (!lock.locked())
        return refuse(path, lock.locked().text());
    return write(path, writer, QString());
}

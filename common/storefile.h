#pragma once

#include "common/binaryfilewriter.h"
#include "common/regularfile.h"
#include "common/result.h"

#include <QString>
#include <functional>
#include <optional>

class QIODevice;

// What a format's reader found in a file that could be opened: Ok, or a
// failure, BadMagic ("Format not recognized") or Damaged ("File is damaged").
enum class ReadStatus { Ok, BadMagic, Damaged };
using ReadResult = Result<ReadStatus>;

// How loading a store's file went. Only Missing is silent; every other
// failure leaves the store empty (Damaged: the records before the damage)
// and comes with a message for the user.
enum class LoadStatus { Missing, Loaded, BadMagic, Damaged, Unreadable, NotRegular, OutOfMemory };

// A load: Missing or Loaded, or a failure whose text is the program's
// message box text, e.g. "Unable to load data file: Permission denied".
using LoadResult = Result<LoadStatus>;
// A save, or why it failed; after a save its notice tells what became of
// another version of the file (where it was kept).
using SaveResult = Result<>;

// The message box text of a program that saves the store: a failed load's
// text, with what saving will do with the file loaded where it does more
// than replace it.
QString messageBeforeSaving(const LoadResult &loaded);

// One of the two Vorrak files in the current directory, as the store that
// loads and saves it sees it: the one load and save path of both files.
// It opens only regular files, tells a missing file from one that cannot be
// read, catches running out of memory while loading, and remembers which
// file it loaded. When saving, a file that could not be read, or that
// another program changed or created since, is first moved to a backup that
// never replaces an older one; a FIFO, device or directory in the file's
// place is never replaced. From that comparison until the new file is in
// place the save holds the writers' FileLock.
class StoreFile
{
public:
    // Reads the file into the store and sets `records` to the number of
    // records (groups, topics) the store holds afterwards.
    using Reader = std::function<ReadResult(QIODevice *device, qsizetype &records)>;
    // Writes the store's file image to the device; false if a write failed.
    using Writer = BinaryFileWriter::Writer;

    // `fileName` as "Vorrak.dat", `what` as "data file", `record` as "group".
    StoreFile(const char *fileName, const char *what, const char *record);

    // The current directory's path followed by `fileName`, built anew each time.
    static QString inCurrentDirectory(const QString &fileName);
    // That path of this store's file.
    QString path() const;

    // Opens the file and runs `read` on it, once, on an empty store. The
    // warning line and the message of a failure are produced here.
    LoadResult load(const Reader &read);
    // Writes the file in place of the one loaded (see the class comment).
    // `fits` tells whether the store's content fits the file's format; a
    // save of content that does not is refused, with its reason, before
    // anything is touched. "Saving ..." is logged as writing starts,
    // "Finished saving ..." once the file is in place.
    SaveResult save(const Result<> &fits, const Writer &write);
    // Writes a copy to another path, the same safe way, leaving the store's
    // own file and what is known of it alone.
    SaveResult saveCopy(const QString &path, const Result<> &fits, const Writer &write) const;

private:
    LoadResult failLoad(LoadStatus status, const QString &reason);
    // A save refused before anything was touched, reported like a failed one.
    SaveResult refuse(const QString &path, const QString &reason) const;
    SaveResult write(const QString &path, const Writer &write, const QString &notice) const;

    // The damaged-file message: the reader's reason, and how many records
    // were read before the damage.
    QString damagedMessage(const QString &reason, qsizetype records) const;

    QString m_fileName;
    QString m_what;
    QString m_record;
    // Set by load(): the status, and which file was read (none if missing).
    std::optional<LoadStatus> m_loadStatus;
    FileIdentity m_loaded;
};

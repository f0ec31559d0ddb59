#pragma once

#include "common/storefile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

class QTestData;
struct FileFormat;

// Either store, the data file's or the help file's, behind one face, for the
// tests that hold for both files alike. A kind is "data" (Vorrak.dat) or
// "help" (Vorrak.hlp).
class StoreUnderTest
{
public:
    static QStringList kinds();
    // Adds the column "kind"; call it before the test's own columns.
    static void addKindColumn();
    // The column and one row for each file, "data file" and "help file".
    static void addKindRows();
    // The column "kind" and the string column `column`, and a row
    // "<kind> file, <case>" for each kind and case, holding both.
    static void addKindRows(const char *column, const QStringList &cases);
    // A row "data file", or with a `name` "data file, <name>", holding the
    // kind; the caller streams the values of its own columns after it.
    static QTestData &newRow(const QString &kind);
    static QTestData &newRow(const QString &kind, const QString &name);

    explicit StoreUnderTest(const QString &kind);
    ~StoreUnderTest();
    StoreUnderTest(const StoreUnderTest &) = delete;
    StoreUnderTest &operator=(const StoreUnderTest &) = delete;

    LoadResult load();
    SaveResult save();

    // What the store writes and says: "Vorrak.dat", the absolute path its
    // messages name, "data file", the first four bytes, the lines it logs.
    QString fileName() const;
    QString filePath() const;
    QString what() const;
    QByteArray magic() const;
    QString countLine(int count) const;
    QString finishedLoadingLine() const;
    QString finishedSavingLine() const;
    QString damagedLine() const;
    // The message of a damaged file of which `kept` records were read.
    QString damagedMessage(qsizetype kept) const;
    // The last lines logged when a damaged file is loaded, "W: "/"D: " as
    // in LogCapture::allLines(): the help store still says it finished.
    QStringList damagedTail() const;

    // How many bytes a record without content takes in the file: a group
    // with a null name and no processes, a topic of three null texts.
    int emptyRecordBytes() const;

    qsizetype size() const;
    // The rich sample store of the fixtures: filled in, its file image, and
    // how many of its records the first `bytes` bytes of that image hold.
    void fill();
    QByteArray fileBytes() const;
    qsizetype wholeRecords(qsizetype bytes) const;
    // Whether the store holds exactly the first `count` records of the
    // sample, or the whole sample.
    bool holdsSample(qsizetype count = -1) const;
    // `count` empty records; in the data file each group gets `procs`
    // processes with `reqs` requirements each.
    void fillEmpty(int count, int procs = 0, int reqs = 0);
    // A generated store of several hundred kilobytes, or `scale` times as
    // much, like real data in its repeated names.
    void fillGenerated(int scale = 1);
    // The writer's image of a store without records.
    QByteArray emptyFileBytes() const;
    // Writes to `path` a valid file of about `bytes` bytes that is mostly a
    // hole, so that it can be far larger than the memory a test leaves.
    bool writeSparseFile(const QString &path, qint64 bytes) const;

    // One kind of store, as the tests drive it (see storeundertest.cpp).
    class Store;
    struct Kind;

private:
    const Kind &m_kind;
    std::unique_ptr<Store> m_store;
};

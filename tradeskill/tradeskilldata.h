#pragma once

#include "common/storefile.h"
#include "tradeskill/procgroup.h"
#include "tradeskill/tradeskillfile.h"

#include <QList>
#include <QString>

// The tradeskill store: groups, their processes and the requirements of each
// process, addressed by position. The read accessors answer bad positions
// with fixed fallbacks instead of failing. load() and save() move the store
// to and from Vorrak.dat in the current directory; they report, the
// programs show.
class TradeskillData
{
public:
    using LoadStatus = ::LoadStatus;

    // `countWord` names the count line the owning program logs when loading:
    // "ProcGroups: %d" or "Groups: %d".
    explicit TradeskillData(CountWord countWord = CountWord::Groups);

    static QString filePath();

    // Replaces the groups with those read from Vorrak.dat. A missing file is silent.
    LoadResult load();
    // Replaces Vorrak.dat atomically, keeping another version as a backup.
    SaveResult save();
    // Writes the store to another file, the same safe way.
    SaveResult saveCopy(const QString &path) const;

    int procGrpCount() const;
    QString procGrpName(int grp) const;
    int procCount(int grp) const;
    Proc proc(int grp, int p) const;
    int reqCount(int grp, int p) const;
    Req req(int grp, int p, int r) const;

    // The editor changes the lists in place.
    QList<ProcGroup> &procGrps() { return m_procGrps; }
    const QList<ProcGroup> &procGrps() const { return m_procGrps; }

private:
    StoreFile::Writer writer() const;
    // Whether the groups fit the file format, and if not why.
    Result<> fitsFormat() const;
    CountWord m_countWord;
    StoreFile m_file;
    QList<ProcGroup> m_procGrps;
};

#pragma once

#include "common/storefile.h"
#include "help/helptopic.h"

#include <QList>

// The help topics of Vorrak.hlp in the current directory, addressed by
// position; bad positions get fixed fallback texts. load() and save()
// report, the programs show.
class HelpData
{
public:
    using LoadStatus = ::LoadStatus;

    HelpData();

    static QString filePath();

    LoadResult load();
    // Replaces Vorrak.hlp atomically, keeping another version as a backup.
    SaveResult save();
    // Writes the topics to another file, the same safe way.
    SaveResult saveCopy(const QString &path) const;

    int count() const { return int(m_topics.size()); }
    QString header(int i) const;
    QString body(int i) const;

    QList<HelpTopic> &topics() { return m_topics; }
    const QList<HelpTopic> &topics() const { return m_topics; }

private:
    StoreFile::Writer writer() const;
    // Whether the topics fit the file format, and if not why.
    Result<> fitsFormat() const;
    StoreFile m_file;
    QList<HelpTopic> m_topics;
};

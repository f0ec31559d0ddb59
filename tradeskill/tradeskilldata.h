#pragma once

#include "messagehandler.h"
#include "procgroup.h"

#include <QList>
#include <QString>

// The tradeskill store: groups, their processes and the requirements of each
// process, addressed by position. The read accessors answer bad positions
// with fixed fallbacks instead of failing. load() and save() move the store
// to and from Vorrak.dat in the current directory.
class TradeskillData
{
public:
    // What the owning program supplies: the count line it logs when loading
    // ("ProcGroups: %d" or "Groups: %d") and how it shows a message.
    struct Settings
    {
        const char *countFormat = "Groups: %d";
        MessageHandler showMessage;
    };

    enum class LoadStatus { Missing, Loaded, BadMagic, Damaged };

    TradeskillData() = default;
    explicit TradeskillData(Settings settings);
    virtual ~TradeskillData();

    static QString filePath();

    // Appends the groups of Vorrak.dat. A missing file is silent.
    LoadStatus load();
    // Replaces Vorrak.dat atomically; false (with a message) on failure.
    bool save() const;

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
    Settings m_settings;
    QList<ProcGroup> m_procGrps;
};

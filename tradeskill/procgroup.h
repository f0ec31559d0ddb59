#pragma once

#include "tradeskill/proc.h"

// One tradeskill group and its processes.
struct ProcGroup
{
    QString name;
    QList<Proc> procs;

    friend bool operator==(const ProcGroup &a, const ProcGroup &b)
    {
        return a.name == b.name && a.name.isNull() == b.name.isNull() && a.procs == b.procs;
    }
    friend bool operator!=(const ProcGroup &a, const ProcGroup &b) { return !(a == b); }
};

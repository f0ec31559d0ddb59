#pragma once

#include "tradeskill/req.h"

#include <QList>

// One process: one product that can be made between minQL and maxQL.
struct Proc
{
    QString name;
    quint8 maxQL = 0;
    quint8 minQL = 0;
    QList<Req> reqs;

    // A special process exists at one QL only.
    bool isSpecial() const { return maxQL == minQL; }
    // The QLs the calculator's spin box offers: Min QL to Max QL, and only
    // the Max QL when the Min QL lies above it.
    int lowestQl() const { return qMin(minQL, maxQL); }
    int highestQl() const { return maxQL; }

    friend bool operator==(const Proc &a, const Proc &b)
    {
        return a.name == b.name && a.name.isNull() == b.name.isNull() && a.maxQL == b.maxQL
            && a.minQL == b.minQL && a.reqs == b.reqs;
    }
    friend bool operator!=(const Proc &a, const Proc &b) { return !(a == b); }
};

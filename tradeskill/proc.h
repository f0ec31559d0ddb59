#pragma once

#include "tradeskill/req.h"

#include <QList>

// The QLs from lowest to highest, both included.
struct QlRange
{
    int lowest = 0;
    int highest = 0;

    // Min QL to Max QL, and only the Max QL when the Min QL lies above it:
    // a spin box given the Min QL as minimum and then the Max QL as maximum
    // ends up so.
    static QlRange of(int minQL, int maxQL) { return {qMin(minQL, maxQL), maxQL}; }

    bool contains(int ql) const { return ql >= lowest && ql <= highest; }
    bool isSingle() const { return lowest == highest; }
};

// One process: one product that can be made between minQL and maxQL.
struct Proc
{
    QString name;
    quint8 maxQL = 0;
    quint8 minQL = 0;
    QList<Req> reqs;

    // A special process exists at one QL only.
    bool isSpecial() const { return maxQL == minQL; }
    // The QLs a process can be made at: what the calculator's spin box offers,
    // what `vorrak-data calc` accepts and what the web page offers.
    QlRange qlRange() const { return QlRange::of(minQL, maxQL); }

    friend bool operator==(const Proc &a, const Proc &b)
    {
        return a.name == b.name && a.name.isNull() == b.name.isNull() && a.maxQL == b.maxQL
            && a.minQL == b.minQL && a.reqs == b.reqs;
    }
    friend bool operator!=(const Proc &a, const Proc &b) { return !(a == b); }
};

#pragma once

#include <QString>
#include <QtGlobal>

// One requirement of a process: a tool or item (t == 0) or a skill.
struct Req
{
    QString name;
    QString multiplier; // decimal text; a value of 0 marks a fixed requirement
    quint8 t = 0;
    qint32 id = 0;      // item number in the Lorvex item database

    friend bool operator==(const Req &a, const Req &b)
    {
        return a.name == b.name && a.multiplier == b.multiplier && a.t == b.t && a.id == b.id
            && a.name.isNull() == b.name.isNull() && a.multiplier.isNull() == b.multiplier.isNull();
    }
    friend bool operator!=(const Req &a, const Req &b) { return !(a == b); }
};

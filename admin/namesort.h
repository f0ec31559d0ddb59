#pragma once

#include "common/debuglog.h"

#include <QList>
#include <QString>
#include <algorithm>
#include <map>

// Puts groups or processes into ascending name order (QString::compare: by
// UTF-16 code units, case-sensitive) the way the editor's insertion sort
// does, and logs one line per entry: "<name> appended." when the entry goes
// after everything placed before it, otherwise "<name> comes before <other>
// (r = 1)" naming the entry it was placed in front of. Equal names keep
// their order.
//
// The insertion point of each entry is found by binary search for the first
// placed entry that compares strictly greater; among placed entries with the
// same name the earliest placed one stands first, so a tree of the distinct
// names seen so far, each with its first entry, answers the search in
// O(log n). The result itself is a stable sort, which is exactly the order
// the insertions build. Without debug output the log is skipped entirely.
template <typename T, typename NameOf>
QList<T> sortByName(QList<T> entries, NameOf nameOf)
{
    const auto less = [&nameOf](const T &a, const T &b) {
        return QString::compare(nameOf(a), nameOf(b)) < 0;
    };

    if (vorrakDebugEnabled()) {
        struct CodeUnitLess
        {
            bool operator()(const QString &a, const QString &b) const
            {
                return QString::compare(a, b) < 0;
            }
        };
        std::map<QString, qsizetype, CodeUnitLess> firstPlaced;
        for (qsizetype i = 0; i < entries.size(); ++i) {
            const QString name = nameOf(entries.at(i));
            const auto greater = firstPlaced.upper_bound(name);
            if (greater == firstPlaced.end()) {
                vorrakDebugLine("%s appended.", latin1Form(name).constData());
            } else {
                vorrakDebugLine("%s comes before %s (r = %d)", latin1Form(name).constData(),
                                latin1Form(nameOf(entries.at(greater->second))).constData(), 1);
            }
            firstPlaced.emplace(name, i);
        }
    }

    std::stable_sort(entries.begin(), entries.end(), less);
    return entries;
}

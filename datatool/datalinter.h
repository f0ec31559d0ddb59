#pragma once

#include "tradeskill/procgroup.h"

#include <QList>
#include <QStringList>

// What the editor lets through but is almost surely a mistake: a Min QL
// above the Max QL, a Min or Max QL of 0, an empty name, a multiplier with no
// leading number, one that is not a plain decimal number ("1,5", "0.5x",
// "1.25.3", "+2") or is negative, a kind other than 0 and 1, the same name
// twice in one list.
// Each finding is one line that says where it is, e.g.
// "group 1 \"Smithing\", process 2 \"Axe\": Min QL 90 is above Max QL 40".
namespace DataLinter {

QStringList check(const QList<ProcGroup> &groups);

} // namespace DataLinter

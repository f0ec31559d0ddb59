#pragma once

#include "help/helptopic.h"
#include "tradeskill/procgroup.h"

#include <QList>
#include <QStringList>

// Deterministic made-up stores for benchmarks and stress tests. Requirement
// names, multipliers and process names come from small vocabularies, as they
// do in real tradeskill data, where the same tools and skills recur in
// thousands of processes. The same seed always gives the same store.
namespace GeneratedStore {

QList<ProcGroup> tradeskill(int groups, int procsPerGroup, int reqsPerProc, quint32 seed = 1);

QList<HelpTopic> help(int topics, int bodyLength, quint32 seed = 1);

// `count` names of random length and letters, duplicates possible.
QStringList randomNames(int count, quint32 seed = 1);

} // namespace GeneratedStore

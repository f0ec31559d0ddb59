#pragma once

#include "help/helptopic.h"
#include "tradeskill/procgroup.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Small records for building test stores.
Req makeReq(const QString &name, const QString &multiplier, int t, qint32 id);
Proc makeProc(const QString &name, int maxQL, int minQL, const QList<Req> &reqs = {});
ProcGroup makeGroup(const QString &name, const QList<Proc> &procs = {});

// Stores that exercise every field of both formats: several groups of
// different shapes, null next to empty texts, QL and t values above 127,
// negative and large ids, text outside Latin-1.
QList<ProcGroup> richGroups();
QList<HelpTopic> richTopics();

// The file images the library writers produce for a store.
QByteArray dataFileBytes(const QList<ProcGroup> &groups);
QByteArray helpFileBytes(const QList<HelpTopic> &topics);

// How many whole groups / topics the first `size` bytes of their file image hold.
qsizetype wholeGroups(const QList<ProcGroup> &groups, qsizetype size);
qsizetype wholeTopics(const QList<HelpTopic> &topics, qsizetype size);

// Stores written with the library writers to Vorrak.dat / Vorrak.hlp in the
// current directory, and Vorrak.dat read back through the data library.
bool writeDataFile(const QList<ProcGroup> &groups);
bool writeHelpFile(const QList<HelpTopic> &topics);
QList<ProcGroup> readDataFile();
// The same for Vorrak.hlp.
QList<HelpTopic> readHelpFile();

// The IDs of the topics, in their order.
QStringList topicIds(const QList<HelpTopic> &topics);

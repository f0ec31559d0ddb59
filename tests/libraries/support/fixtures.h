#pragma once

#include "helptopic.h"
#include "procgroup.h"

#include <QByteArray>
#include <QList>

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

#pragma once

#include "proc.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

// One row of a result list: a requirement's name and its amount at one QL
// ("Fixed" or the multiplier times the QL, rounded up).
struct RequirementRow
{
    QString name;
    QString amount;
};

// What a process needs at one QL, in the calculator's two lists, each in
// the order the calculator shows it: by name, code unit by code unit, rows
// with equal names in the order of the data.
struct Requirements
{
    QList<RequirementRow> items;  // t == 0: tools and items
    QList<RequirementRow> skills; // any other t

    static Requirements of(const Proc &proc, int ql);
};

// The plain text the calculator's Copy gives: the product and its QL, then
// a "Tools/Items" and a "Skills" line, each followed by the rows of its list
// in the order shown, name and amount separated by a tab, one per line (a
// heading whose list is empty is left out). Every field goes through
// inertLineField().
QString requirementsText(const QString &product, int ql, const Requirements &requirements);

// A field of a text meant for pasting into a spreadsheet, made inert: one
// that starts with '=', '+', '-', '@', a tab or a carriage return and is
// not a number would be taken for a formula, so it gets a leading
// apostrophe, which spreadsheets read as "this is text". "-2.5" stays.
QString inertField(const QString &field);
// The same for a field of a line of text: tabs and line breaks in it, which
// would start another cell or row, become blanks first.
QString inertLineField(QString field);

// The highest QL of a process's range that a player's skill values allow:
// every skill requirement that scales is met at that QL. Skills of the
// process that were not given are listed as unknown and left out.
struct HighestQl
{
    bool reachable = false; // false: not even the Min QL is allowed
    int ql = 0;             // the highest allowed QL, when reachable
    // The given skills that stop the next QL (or the Min QL when nothing is
    // reachable); empty when the answer is the process's Max QL.
    QStringList limitedBy;
    QStringList unknown;    // scaling skills of the process not given

    // `skills` maps skill names to whole-number values as text ("350").
    static HighestQl of(const Proc &proc, const QMap<QString, QString> &skills);
};

// True when a skill `value` (a whole number as text) reaches `amount` (an
// amount text as Requirements gives it; "Fixed" is always reached).
bool skillReaches(const QString &value, const QString &amount);

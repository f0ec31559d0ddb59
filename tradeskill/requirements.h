#pragma once

#include "tradeskill/procgroup.h"

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

// Finding a name the way a player types it: the positions in `names` that
// `key` stands for. A name equal to the key wins (first exactly, then in any
// case); otherwise every name the key begins, in any case. One position is
// an answer; none or several leave the choice to the caller.
QList<int> namesMatching(const QStringList &names, const QString &key);

// Every distinct name of a skill (t != 0) in `procs`, sorted by name.
QStringList skillNames(const QList<Proc> &procs);

// A skill that keeps a process out of reach: the value needed at the
// process's Min QL and how much the player's value falls short of it.
struct SkillShortfall
{
    QString skill;
    QString needed;  // an amount text as Requirements gives it
    QString missing; // a whole number, or "inf"/"nan" for such amounts
};

// One row of "what can I make": a process and the highest QL of it that a
// player's skill values allow; for a process out of reach, what each skill
// that stops it needs at the Min QL.
struct CanMakeRow
{
    int group = 0;   // positions in the data
    int process = 0;
    HighestQl highest;
    QList<SkillShortfall> shortfalls;

    // Every process of every group, in the order of the data. `skills` as
    // for HighestQl::of.
    static QList<CanMakeRow> of(const QList<ProcGroup> &groups, const QMap<QString, QString> &skills);
};

// One product of a plan: a process and the QL to make it at.
struct PlanProduct
{
    Proc proc;
    int ql = 0;

    // How the plan names it: "QL 150 Tempered Greatsword".
    QString label() const;
};

// A tool, item or skill a plan needs: the highest amount any product needs
// ("Fixed" when every product needing it has it fixed) and the products
// that need that much, in the order of the plan.
struct PlanNeed
{
    QString name;
    QString amount;
    QStringList products;
};

// The combined needs of several products, each list in the calculator's
// order (by name, code unit by code unit).
struct PlanNeeds
{
    QList<PlanNeed> items;
    QList<PlanNeed> skills;

    static PlanNeeds of(const QList<PlanProduct> &products);
};

// The plan as text: a heading line for each list that is not empty, then
// one line per need, name, amount and the products needing it (joined by
// ", ") separated by tabs, each through inertLineField().
QString planText(const PlanNeeds &needs);

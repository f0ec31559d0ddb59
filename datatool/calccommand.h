#pragma once

#include "common/result.h"
#include "datatool/toolmessages.h"
#include "tradeskill/procgroup.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <functional>

class QIODevice;
class QJsonObject;

// `vorrak-data calc`: the calculator's answers on the command line, as text
// or JSON. Lists the groups and processes, calculates a process at one QL
// or over a range of QLs, finds the highest QL a player's skills allow (of
// one process, or of every process: what they can make), and combines the
// needs of a plan of several products.
class CalcCommand
{
public:
    // Reads the data file at a path into groups, or says what is wrong with it.
    using DataReader = std::function<Result<>(const QString &path, QList<ProcGroup> &groups)>;

    CalcCommand(QIODevice *out, QIODevice *err, DataReader readData);

    // `arguments` after the word "calc"; returns the exit status.
    int run(const QStringList &arguments);

    static QString usage();

private:
    enum class Mode { Amounts, List, Skills, Table, CanMake, Plan };

    struct Options
    {
        Mode mode = Mode::Amounts;
        QString file;
        bool json = false;
        QStringList operands;
        QList<QPair<QString, QString>> skills; // as typed: name (or its start), value
        QString tableRange;
    };

    // What a step of the command gave: done, or why not, which run()
    // reports as the problem of "calc".
    using Outcome = Result<ToolMessages::Problem>;

    int parse(const QStringList &arguments, Options &options);
    // The answer the options ask for, written to the output.
    Outcome answer();
    Outcome list();
    Outcome amounts(const ProcGroup &group, const Proc &proc, const QString &qlText);
    Outcome highestQl(const ProcGroup &group, const Proc &proc);
    Outcome table(const ProcGroup &group, const Proc &proc, const QString &range);
    Outcome canMake();
    Outcome plan();

    // Finds the group and process two keys stand for, or says why not.
    Outcome findProcess(const QString &groupKey, const QString &processKey, int &g, int &p);
    // The given skill values under the names of `names` they stand for, or
    // a name that matches none or several.
    Outcome matchSkills(const QStringList &names, const QString &where, QMap<QString, QString> &matched);

    // Finds the position that a position ("2", when `byPosition`) or a name
    // (see namesMatching) stands for, or says that the key is unknown or
    // ambiguous.
    Outcome find(const QStringList &names, const QString &key, const QString &what, const QString &where, int &position,
                 bool byPosition = true);
    Outcome parseQl(const QString &text, int &ql);
    Outcome qlInRange(const Proc &proc, int ql);
    void write(const QString &text);
    void writeJson(const QJsonObject &object);

    QIODevice *m_out;
    QIODevice *m_err;
    DataReader m_readData;
    Options m_options;
    QList<ProcGroup> m_groups;
};

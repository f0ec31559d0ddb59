#pragma once

#include "common/result.h"
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

    int parse(const QStringList &arguments, Options &options);
    int list();
    int amounts(const ProcGroup &group, const Proc &proc, const QString &qlText);
    int highestQl(const ProcGroup &group, const Proc &proc);
    int table(const ProcGroup &group, const Proc &proc, const QString &range);
    int canMake();
    int plan();

    // Finds the group and process two keys stand for; false after it
    // reported why not.
    bool findProcess(const QString &groupKey, const QString &processKey, int &g, int &p);
    // The given skill values under the names of `names` they stand for;
    // false after it reported a name that matches none or several.
    bool matchSkills(const QStringList &names, const QString &where, QMap<QString, QString> &matched);

    // Finds the position that a position ("2", when `byPosition`) or a name
    // (see namesMatching) stands for; -1 after it reported an unknown or
    // ambiguous key.
    int find(const QStringList &names, const QString &key, const QString &what, const QString &where,
             bool byPosition = true);
    bool parseQl(const QString &text, int &ql);
    bool qlInRange(const Proc &proc, int ql);
    void write(const QString &text);
    void writeJson(const QJsonObject &object);
    int error(const QString &problem);

    QIODevice *m_out;
    QIODevice *m_err;
    DataReader m_readData;
    Options m_options;
    QList<ProcGroup> m_groups;
};

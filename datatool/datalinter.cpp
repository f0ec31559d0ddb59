#include "datalinter.h"

#include "multiplier.h"

#include <QSet>

namespace {

QString place(const QString &what, qsizetype index, const QString &name)
{
    return QStringLiteral("%1 %2 \"%3\"").arg(what).arg(index + 1).arg(name);
}

// Reports each name of `names` seen before in the same list.
void findRepeats(const QStringList &names, const QString &where, const QString &what, QStringList &findings)
{
    QSet<QString> seen;
    QSet<QString> reported;
    for (const QString &name : names) {
        if (name.isEmpty() || reported.contains(name))
            continue;
        if (seen.contains(name)) {
            reported.insert(name);
            findings.append(QStringLiteral("%1: %2 \"%3\" appears %4 times")
                                .arg(where, what, name)
                                .arg(names.count(name)));
        }
        seen.insert(name);
    }
}

void checkReq(const Req &req, const QString &where, QStringList &findings)
{
    if (req.name.isEmpty())
        findings.append(where + QStringLiteral(": the name is empty"));
    if (!Multiplier(req.multiplier).hasLeadingNumber() && req.multiplier != QLatin1String("0"))
        findings.append(QStringLiteral("%1: multiplier \"%2\" is no number, so it counts as 0 (Fixed)")
                            .arg(where, req.multiplier));
    if (req.t > 1)
        findings.append(QStringLiteral("%1: kind t=%2 is neither 0 (tool or item) nor 1 (skill)").arg(where).arg(req.t));
}

void checkProc(const Proc &proc, const QString &where, QStringList &findings)
{
    if (proc.name.isEmpty())
        findings.append(where + QStringLiteral(": the name is empty"));
    if (proc.minQL > proc.maxQL)
        findings.append(QStringLiteral("%1: Min QL %2 is above Max QL %3").arg(where).arg(proc.minQL).arg(proc.maxQL));
    QStringList names;
    for (qsizetype r = 0; r < proc.reqs.size(); ++r) {
        const Req &req = proc.reqs.at(r);
        checkReq(req, where + QStringLiteral(", ") + place(QStringLiteral("requirement"), r, req.name), findings);
        names.append(req.name);
    }
    findRepeats(names, where, QStringLiteral("requirement"), findings);
}

} // namespace

namespace DataLinter {

QStringList check(const QList<ProcGroup> &groups)
{
    QStringList findings;
    QStringList groupNames;
    for (qsizetype g = 0; g < groups.size(); ++g) {
        const ProcGroup &group = groups.at(g);
        const QString where = place(QStringLiteral("group"), g, group.name);
        if (group.name.isEmpty())
            findings.append(where + QStringLiteral(": the name is empty"));
        QStringList procNames;
        for (qsizetype p = 0; p < group.procs.size(); ++p) {
            const Proc &proc = group.procs.at(p);
            checkProc(proc, where + QStringLiteral(", ") + place(QStringLiteral("process"), p, proc.name), findings);
            procNames.append(proc.name);
        }
        findRepeats(procNames, where, QStringLiteral("process"), findings);
        groupNames.append(group.name);
    }
    findRepeats(groupNames, QStringLiteral("groups"), QStringLiteral("group"), findings);
    return findings;
}

} // namespace DataLinter

#include "datatool/datalinter.h"

#include "tradeskill/multiplier.h"

#include <QRegularExpression>
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

// Checks each record of a list, naming it by its place within `where`, then
// reports the names the list holds more than once under `listPlace`.
template <typename Record, typename Check>
void checkEach(const QList<Record> &records, const QString &what, const QString &where, const QString &listPlace,
               Check check, QStringList &findings)
{
    QStringList names;
    for (qsizetype i = 0; i < records.size(); ++i) {
        const Record &record = records.at(i);
        const QString here = place(what, i, record.name);
        check(record, where.isEmpty() ? here : where + QStringLiteral(", ") + here, findings);
        names.append(record.name);
    }
    findRepeats(names, listPlace, what, findings);
}

// The calculator reads a multiplier up to its first character that is not
// part of a number, so a typo changes the amount without a word: each
// finding says what the text counts as.
void checkMultiplier(const QString &text, const QString &where, QStringList &findings)
{
    static const QRegularExpression plainDecimal(QStringLiteral("^-?([0-9]+\\.?[0-9]*|\\.[0-9]+)$"));
    const Multiplier multiplier(text);
    if (!multiplier.hasLeadingNumber()) {
        findings.append(QStringLiteral("%1: multiplier \"%2\" is no number, so it counts as 0 (Fixed)").arg(where, text));
        return;
    }
    if (!plainDecimal.match(text).hasMatch()) {
        const QString counts = multiplier.isFixed() ? QStringLiteral("0 (Fixed)") : multiplier.valueText();
        findings.append(QStringLiteral("%1: multiplier \"%2\" is not a plain decimal number, so it counts as %3")
                            .arg(where, text, counts));
    }
    if (multiplier.value() < 0)
        findings.append(QStringLiteral("%1: multiplier \"%2\" is negative, so its amounts are below 0").arg(where, text));
}

void checkReq(const Req &req, const QString &where, QStringList &findings)
{
    if (req.name.isEmpty())
        findings.append(where + QStringLiteral(": the name is empty"));
    checkMultiplier(req.multiplier, where, findings);
    if (req.t > 1)
        findings.append(QStringLiteral("%1: kind t=%2 is neither 0 (tool or item) nor 1 (skill)").arg(where).arg(req.t));
}

void checkProc(const Proc &proc, const QString &where, QStringList &findings)
{
    if (proc.name.isEmpty())
        findings.append(where + QStringLiteral(": the name is empty"));
    if (proc.minQL > proc.maxQL)
        findings.append(QStringLiteral("%1: Min QL %2 is above Max QL %3").arg(where).arg(proc.minQL).arg(proc.maxQL));
    if (proc.minQL == 0)
        findings.append(where + QStringLiteral(": Min QL is 0, a QL no product has (at QL 0 every amount is 0)"));
    if (proc.maxQL == 0)
        findings.append(where + QStringLiteral(": Max QL is 0, so the process is made at QL 0 only"));
    checkEach(proc.reqs, QStringLiteral("requirement"), where, where, checkReq, findings);
}

void checkGroup(const ProcGroup &group, const QString &where, QStringList &findings)
{
    if (group.name.isEmpty())
        findings.append(where + QStringLiteral(": the name is empty"));
    checkEach(group.procs, QStringLiteral("process"), where, where, checkProc, findings);
}

} // namespace

namespace DataLinter {

QStringList check(const QList<ProcGroup> &groups)
{
    QStringList findings;
    checkEach(groups, QStringLiteral("group"), QString(), QStringLiteral("groups"), checkGroup, findings);
    return findings;
}

} // namespace DataLinter

#include "datatool/calccommand.h"

#include "tradeskill/requirements.h"
#include "tradeskill/tradeskilldata.h"

#include <QIODevice>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

using ToolMessages::Problem;

namespace {

// Candidates named in an error line; the rest are counted.
constexpr int MaxCandidates = 20;

QString candidateList(const QStringList &names, const QList<int> &positions, bool numbered)
{
    QStringList shown;
    for (int i = 0; i < positions.size() && i < MaxCandidates; ++i) {
        const QString name = QStringLiteral("\"%1\"").arg(names.at(positions.at(i)));
        shown.append(numbered ? QStringLiteral("%1 %2").arg(positions.at(i) + 1).arg(name) : name);
    }
    QString text = shown.join(QLatin1String(", "));
    if (positions.size() > MaxCandidates)
        text += QStringLiteral(" and %1 more").arg(positions.size() - MaxCandidates);
    return text;
}

QString qlRangeText(const Proc &proc)
{
    const QlRange range = proc.qlRange();
    return range.isSingle() ? QString::number(range.highest)
                            : QStringLiteral("%1 to %2").arg(range.lowest).arg(range.highest);
}

QJsonArray rowsJson(const QList<RequirementRow> &rows)
{
    QJsonArray array;
    for (const RequirementRow &row : rows)
        array.append(QJsonObject{{QStringLiteral("name"), row.name}, {QStringLiteral("amount"), row.amount}});
    return array;
}

QJsonObject requirementsJson(const Requirements &requirements, int ql)
{
    return {{QStringLiteral("ql"), ql},
            {QStringLiteral("items"), rowsJson(requirements.items)},
            {QStringLiteral("skills"), rowsJson(requirements.skills)}};
}

QString csvField(const QString &field)
{
    static const QRegularExpression needsQuotes(QStringLiteral("[\",\r\n]"));
    const QString text = inertField(field);
    if (!text.contains(needsQuotes))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// Names for a line of text, each made safe to paste (see inertLineField).
QString lineFields(const QStringList &names)
{
    QStringList fields;
    for (const QString &name : names)
        fields.append(inertLineField(name));
    return fields.join(QLatin1String(", "));
}

// The header row when `header` is set, each column named with what it holds
// ("Iron Ingot (item QL)", "Weaponsmithing (skill value)"); else the amounts.
QStringList csvRow(const QString &first, const Requirements &requirements, bool header)
{
    QStringList fields{first};
    for (const RequirementRow &row : requirements.items)
        fields.append(csvField(header ? row.name + QStringLiteral(" (item QL)") : row.amount));
    for (const RequirementRow &row : requirements.skills)
        fields.append(csvField(header ? row.name + QStringLiteral(" (skill value)") : row.amount));
    return fields;
}

} // namespace

CalcCommand::CalcCommand(QIODevice *out, QIODevice *err, DataReader readData)
    : m_out(out)
    , m_err(err)
    , m_readData(std::move(readData))
{
}

QString CalcCommand::usage()
{
    return QStringLiteral(
        "  vorrak-data calc [OPTIONS] --list\n"
        "                                 list the groups and their processes with their QL ranges\n"
        "  vorrak-data calc [OPTIONS] GROUP PROCESS QL\n"
        "                                 what PROCESS needs at QL, as the calculator's Copy gives it\n"
        "  vorrak-data calc [OPTIONS] GROUP PROCESS --skill NAME=VALUE [--skill NAME=VALUE]...\n"
        "                                 the highest QL the given skill values allow, and what limits it\n"
        "  vorrak-data calc [OPTIONS] GROUP PROCESS --table [FROM-TO]\n"
        "                                 the amounts for every QL of the range, as CSV\n"
        "  vorrak-data calc [OPTIONS] --can-make [--skill NAME=VALUE]...\n"
        "                                 every process: the highest QL the skill values allow, what\n"
        "                                 limits it, and what is missing where none is in reach\n"
        "  vorrak-data calc [OPTIONS] --plan GROUP PROCESS QL [GROUP PROCESS QL]...\n"
        "                                 what several products need together: each tool, item and\n"
        "                                 skill at the highest amount any of them needs, and which\n"
        "      GROUP and PROCESS are a position (as --list shows it) or a name; the start of\n"
        "      a name is enough, in any case, when only one name starts so. Skill NAMEs are\n"
        "      found the same way among the skills of the process (of the data for --can-make).\n"
        "      --file PATH  read PATH, not Vorrak.dat in the current directory\n"
        "      --json       write JSON for scripts\n");
}

void CalcCommand::write(const QString &text)
{
    m_out->write(text.toUtf8());
}

void CalcCommand::writeJson(const QJsonObject &object)
{
    m_out->write(QJsonDocument(object).toJson(QJsonDocument::Indented));
}

int CalcCommand::parse(const QStringList &arguments, Options &options)
{
    static const QRegularExpression skillPattern(QStringLiteral("^(.+)=(-?[0-9]+)$"));
    static const QRegularExpression rangePattern(QStringLiteral("^[0-9]+-[0-9]+$"));
    bool list = false;
    bool table = false;
    bool canMake = false;
    bool plan = false;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        const bool hasValue = i + 1 < arguments.size();
        if (argument == QLatin1String("--file")) {
            if (!hasValue)
                return ToolMessages::usageError(m_err, QStringLiteral("calc: --file needs a path"));
            options.file = arguments.at(++i);
        } else if (argument == QLatin1String("--json")) {
            options.json = true;
        } else if (argument == QLatin1String("--list")) {
            list = true;
        } else if (argument == QLatin1String("--can-make")) {
            canMake = true;
        } else if (argument == QLatin1String("--plan")) {
            plan = true;
        } else if (argument == QLatin1String("--skill")) {
            const QRegularExpressionMatch match = hasValue ? skillPattern.match(arguments.at(i + 1))
                                                           : QRegularExpressionMatch();
            if (!match.hasMatch())
                return ToolMessages::usageError(
                    m_err, QStringLiteral("calc: --skill needs NAME=VALUE with a whole number as VALUE"));
            options.skills.append({match.captured(1), match.captured(2)});
            ++i;
        } else if (argument == QLatin1String("--table")) {
            table = true;
            if (hasValue && rangePattern.match(arguments.at(i + 1)).hasMatch())
                options.tableRange = arguments.at(++i);
        } else if (argument.startsWith(QLatin1String("--"))) {
            return ToolMessages::usageError(m_err, QStringLiteral("calc: unknown option \"%1\"").arg(argument));
        } else {
            options.operands.append(argument);
        }
    }

    const int modes = int(list) + int(table) + int(!options.skills.isEmpty() && !canMake) + int(canMake) + int(plan);
    if (modes > 1)
        return ToolMessages::usageError(
            m_err, QStringLiteral("calc: --list, --skill, --table, --can-make and --plan go one at a time"));
    const qsizetype operands = options.operands.size();
    if (canMake) {
        options.mode = Mode::CanMake;
        if (operands != 0)
            return ToolMessages::usageError(m_err, QStringLiteral("calc: --can-make takes no GROUP or PROCESS"));
    } else if (plan) {
        options.mode = Mode::Plan;
        if (operands == 0 || operands % 3 != 0)
            return ToolMessages::usageError(
                m_err, QStringLiteral("calc: --plan takes GROUP PROCESS QL, once for each product"));
    } else if (list) {
        options.mode = Mode::List;
        if (operands != 0)
            return ToolMessages::usageError(m_err, QStringLiteral("calc: --list takes no GROUP or PROCESS"));
    } else if (table || !options.skills.isEmpty()) {
        options.mode = table ? Mode::Table : Mode::Skills;
        if (operands != 2)
            return ToolMessages::usageError(
                m_err, QStringLiteral("calc: %1 takes GROUP and PROCESS, no QL").arg(table ? "--table" : "--skill"));
    } else if (operands != 3) {
        return ToolMessages::usageError(m_err, QStringLiteral("calc needs GROUP PROCESS QL, or --list"));
    }
    return 0;
}

int CalcCommand::run(const QStringList &arguments)
{
    if (const int status = parse(arguments, m_options))
        return status;
    const QString path = m_options.file.isEmpty() ? TradeskillData::filePath() : m_options.file;
    const Result<> read = m_readData(path, m_groups);
    if (!read)
        return ToolMessages::finish(m_err, path, read);
    return ToolMessages::finish(m_err, QStringLiteral("calc"), answer());
}

CalcCommand::Outcome CalcCommand::answer()
{
    if (m_options.mode == Mode::List)
        return list();
    if (m_options.mode == Mode::CanMake)
        return canMake();
    if (m_options.mode == Mode::Plan)
        return plan();

    int g = -1;
    int p = -1;
    const Outcome found = findProcess(m_options.operands.at(0), m_options.operands.at(1), g, p);
    if (!found)
        return found;
    const ProcGroup &group = m_groups.at(g);
    const Proc &proc = group.procs.at(p);

    switch (m_options.mode) {
    case Mode::Skills:
        return highestQl(group, proc);
    case Mode::Table:
        return table(group, proc, m_options.tableRange);
    default:
        return amounts(group, proc, m_options.operands.at(2));
    }
}

CalcCommand::Outcome CalcCommand::find(const QStringList &names, const QString &key, const QString &what,
                                       const QString &where, int &position, bool byPosition)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    if (byPosition && digits.match(key).hasMatch()) {
        bool ok = false;
        const int number = key.toInt(&ok);
        if (ok && number >= 1 && number <= names.size()) {
            position = number - 1;
            return Outcome::ok();
        }
    }
    const QList<int> matches = namesMatching(names, key);
    if (matches.size() == 1) {
        position = matches.first();
        return Outcome::ok();
    }
    if (matches.isEmpty()) {
        QList<int> all;
        for (int i = 0; i < names.size(); ++i)
            all.append(i);
        return Outcome::failure(names.isEmpty() ? QStringLiteral("no %1 \"%2\"%3; there are none").arg(what, key, where)
                                                : QStringLiteral("no %1 \"%2\"%3; there are %4")
                                                      .arg(what, key, where, candidateList(names, all, byPosition)));
    }
    return Outcome::failure(
        QStringLiteral("%1 \"%2\"%3 could be %4").arg(what, key, where, candidateList(names, matches, byPosition)));
}

CalcCommand::Outcome CalcCommand::findProcess(const QString &groupKey, const QString &processKey, int &g, int &p)
{
    QStringList groupNames;
    for (const ProcGroup &group : m_groups)
        groupNames.append(group.name);
    const Outcome foundGroup = find(groupNames, groupKey, QStringLiteral("group"), QString(), g);
    if (!foundGroup)
        return foundGroup;
    const ProcGroup &group = m_groups.at(g);
    QStringList procNames;
    for (const Proc &proc : group.procs)
        procNames.append(proc.name);
    return find(procNames, processKey, QStringLiteral("process"),
                QStringLiteral(" in group %1 \"%2\"").arg(g + 1).arg(group.name), p);
}

CalcCommand::Outcome CalcCommand::matchSkills(const QStringList &names, const QString &where,
                                              QMap<QString, QString> &matched)
{
    for (const auto &[key, value] : m_options.skills) {
        int i = -1;
        const Outcome found = find(names, key, QStringLiteral("skill"), where, i, false);
        if (!found)
            return found;
        if (matched.contains(names.at(i)))
            return Outcome::failure(QStringLiteral("skill \"%1\" is given twice").arg(names.at(i)));
        matched.insert(names.at(i), value);
    }
    return Outcome::ok();
}

CalcCommand::Outcome CalcCommand::parseQl(const QString &text, int &ql)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,9}$"));
    if (!digits.match(text).hasMatch())
        return Outcome::failure(Problem::WrongUsage, QStringLiteral("QL \"%1\" is not a whole number").arg(text));
    ql = text.toInt();
    return Outcome::ok();
}

CalcCommand::Outcome CalcCommand::qlInRange(const Proc &proc, int ql)
{
    if (proc.qlRange().contains(ql))
        return Outcome::ok();
    return Outcome::failure(
        QStringLiteral("QL %1 is outside the range of \"%2\": %3").arg(ql).arg(proc.name, qlRangeText(proc)));
}

CalcCommand::Outcome CalcCommand::list()
{
    QJsonArray groups;
    QString text;
    for (int g = 0; g < m_groups.size(); ++g) {
        const ProcGroup &group = m_groups.at(g);
        text += QStringLiteral("%1 %2\n").arg(g + 1).arg(inertLineField(group.name));
        QJsonArray procs;
        for (int p = 0; p < group.procs.size(); ++p) {
            const Proc &proc = group.procs.at(p);
            text += QStringLiteral("  %1 %2: QL %3%4\n")
                        .arg(p + 1)
                        .arg(inertLineField(proc.name), qlRangeText(proc),
                             proc.isSpecial() ? QStringLiteral(" (special)") : QString());
            procs.append(QJsonObject{{QStringLiteral("position"), p + 1},
                                     {QStringLiteral("name"), proc.name},
                                     {QStringLiteral("minQL"), proc.qlRange().lowest},
                                     {QStringLiteral("maxQL"), proc.qlRange().highest},
                                     {QStringLiteral("special"), proc.isSpecial()}});
        }
        groups.append(QJsonObject{{QStringLiteral("position"), g + 1},
                                  {QStringLiteral("name"), group.name},
                                  {QStringLiteral("processes"), procs}});
    }
    if (m_options.json)
        writeJson({{QStringLiteral("groups"), groups}});
    else
        write(text);
    return Outcome::ok();
}

CalcCommand::Outcome CalcCommand::amounts(const ProcGroup &group, const Proc &proc, const QString &qlText)
{
    int ql = 0;
    Outcome checked = parseQl(qlText, ql);
    if (checked)
        checked = qlInRange(proc, ql);
    if (!checked)
        return checked;
    const Requirements requirements = Requirements::of(proc, ql);
    if (m_options.json) {
        QJsonObject object = requirementsJson(requirements, ql);
        object.insert(QStringLiteral("group"), group.name);
        object.insert(QStringLiteral("process"), proc.name);
        writeJson(object);
    } else {
        write(requirementsText(proc.name, ql, requirements));
    }
    return Outcome::ok();
}

CalcCommand::Outcome CalcCommand::highestQl(const ProcGroup &group, const Proc &proc)
{
    QMap<QString, QString> skills;
    const Outcome matched
        = matchSkills(skillNames({proc}), QStringLiteral(" in process \"%1\"").arg(proc.name), skills);
    if (!matched)
        return matched;
    const HighestQl answer = HighestQl::of(proc, skills);
    if (m_options.json) {
        writeJson({{QStringLiteral("group"), group.name},
                   {QStringLiteral("process"), proc.name},
                   {QStringLiteral("minQL"), proc.qlRange().lowest},
                   {QStringLiteral("maxQL"), proc.qlRange().highest},
                   {QStringLiteral("highestQL"), answer.reachable ? QJsonValue(answer.ql) : QJsonValue()},
                   {QStringLiteral("limitedBy"), QJsonArray::fromStringList(answer.limitedBy)},
                   {QStringLiteral("unknown"), QJsonArray::fromStringList(answer.unknown)}});
        return Outcome::ok();
    }
    const QString name = inertLineField(proc.name);
    QString text = answer.reachable
        ? QStringLiteral("%1: highest QL %2 (range %3)\n").arg(name).arg(answer.ql).arg(qlRangeText(proc))
        : QStringLiteral("%1: none of its QLs (%2) is within reach\n").arg(name, qlRangeText(proc));
    if (!answer.limitedBy.isEmpty())
        text += QStringLiteral("limited by: %1\n").arg(lineFields(answer.limitedBy));
    else if (answer.reachable)
        text += QStringLiteral("limited by: the process's highest QL\n");
    if (!answer.unknown.isEmpty())
        text += QStringLiteral("unknown, not taken into account: %1\n").arg(lineFields(answer.unknown));
    write(text);
    return Outcome::ok();
}

CalcCommand::Outcome CalcCommand::table(const ProcGroup &group, const Proc &proc, const QString &range)
{
    const QlRange whole = proc.qlRange();
    int from = whole.lowest;
    int to = whole.highest;
    if (!range.isEmpty()) {
        const QStringList ends = range.split(QLatin1Char('-'));
        Outcome checked = parseQl(ends.at(0), from);
        if (checked)
            checked = parseQl(ends.at(1), to);
        if (checked && from > to)
            checked = Outcome::failure(Problem::WrongUsage, QStringLiteral("--table %1 runs backwards").arg(range));
        if (checked)
            checked = qlInRange(proc, from);
        if (checked)
            checked = qlInRange(proc, to);
        if (!checked)
            return checked;
    }
    if (m_options.json) {
        QJsonArray rows;
        for (int ql = from; ql <= to; ++ql)
            rows.append(requirementsJson(Requirements::of(proc, ql), ql));
        writeJson({{QStringLiteral("group"), group.name},
                   {QStringLiteral("process"), proc.name},
                   {QStringLiteral("rows"), rows}});
        return Outcome::ok();
    }
    // The columns are the same for every QL: only amounts change.
    QString text = csvRow(QStringLiteral("QL"), Requirements::of(proc, from), true).join(QLatin1Char(',')) + '\n';
    for (int ql = from; ql <= to; ++ql)
        text += csvRow(QString::number(ql), Requirements::of(proc, ql), false).join(QLatin1Char(',')) + '\n';
    write(text);
    return Outcome::ok();
}

CalcCommand::Outcome CalcCommand::canMake()
{
    QList<Proc> procs;
    for (const ProcGroup &group : m_groups)
        procs.append(group.procs);
    QMap<QString, QString> skills;
    const Outcome matched = matchSkills(skillNames(procs), QStringLiteral(" in the data"), skills);
    if (!matched)
        return matched;

    const QList<CanMakeRow> rows = CanMakeRow::of(m_groups, skills);
    QJsonArray processes;
    QString text = QStringLiteral("Group\tProcess\tQL\tHighest QL\tLimited by\n");
    QStringList unknown;
    for (const CanMakeRow &row : rows) {
        const ProcGroup &group = m_groups.at(row.group);
        const Proc &proc = group.procs.at(row.process);
        QJsonArray shortfalls;
        QStringList missing;
        for (const SkillShortfall &shortfall : row.shortfalls) {
            shortfalls.append(QJsonObject{{QStringLiteral("skill"), shortfall.skill},
                                          {QStringLiteral("needed"), shortfall.needed},
                                          {QStringLiteral("missing"), shortfall.missing}});
            missing.append(QStringLiteral("%1 %2 (%3 missing)").arg(shortfall.skill, shortfall.needed, shortfall.missing));
        }
        processes.append(QJsonObject{
            {QStringLiteral("group"), group.name},
            {QStringLiteral("process"), proc.name},
            {QStringLiteral("minQL"), proc.qlRange().lowest},
            {QStringLiteral("maxQL"), proc.qlRange().highest},
            {QStringLiteral("highestQL"), row.highest.reachable ? QJsonValue(row.highest.ql) : QJsonValue()},
            {QStringLiteral("limitedBy"), QJsonArray::fromStringList(row.highest.limitedBy)},
            {QStringLiteral("unknown"), QJsonArray::fromStringList(row.highest.unknown)},
            {QStringLiteral("shortfalls"), shortfalls}});
        const QString limit = !row.highest.reachable ? missing.join(QLatin1String(", "))
            : row.highest.limitedBy.isEmpty()        ? QStringLiteral("the process's highest QL")
                                                     : row.highest.limitedBy.join(QLatin1String(", "));
        QStringList cells{group.name, proc.name, qlRangeText(proc),
                          row.highest.reachable ? QString::number(row.highest.ql) : QStringLiteral("none"), limit};
        for (QString &cell : cells)
            cell = inertLineField(cell);
        text += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
        for (const QString &name : row.highest.unknown) {
            if (!unknown.contains(name))
                unknown.append(name);
        }
    }
    if (m_options.json) {
        QJsonObject given;
        for (auto it = skills.cbegin(); it != skills.cend(); ++it)
            given.insert(it.key(), it.value());
        writeJson({{QStringLiteral("skills"), given}, {QStringLiteral("processes"), processes}});
        return Outcome::ok();
    }
    unknown.sort();
    if (!unknown.isEmpty())
        text += QStringLiteral("unknown, not taken into account: %1\n").arg(lineFields(unknown));
    write(text);
    return Outcome::ok();
}

CalcCommand::Outcome CalcCommand::plan()
{
    QList<PlanProduct> products;
    QJsonArray productsJson;
    for (qsizetype i = 0; i + 2 < m_options.operands.size(); i += 3) {
        int g = -1;
        int p = -1;
        const Outcome found = findProcess(m_options.operands.at(i), m_options.operands.at(i + 1), g, p);
        if (!found)
            return found;
        const Proc &proc = m_groups.at(g).procs.at(p);
        int ql = 0;
        Outcome checked = parseQl(m_options.operands.at(i + 2), ql);
        if (checked)
            checked = qlInRange(proc, ql);
        if (!checked)
            return checked;
        products.append({proc, ql});
        productsJson.append(QJsonObject{{QStringLiteral("group"), m_groups.at(g).name},
                                        {QStringLiteral("process"), proc.name},
                                        {QStringLiteral("ql"), ql}});
    }
    const PlanNeeds needs = PlanNeeds::of(products);
    if (!m_options.json) {
        write(planText(needs));
        return Outcome::ok();
    }
    const auto needsJson = [](const QList<PlanNeed> &list) {
        QJsonArray array;
        for (const PlanNeed &need : list)
            array.append(QJsonObject{{QStringLiteral("name"), need.name},
                                     {QStringLiteral("amount"), need.amount},
                                     {QStringLiteral("products"), QJsonArray::fromStringList(need.products)}});
        return array;
    };
    writeJson({{QStringLiteral("products"), productsJson},
               {QStringLiteral("items"), needsJson(needs.items)},
               {QStringLiteral("skills"), needsJson(needs.skills)}});
    return Outcome::ok();
}

#include "tradeskill/requirements.h"

#include "tradeskill/multiplier.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace {

void sortByName(QList<RequirementRow> &rows)
{
    std::stable_sort(rows.begin(), rows.end(),
                     [](const RequirementRow &a, const RequirementRow &b) { return a.name < b.name; });
}

bool isWholeNumber(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^-?[0-9]+$"));
    return pattern.match(text).hasMatch();
}

// Compares two whole numbers written in decimal of any length.
int compareWholeNumbers(QString a, QString b)
{
    const bool negativeA = a.startsWith(QLatin1Char('-'));
    const bool negativeB = b.startsWith(QLatin1Char('-'));
    const auto magnitude = [](QString text) {
        if (text.startsWith(QLatin1Char('-')))
            text.remove(0, 1);
        while (text.size() > 1 && text.startsWith(QLatin1Char('0')))
            text.remove(0, 1);
        return text;
    };
    a = magnitude(a);
    b = magnitude(b);
    const bool zeroA = a == QLatin1String("0");
    const bool zeroB = b == QLatin1String("0");
    const int signA = zeroA ? 0 : (negativeA ? -1 : 1);
    const int signB = zeroB ? 0 : (negativeB ? -1 : 1);
    if (signA != signB)
        return signA < signB ? -1 : 1;
    int order = a.size() != b.size() ? (a.size() < b.size() ? -1 : 1) : a.compare(b);
    order = order < 0 ? -1 : (order > 0 ? 1 : 0);
    return signA < 0 ? -order : order;
}

} // namespace

Requirements Requirements::of(const Proc &proc, int ql)
{
    Requirements result;
    for (const Req &req : proc.reqs) {
        RequirementRow row{req.name, Multiplier(req.multiplier).amountText(ql)};
        (req.t != 0 ? result.skills : result.items).append(row);
    }
    sortByName(result.items);
    sortByName(result.skills);
    return result;
}

QString inertField(const QString &field)
{
    static const QRegularExpression number(QStringLiteral("^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?$"));
    static const QString formulaStarts = QStringLiteral("=+-@\t\r");
    if (field.isEmpty() || !formulaStarts.contains(field.at(0)) || number.match(field).hasMatch())
        return field;
    return QLatin1Char('\'') + field;
}

QString inertLineField(QString field)
{
    for (QChar &c : field) {
        if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            c = QLatin1Char(' ');
    }
    return inertField(field);
}

QString requirementsText(const QString &product, int ql, const Requirements &requirements)
{
    const auto field = inertLineField;
    QString text = field(product) + QLatin1Char('\t') + QString::number(ql) + QLatin1Char('\n');
    const auto list = [&](const QString &heading, const QList<RequirementRow> &rows) {
        if (rows.isEmpty())
            return;
        text += heading + QLatin1Char('\n');
        for (const RequirementRow &row : rows)
            text += field(row.name) + QLatin1Char('\t') + field(row.amount) + QLatin1Char('\n');
    };
    list(QStringLiteral("Tools/Items"), requirements.items);
    list(QStringLiteral("Skills"), requirements.skills);
    return text;
}

bool skillReaches(const QString &value, const QString &amount)
{
    if (amount == QLatin1String("Fixed"))
        return true;
    if (isWholeNumber(amount))
        return compareWholeNumbers(value, amount) >= 0;
    // A negative amount with a fraction, one with an exponent, an infinity
    // or "nan": compared as the doubles they read as.
    return Multiplier(value).value() >= Multiplier(amount).value();
}

namespace {

// Multipliers read once and, for positive ones (whose amounts never fall as
// the QL rises), the highest QL from 0 to 255 that a skill value allows,
// found by halving the range once per multiplier text and value: a scan of
// every process meets the same few texts and values again and again.
class SkillLimits
{
public:
    const Multiplier &multiplier(const QString &text)
    {
        auto it = m_multipliers.find(text);
        if (it == m_multipliers.end())
            it = m_multipliers.insert(text, Multiplier(text));
        return *it;
    }

    // -1 when not even QL 0 is allowed.
    int limit(const QString &text, const QString &value)
    {
        const QString key = text + QChar(0) + value;
        const auto it = m_limits.constFind(key);
        if (it != m_limits.cend())
            return *it;
        const Multiplier &m = multiplier(text);
        int found = -1;
        for (int low = 0, high = 255; low <= high;) {
            const int middle = (low + high) / 2;
            if (skillReaches(value, m.amountText(middle))) {
                found = middle;
                low = middle + 1;
            } else {
                high = middle - 1;
            }
        }
        m_limits.insert(key, found);
        return found;
    }

private:
    QHash<QString, Multiplier> m_multipliers;
    QHash<QString, int> m_limits;
};

HighestQl highestQlOf(const Proc &proc, const QMap<QString, QString> &skills, SkillLimits &limits)
{
    HighestQl result;
    struct Scaling
    {
        QString name;
        QString text;
        Multiplier multiplier; // a copy: the cache's storage moves as it grows
    };
    QList<Scaling> scaling;
    bool rising = true;
    for (const Req &req : proc.reqs) {
        if (req.t == 0)
            continue;
        const Multiplier multiplier = limits.multiplier(req.multiplier);
        if (multiplier.isFixed())
            continue;
        if (skills.contains(req.name)) {
            scaling.append({req.name, req.multiplier, multiplier});
            rising = rising && multiplier.value() > 0;
        } else if (!result.unknown.contains(req.name)) {
            result.unknown.append(req.name);
        }
    }

    // Where every amount rises with the QL, a skill is met at a QL exactly
    // when the QL is not above its limit; otherwise each QL is worked out.
    QList<int> highest;
    if (rising) {
        for (const Scaling &s : scaling)
            highest.append(limits.limit(s.text, skills.value(s.name)));
    }
    const auto met = [&](int i, int ql) {
        return rising ? ql <= highest.at(i) : skillReaches(skills.value(scaling.at(i).name), scaling.at(i).multiplier.amountText(ql));
    };
    const auto unmet = [&](int ql) {
        QStringList names;
        for (int i = 0; i < scaling.size(); ++i) {
            if (!met(i, ql) && !names.contains(scaling.at(i).name))
                names.append(scaling.at(i).name);
        }
        return names;
    };

    const QlRange range = proc.qlRange();
    const int minQl = range.lowest;
    const int maxQl = range.highest;
    int found = minQl - 1;
    if (rising) {
        found = maxQl;
        for (const int limit : highest)
            found = qMin(found, limit);
    } else {
        // Amounts of negative multipliers fall as the QL rises: every QL
        // of the range is tried from the top.
        for (int ql = maxQl; ql >= minQl && found < minQl; --ql) {
            if (unmet(ql).isEmpty())
                found = ql;
        }
    }
    if (found >= minQl) {
        result.reachable = true;
        result.ql = found;
        if (found < maxQl)
            result.limitedBy = unmet(found + 1);
        return result;
    }
    result.limitedBy = unmet(minQl);
    return result;
}

} // namespace

HighestQl HighestQl::of(const Proc &proc, const QMap<QString, QString> &skills)
{
    SkillLimits limits;
    return highestQlOf(proc, skills, limits);
}

namespace {

// A whole number of any length as sign and digits without leading zeros.
struct WholeNumber
{
    bool negative = false;
    QByteArray digits;

    explicit WholeNumber(const QString &text)
    {
        QByteArray bytes = text.toLatin1();
        negative = bytes.startsWith('-');
        if (negative)
            bytes.remove(0, 1);
        int start = 0;
        while (start < bytes.size() - 1 && bytes.at(start) == '0')
            ++start;
        digits = bytes.mid(start);
        if (digits == "0")
            negative = false;
    }
};

int compareMagnitudes(const QByteArray &a, const QByteArray &b)
{
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return a < b ? -1 : (a > b ? 1 : 0);
}

QByteArray addMagnitudes(const QByteArray &a, const QByteArray &b)
{
    QByteArray sum;
    int carry = 0;
    for (qsizetype i = a.size() - 1, j = b.size() - 1; i >= 0 || j >= 0 || carry; --i, --j) {
        const int digit = (i >= 0 ? a.at(i) - '0' : 0) + (j >= 0 ? b.at(j) - '0' : 0) + carry;
        sum.prepend(char('0' + digit % 10));
        carry = digit / 10;
    }
    return sum;
}

// a - b for magnitudes with a >= b.
QByteArray subtractMagnitudes(const QByteArray &a, const QByteArray &b)
{
    QByteArray difference;
    int borrow = 0;
    for (qsizetype i = a.size() - 1, j = b.size() - 1; i >= 0; --i, --j) {
        int digit = (a.at(i) - '0') - (j >= 0 ? b.at(j) - '0' : 0) - borrow;
        borrow = digit < 0 ? 1 : 0;
        difference.prepend(char('0' + digit + 10 * borrow));
    }
    int start = 0;
    while (start < difference.size() - 1 && difference.at(start) == '0')
        ++start;
    return difference.mid(start);
}

// a - b for whole numbers written in decimal, of any length.
QString wholeDifference(const QString &a, const QString &b)
{
    const WholeNumber x(a);
    WholeNumber y(b);
    y.negative = !y.negative && y.digits != "0";
    QByteArray digits;
    bool negative = false;
    if (x.negative == y.negative) {
        digits = addMagnitudes(x.digits, y.digits);
        negative = x.negative;
    } else if (compareMagnitudes(x.digits, y.digits) >= 0) {
        digits = subtractMagnitudes(x.digits, y.digits);
        negative = x.negative;
    } else {
        digits = subtractMagnitudes(y.digits, x.digits);
        negative = y.negative;
    }
    return QString::fromLatin1((negative && digits != "0" ? "-" : "") + digits);
}

// The order of two amount texts other than "Fixed"; "nan" is above all.
int compareAmounts(const QString &a, const QString &b)
{
    if (isWholeNumber(a) && isWholeNumber(b))
        return compareWholeNumbers(a, b);
    const double x = Multiplier(a).value();
    const double y = Multiplier(b).value();
    if (std::isnan(x) || std::isnan(y))
        return std::isnan(x) == std::isnan(y) ? 0 : (std::isnan(x) ? 1 : -1);
    return x < y ? -1 : (x > y ? 1 : 0);
}

// How much a skill value must grow to reach an amount it does not reach:
// the least whole number that does, less the value. For a negative amount
// with a fraction that is its whole part; an infinity, "nan" or an amount
// written with its exponent is given as it is.
QString missingAmount(const QString &value, const QString &amount)
{
    static const QRegularExpression negativeFraction(QStringLiteral("^-[0-9]+\\.[0-9]+$"));
    if (isWholeNumber(amount))
        return wholeDifference(amount, value);
    if (negativeFraction.match(amount).hasMatch())
        return wholeDifference(amount.section(QLatin1Char('.'), 0, 0), value);
    return amount;
}

} // namespace

QList<int> namesMatching(const QStringList &names, const QString &key)
{
    QList<int> exact, anyCase, prefixed;
    for (int i = 0; i < names.size(); ++i) {
        const QString &name = names.at(i);
        if (name == key)
            exact.append(i);
        else if (name.compare(key, Qt::CaseInsensitive) == 0)
            anyCase.append(i);
        else if (name.startsWith(key, Qt::CaseInsensitive))
            prefixed.append(i);
    }
    return !exact.isEmpty() ? exact : (!anyCase.isEmpty() ? anyCase : prefixed);
}

QStringList skillNames(const QList<Proc> &procs)
{
    QStringList names;
    for (const Proc &proc : procs) {
        for (const Req &req : proc.reqs) {
            if (req.t != 0)
                names.append(req.name);
        }
    }
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

QList<CanMakeRow> CanMakeRow::of(const QList<ProcGroup> &groups, const QMap<QString, QString> &skills)
{
    QList<CanMakeRow> rows;
    SkillLimits limits;
    for (int g = 0; g < groups.size(); ++g) {
        for (int p = 0; p < groups.at(g).procs.size(); ++p) {
            const Proc &proc = groups.at(g).procs.at(p);
            CanMakeRow row{g, p, highestQlOf(proc, skills, limits), {}};
            if (!row.highest.reachable) {
                // The largest amount of each stopping skill: a skill may be
                // listed more than once.
                for (const QString &name : row.highest.limitedBy) {
                    QString needed;
                    for (const Req &req : proc.reqs) {
                        if (req.t == 0 || req.name != name)
                            continue;
                        const QString amount = Multiplier(req.multiplier).amountText(proc.qlRange().lowest);
                        if (amount != QLatin1String("Fixed") && (needed.isEmpty() || compareAmounts(amount, needed) > 0))
                            needed = amount;
                    }
                    row.shortfalls.append({name, needed, missingAmount(skills.value(name), needed)});
                }
            }
            rows.append(row);
        }
    }
    return rows;
}

QString PlanProduct::label() const
{
    return QStringLiteral("QL %1 %2").arg(ql).arg(proc.name);
}

PlanNeeds PlanNeeds::of(const QList<PlanProduct> &products)
{
    PlanNeeds needs;
    for (const PlanProduct &product : products) {
        const QString label = product.label();
        for (const Req &req : product.proc.reqs) {
            QList<PlanNeed> &list = req.t != 0 ? needs.skills : needs.items;
            const QString amount = Multiplier(req.multiplier).amountText(product.ql);
            const auto need = std::find_if(list.begin(), list.end(),
                                           [&req](const PlanNeed &n) { return n.name == req.name; });
            if (need == list.end()) {
                list.append({req.name, amount, {label}});
                continue;
            }
            const bool fixed = amount == QLatin1String("Fixed");
            const bool neededFixed = need->amount == QLatin1String("Fixed");
            const int order = fixed || neededFixed ? (fixed == neededFixed ? 0 : (fixed ? -1 : 1))
                                                   : compareAmounts(amount, need->amount);
            if (order > 0)
                *need = {req.name, amount, {label}};
            else if (order == 0 && !need->products.contains(label))
                need->products.append(label);
        }
    }
    const auto byName = [](const PlanNeed &a, const PlanNeed &b) { return a.name < b.name; };
    std::stable_sort(needs.items.begin(), needs.items.end(), byName);
    std::stable_sort(needs.skills.begin(), needs.skills.end(), byName);
    return needs;
}

QString planText(const PlanNeeds &needs)
{
    QString text;
    const auto section = [&text](const QString &heading, const QList<PlanNeed> &list) {
        if (!list.isEmpty())
            text += heading + QLatin1Char('\n');
        for (const PlanNeed &need : list)
            text += inertLineField(need.name) + QLatin1Char('\t') + inertLineField(need.amount) + QLatin1Char('\t')
                + inertLineField(need.products.join(QLatin1String(", "))) + QLatin1Char('\n');
    };
    section(QStringLiteral("Tools/Items"), needs.items);
    section(QStringLiteral("Skills"), needs.skills);
    return text;
}

#include "requirements.h"

#include "multiplier.h"

#include <QRegularExpression>

#include <algorithm>

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

HighestQl HighestQl::of(const Proc &proc, const QMap<QString, QString> &skills)
{
    HighestQl result;
    // Each multiplier is read once: the QLs of the range all use it.
    QList<QPair<QString, Multiplier>> scaling;
    for (const Req &req : proc.reqs) {
        const Multiplier multiplier(req.multiplier);
        if (req.t == 0 || multiplier.isFixed())
            continue;
        if (skills.contains(req.name))
            scaling.append({req.name, multiplier});
        else if (!result.unknown.contains(req.name))
            result.unknown.append(req.name);
    }

    const auto unmet = [&](int ql) {
        QStringList names;
        for (const auto &[name, multiplier] : scaling) {
            if (!skillReaches(skills.value(name), multiplier.amountText(ql)) && !names.contains(name))
                names.append(name);
        }
        return names;
    };

    // Amounts of negative multipliers fall as the QL rises, so every QL of
    // the range is tried rather than stopping at the first one not allowed.
    const int minQl = proc.lowestQl();
    const int maxQl = proc.highestQl();
    for (int ql = maxQl; ql >= minQl; --ql) {
        if (unmet(ql).isEmpty()) {
            result.reachable = true;
            result.ql = ql;
            if (ql < maxQl)
                result.limitedBy = unmet(ql + 1);
            return result;
        }
    }
    result.limitedBy = unmet(minQl);
    return result;
}

#include "tradeskill/requirements.h"

#include <QTest>

Q_DECLARE_METATYPE(Proc)
Q_DECLARE_METATYPE(PlanProduct)

namespace {

// "Name=multiplier" is a skill, "Name:multiplier" a tool or item.
Proc proc(const QString &name, int minQl, int maxQl, const QStringList &reqs)
{
    Proc result;
    result.name = name;
    result.minQL = quint8(minQl);
    result.maxQL = quint8(maxQl);
    for (const QString &text : reqs) {
        const bool skill = text.contains(QLatin1Char('='));
        const QStringList parts = text.split(skill ? QLatin1Char('=') : QLatin1Char(':'));
        result.reqs.append({parts.at(0), parts.at(1), quint8(skill ? 1 : 0), 0});
    }
    return result;
}

QMap<QString, QString> values(const QStringList &pairs)
{
    QMap<QString, QString> map;
    for (const QString &pair : pairs)
        map.insert(pair.section(QLatin1Char('='), 0, 0), pair.section(QLatin1Char('='), 1));
    return map;
}

// "80 by A, B; unknown C; short A 500 -1" in a form a row of a table can hold.
QString answerText(const HighestQl &answer, const QList<SkillShortfall> &shortfalls = {})
{
    QString text = answer.reachable ? QString::number(answer.ql) : QStringLiteral("none");
    if (!answer.limitedBy.isEmpty())
        text += QStringLiteral(" by ") + answer.limitedBy.join(QLatin1String(", "));
    if (!answer.unknown.isEmpty())
        text += QStringLiteral("; unknown ") + answer.unknown.join(QLatin1String(", "));
    for (const SkillShortfall &shortfall : shortfalls)
        text += QStringLiteral("; short %1 %2 %3").arg(shortfall.skill, shortfall.needed, shortfall.missing);
    return text;
}

const QStringList Shortsword{"Smithing Hammer:0", "Iron Ingot:0.5", "Weaponsmithing=1.25", "Mechanical Engineering=0.4"};

} // namespace

class TestRequirements : public QObject
{
    Q_OBJECT

private slots:
    void highestQl_data()
    {
        QTest::addColumn<Proc>("process");
        QTest::addColumn<QStringList>("skills");
        QTest::addColumn<QString>("answer");

        QTest::newRow("limited, one unknown") << proc("P", 1, 120, Shortsword) << QStringList{"Weaponsmithing=100"}
                                              << "80 by Weaponsmithing; unknown Mechanical Engineering";
        QTest::newRow("the Max QL") << proc("P", 1, 120, Shortsword)
                                    << QStringList{"Weaponsmithing=150", "Mechanical Engineering=48"} << "120";
        QTest::newRow("two skills stop the next QL") << proc("P", 1, 120, Shortsword)
                                                     << QStringList{"Weaponsmithing=50", "Mechanical Engineering=16"}
                                                     << "40 by Weaponsmithing, Mechanical Engineering";
        QTest::newRow("0.07 x 100 is 7, not 8") << proc("P", 1, 200, {"S=0.07"}) << QStringList{"S=7"} << "100 by S";
        QTest::newRow("0.333 rounds up") << proc("P", 1, 200, {"S=0.333"}) << QStringList{"S=34"} << "102 by S";
        QTest::newRow("below the Min QL") << proc("P", 60, 250, {"S=2", "T=1.5"}) << QStringList{"S=119", "T=1000"}
                                          << "none by S";
        QTest::newRow("a skill listed twice") << proc("P", 1, 100, {"S=1", "S=2"}) << QStringList{"S=10"} << "5 by S";
        QTest::newRow("items and fixed skills never limit")
            << proc("P", 1, 100, {"I:50", "F=0", "G=abc", "S=1"}) << QStringList{"S=1000", "F=0"} << "100";
        // A negative multiplier needs less as the QL rises: the answer lies
        // between what each skill allows.
        QTest::newRow("rising and falling amounts") << proc("P", 1, 10, {"A=1", "B=-1"}) << QStringList{"A=5", "B=-3"}
                                                    << "5 by A";
        QTest::newRow("only a falling amount") << proc("P", 1, 10, {"B=-0.5"}) << QStringList{"B=-3"} << "10";
        QTest::newRow("falling amount out of reach") << proc("P", 1, 4, {"B=-0.5"}) << QStringList{"B=-3"}
                                                     << "none by B";
        QTest::newRow("hexadecimal") << proc("P", 1, 100, {"S=0x1p-1"}) << QStringList{"S=3"} << "6 by S";
        QTest::newRow("2x reads as 2") << proc("P", 1, 100, {"S=2x"}) << QStringList{"S=9"} << "4 by S";
        QTest::newRow("infinite never reached") << proc("P", 1, 100, {"S=inf"})
                                                << QStringList{"S=999999999999999999999999999999"} << "none by S";
        QTest::newRow("value beyond any number") << proc("P", 1, 255, {"S=99999999999999999999"})
                                                 << QStringList{"S=999999999999999999999999999999"} << "255";
        QTest::newRow("QL 0") << proc("P", 0, 10, {"S=1"}) << QStringList{"S=0"} << "0 by S";
        QTest::newRow("negative value") << proc("P", 0, 10, {"S=1"}) << QStringList{"S=-1"} << "none by S";
        QTest::newRow("special process") << proc("P", 200, 200, {"S=2.5"}) << QStringList{"S=500"} << "200";
        QTest::newRow("Min QL above Max QL") << proc("P", 9, 3, {"S=1"}) << QStringList{"S=2"} << "none by S";
        QTest::newRow("nothing given") << proc("P", 1, 50, {"S=1", "T=1"}) << QStringList{} << "50; unknown S, T";
    }

    void highestQl()
    {
        QFETCH(Proc, process);
        QFETCH(QStringList, skills);
        QFETCH(QString, answer);
        QCOMPARE(answerText(HighestQl::of(process, values(skills))), answer);
    }

    void canMake_data()
    {
        QTest::addColumn<QStringList>("skills");
        QTest::addColumn<QStringList>("rows");

        QTest::newRow("in reach and not")
            << QStringList{"Weaponsmithing=100", "Tempering=80", "S=10", "B=-4"}
            << QStringList{"0/0 80 by Weaponsmithing; unknown Mechanical Engineering",
                           "0/1 none by Weaponsmithing, Tempering; short Weaponsmithing 120 20; short Tempering 90 10",
                           "0/2 5 by S", "1/0 none by S; short S 1000000000000000000000 999999999999999999990",
                           "1/1 none by B; short B -2.5 2", "1/2 none by S; short S inf inf"};
        QTest::newRow("far below") << QStringList{"Weaponsmithing=-5", "S=-1000000000000000000000", "B=-2"}
                                   << QStringList{"0/0 none by Weaponsmithing; unknown Mechanical Engineering; short "
                                                  "Weaponsmithing 2 7",
                                                  "0/1 none by Weaponsmithing; unknown Tempering; short Weaponsmithing "
                                                  "120 125",
                                                  "0/2 none by S; short S 2 1000000000000000000002",
                                                  "1/0 none by S; short S 1000000000000000000000 2000000000000000000000",
                                                  "1/1 6", "1/2 none by S; short S inf inf"};
    }

    void canMake()
    {
        QFETCH(QStringList, skills);
        QFETCH(QStringList, rows);
        const QList<ProcGroup> groups{
            {"Weaponsmithing",
             {proc("Shortsword", 1, 120, Shortsword), proc("Greatsword", 60, 250, {"Weaponsmithing=2", "Tempering=1.5"}),
              proc("Twice", 1, 100, {"S=1", "S=2", "S=0"})}},
            {"Odd",
             {proc("Big", 10, 20, {"S=1e20"}), proc("Falling", 5, 6, {"B=-0.5"}), proc("Endless", 1, 10, {"S=inf"})}}};
        QStringList shown;
        for (const CanMakeRow &row : CanMakeRow::of(groups, values(skills)))
            shown.append(QStringLiteral("%1/%2 ").arg(row.group).arg(row.process) + answerText(row.highest, row.shortfalls));
        QCOMPARE(shown, rows);
    }

    void plan_data()
    {
        QTest::addColumn<QList<PlanProduct>>("products");
        QTest::addColumn<QString>("text");

        const Proc greatsword = proc("Greatsword", 60, 250,
                                     {"Smithing Hammer:0", "Steel Ingot:1", "Weaponsmithing=2", "Tempering=1.5"});
        const Proc blade = proc("Blade", 200, 200, {"Ancestral Anvil:0", "Weaponsmithing=2.5", "Runecarving=0"});
        QTest::newRow("three products") << QList<PlanProduct>{{proc("Shortsword", 1, 120, Shortsword), 50},
                                                              {greatsword, 60}, {blade, 200}}
                                        << "Tools/Items\nAncestral Anvil\tFixed\tQL 200 Blade\n"
                                           "Iron Ingot\t25\tQL 50 Shortsword\n"
                                           "Smithing Hammer\tFixed\tQL 50 Shortsword, QL 60 Greatsword\n"
                                           "Steel Ingot\t60\tQL 60 Greatsword\nSkills\n"
                                           "Mechanical Engineering\t20\tQL 50 Shortsword\n"
                                           "Runecarving\tFixed\tQL 200 Blade\nTempering\t90\tQL 60 Greatsword\n"
                                           "Weaponsmithing\t500\tQL 200 Blade\n";
        QTest::newRow("numbers, not texts, compared") << QList<PlanProduct>{{proc("A", 1, 100, {"S=1"}), 9},
                                                                            {proc("B", 1, 100, {"S=1"}), 10}}
                                                      << "Skills\nS\t10\tQL 10 B\n";
        QTest::newRow("exact products tie") << QList<PlanProduct>{{proc("A", 1, 100, {"S=0.07"}), 100},
                                                                  {proc("B", 1, 100, {"S=7"}), 1}}
                                            << "Skills\nS\t7\tQL 100 A, QL 1 B\n";
        QTest::newRow("fixed gives way to an amount") << QList<PlanProduct>{{proc("A", 1, 100, {"T:0"}), 5},
                                                                            {proc("B", 1, 100, {"T:0.001"}), 1},
                                                                            {proc("C", 1, 100, {"T:0"}), 5}}
                                                      << "Tools/Items\nT\t1\tQL 1 B\n";
        QTest::newRow("item and skill of one name stay apart")
            << QList<PlanProduct>{{proc("A", 1, 100, {"X:1", "X=2"}), 3}} << "Tools/Items\nX\t3\tQL 3 A\nSkills\nX\t6\tQL 3 A\n";
        QTest::newRow("negative amounts") << QList<PlanProduct>{{proc("A", 1, 100, {"S=-0.5"}), 5},
                                                                {proc("B", 1, 100, {"S=-1"}), 3}}
                                          << "Skills\nS\t-2.5\tQL 5 A\n";
        QTest::newRow("one product twice") << QList<PlanProduct>{{greatsword, 100}, {greatsword, 100}}
                                           << "Tools/Items\nSmithing Hammer\tFixed\tQL 100 Greatsword\n"
                                              "Steel Ingot\t100\tQL 100 Greatsword\nSkills\n"
                                              "Tempering\t150\tQL 100 Greatsword\nWeaponsmithing\t200\tQL 100 Greatsword\n";
        QTest::newRow("empty plan") << QList<PlanProduct>{} << "";
    }

    void plan()
    {
        QFETCH(QList<PlanProduct>, products);
        QFETCH(QString, text);
        QCOMPARE(planText(PlanNeeds::of(products)), text);
    }

    void namesMatching_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QList<int>>("positions");

        const QStringList skills{"Weapon", "Weaponsmithing", "tailoring", "Tailoring", "Tempering"};
        QTest::newRow("whole name before longer ones") << skills << "weapon" << QList<int>{0};
        QTest::newRow("any case") << skills << "WEAPONSMITHING" << QList<int>{1};
        QTest::newRow("exact case first") << skills << "Tailoring" << QList<int>{3};
        QTest::newRow("names differing in case only") << skills << "TAILORING" << QList<int>{2, 3};
        QTest::newRow("unique prefix") << skills << "weaponS" << QList<int>{1};
        QTest::newRow("ambiguous prefix") << skills << "t" << QList<int>{2, 3, 4};
        QTest::newRow("no match") << skills << "Cooking" << QList<int>{};
        QTest::newRow("a name twice") << QStringList{"A", "B", "A"} << "a" << QList<int>{0, 2};
    }

    void namesMatching()
    {
        QFETCH(QStringList, names);
        QFETCH(QString, key);
        QFETCH(QList<int>, positions);
        QCOMPARE(::namesMatching(names, key), positions);
    }
};

QTEST_GUILESS_MAIN(TestRequirements)
#include "tst_requirements.moc"

#include "bench/generatedstore.h"

#include <QRandomGenerator>

namespace {

const char *const Tools[] = {"Screwdriver", "Hammer", "Wrench", "Jensen Gloves", "Nano Programming Interface",
                             "Mass Relocating Robot", "Bio Analyzing Computer", "Pliers", "Soldering Iron",
                             "Clean-up Kit", "Tube of Glue", "Carbonium Plate", "Kyr'Ozch Bio-Material",
                             "Crystal Filled by the Source", "Nano Crystal", "Gem Cutter", "Laser Drill",
                             "Precious Metal", "Monster Parts", "Robot Junk", "Bolt", "Electric Cable",
                             "Medical Tube", "Blood Plasma", "Pure Novictum", "Notum Chip", "Ancient Device",
                             "Miniaturized Circuits", "Plasma Torch", "Data Cable"};
const char *const Skills[] = {"Mechanical Engineering", "Electrical Engineering", "Quantum FT",
                              "Weapon Smithing", "Pharma Tech", "Nano Programming", "Chemistry",
                              "Psychology", "Tutoring", "Computer Literacy", "Break & Entry",
                              "Treatment", "First Aid"};
const char *const Multipliers[] = {"0", "0.5", "1", "1.5", "2", "2.25", "3", "3.5", "4", "4.5", "5", "0.333",
                                   "0.75", "6", "7.5"};
const char *const Products[] = {"Rifle", "Pistol", "Shotgun", "Helmet", "Body Armor", "Boots", "Gloves",
                                "Implant", "Symbiant Cluster", "Nano Crystal", "Grenade", "Stim", "Shield",
                                "Ring", "Scope", "Barrel", "Trigger", "Stock", "Ammo Box", "Hacker Tool"};
const char *const Kinds[] = {"Weapons", "Armor", "Implants", "Nanos", "Pharmaceuticals", "Tools", "Jewels",
                             "Trade Goods", "Ammunition", "Vehicles"};

template <typename T, size_t N>
QString pick(QRandomGenerator &random, const T (&words)[N])
{
    return QString::fromLatin1(words[random.bounded(int(N))]);
}

} // namespace

namespace GeneratedStore {

QList<ProcGroup> tradeskill(int groups, int procsPerGroup, int reqsPerProc, quint32 seed)
{
    QRandomGenerator random(seed);
    QList<ProcGroup> store;
    store.reserve(groups);
    for (int g = 0; g < groups; ++g) {
        ProcGroup group;
        group.name = QStringLiteral("%1 %2").arg(pick(random, Kinds)).arg(g + 1);
        group.procs.reserve(procsPerGroup);
        for (int p = 0; p < procsPerGroup; ++p) {
            Proc proc;
            proc.name = QStringLiteral("%1 Mk %2").arg(pick(random, Products)).arg(p + 1);
            proc.minQL = quint8(1 + random.bounded(100));
            proc.maxQL = random.bounded(10) == 0 ? proc.minQL : quint8(proc.minQL + random.bounded(255 - proc.minQL));
            proc.reqs.reserve(reqsPerProc);
            for (int r = 0; r < reqsPerProc; ++r) {
                Req req;
                req.t = quint8(r % 3 == 2 ? 1 : 0);
                req.name = req.t == 1 ? pick(random, Skills) : pick(random, Tools);
                req.multiplier = pick(random, Multipliers);
                req.id = req.t == 1 ? 0 : qint32(random.bounded(300000));
                proc.reqs.append(req);
            }
            group.procs.append(proc);
        }
        store.append(group);
    }
    return store;
}

QList<HelpTopic> help(int topics, int bodyLength, quint32 seed)
{
    QRandomGenerator random(seed);
    QList<HelpTopic> store;
    store.reserve(topics);
    for (int i = 0; i < topics; ++i) {
        HelpTopic topic;
        topic.id = QString::number(i + 1);
        topic.header = QStringLiteral("%1 %2").arg(pick(random, Products)).arg(i + 1);
        QString body;
        body.reserve(bodyLength + 16);
        while (body.size() < bodyLength)
            body += QStringLiteral("<b>%1</b> needs %2<br>").arg(pick(random, Tools), pick(random, Skills));
        topic.body = body;
        store.append(topic);
    }
    return store;
}

QStringList randomNames(int count, quint32 seed)
{
    QRandomGenerator random(seed);
    QStringList names;
    names.reserve(count);
    for (int i = 0; i < count; ++i) {
        QString name(4 + random.bounded(12), Qt::Uninitialized);
        for (QChar &c : name) {
            const int r = random.bounded(53);
            c = r == 52 ? QChar(u' ') : QChar(char16_t(r < 26 ? u'A' + r : u'a' + r - 26));
        }
        names.append(name);
    }
    return names;
}

} // namespace GeneratedStore

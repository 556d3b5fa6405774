#include "BattleExamples.h"
#include "RandomCases.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cmath>

namespace qf::test {

namespace {

QString nameOf(const TestShips &t, size_t position)
{
    return t.name.isEmpty() ? QStringLiteral("T%1").arg(position) : t.name;
}

QJsonArray entries(const std::vector<TestShips> &types)
{
    QJsonArray array;
    for (size_t i = 0; i < types.size(); ++i) {
        const TestShips &t = types[i];
        array.append(QJsonObject{{"count", t.count}, {"name", nameOf(t, i)}, {"as", t.as},
                                 {"armor", t.armor}, {"stability", t.stability}, {"fe", t.fe},
                                 {"si", 0}, {"c", 0}});
    }
    return array;
}

double between(std::mt19937 &rng, double low, double high)
{
    return std::uniform_real_distribution<double>(low, high)(rng);
}

} // namespace

QStringList Report(const QString &duration, const QStringList &homeBlock, const QStringList &foreignBlock)
{
    return QStringList{duration, QStringLiteral(" "),
                       QStringLiteral("In der Heimatflotte wurden bei dem Kampf folgende Schiffe zerstört:")}
           + homeBlock
           + QStringList{QStringLiteral(" "),
                         QStringLiteral("In der Fremdflotte wurden bei dem Kampf folgende Schiffe zerstört:")}
           + foreignBlock;
}

Fleet MakeFleet(const std::vector<TestShips> &types)
{
    Fleet f;
    for (size_t i = 0; i < types.size(); ++i) {
        const TestShips &t = types[i];
        f.AddShips(t.count, t.as, t.armor, t.stability, nameOf(t, i), t.fe, 0, 0);
    }
    return f;
}

QByteArray FleetsJson(const std::vector<TestShips> &home, const std::vector<TestShips> &foreign)
{
    return QJsonDocument(QJsonObject{{"home", entries(home)}, {"foreign", entries(foreign)}}).toJson();
}

const BattleExample &FirstWorkedExample()
{
    // Round 1: the home side needs 300 / 300 = 1.0 hours for the foreign
    // stability and armour, the foreign side 2.0; the round lasts 1.0. Home
    // damage 400 · 0.75 − 50 = 250 destroys all five (each 250 > 25); the
    // foreign 37 does not pass half of 100.
    static const BattleExample example{
        {{10, 40, 0, 100, 1000, QStringLiteral("Zerstörer")}},
        {{5, 10, 10, 50, 120, QStringLiteral("Korvette")}},
        1,
        Report(QStringLiteral("Dauer des Kampfes: 01:00:00 (1 Runden)"),
            {QStringLiteral(" "), QStringLiteral("Es wurden keine Schiffe zerstört.")},
            {QStringLiteral("Schiffstyp \tAnzahl \tStabilität \tAS \tPanzerung"),
             QStringLiteral("Korvette\t\t5\t50\t10\t10"),
             QStringLiteral("Gesamt \t\t5\t250\t50\t\t50"),
             QStringLiteral("Die Flotte wurd vollständig zerstört."),
             QStringLiteral("Kosten in Solar: 600")})};
    return example;
}

const BattleExample &CarryWorkedExample()
{
    // Every round lasts 2.0; the damage 15 is carried: 15, 30, 45, then 60 > 50.
    static const BattleExample example{
        {{1, 10, 0, 100, 100, QStringLiteral("Jäger")}},
        {{1, 0, 0, 100, 250, QStringLiteral("Frachter")}},
        4,
        Report(QStringLiteral("Dauer des Kampfes: 08:00:00 (4 Runden)"),
            {QStringLiteral(" "),
             QStringLiteral("Es wurden keine Schiffe zerstört, weil die Fremdflotte keinen Angriff starten konnte.")},
            {QStringLiteral("Schiffstyp \tAnzahl \tStabilität \tAS \tPanzerung"),
             QStringLiteral("Frachter\t\t1\t100\t0\t0"),
             QStringLiteral("Gesamt \t\t1\t100\t0\t\t0"),
             QStringLiteral("Die Flotte wurd vollständig zerstört."),
             QStringLiteral("Kosten in Solar: 250")})};
    return example;
}

const BattleExample &FixedTimeSwarm()
{
    // Home: attack 72, armour 457,600,008, stability 2,116,528. Foreign: attack
    // 304,000,000 (effective 228,000,000), stability 2,071,000,000. The home
    // side's time is 2.0 (2,071,000,000 ≥ 2 · 108); the foreign side's is
    // 459,716,536 / 228,000,000 = 2.016, and grows as its ships fall. Every
    // round the home damage 72 · 0.75 · 2 = 108 destroys one ship of 109 (108 >
    // 54, the −1 left is no carry); the foreign damage 456,000,000 never passes
    // the armour. 19,000,000 rounds; the float battle time stops growing at
    // 2^25 hours, where adding 2.0 rounds back to it.
    static const BattleExample example{
        {{5200, 0, 88000, 407, 1000, QStringLiteral("Bollwerk")},
         {1, 72, 8, 128, 1000, QStringLiteral("Jäger")}},
        {{19000000, 16, 0, 109, 1000, QStringLiteral("Schwarm")}},
        19000000,
        Report(QStringLiteral("Dauer des Kampfes: 33554432:00:00 (19000000 Runden)"),
            {QStringLiteral(" "), QStringLiteral("Es wurden keine Schiffe zerstört.")},
            {QStringLiteral("Schiffstyp \tAnzahl \tStabilität \tAS \tPanzerung"),
             QStringLiteral("Schwarm\t\t19000000\t109\t16\t0"),
             QStringLiteral("Gesamt \t\t19000000\t2071000000\t304000000\t\t0"),
             QStringLiteral("Die Flotte wurd vollständig zerstört."),
             QStringLiteral("Kosten in Solar: 19000000000")})};
    return example;
}

const BattleExample &EvenAttrition()
{
    // Every round lasts 2.0 (each side's stability is far above twice its
    // attack). The figures are those of the plain round-by-round battle; the
    // home side fires first with its untruncated damage and wins by 1703 ships.
    static const BattleExample example{
        {{30000000, 1, 0, 20000000, 1000, QStringLiteral("Linie")}},
        {{30000000, 1, 0, 20000000, 1000, QStringLiteral("Linie")}},
        80129548,
        Report(QStringLiteral("Dauer des Kampfes: 33554432:00:00 (80129548 Runden)"),
            {QStringLiteral("Schiffstyp \tAnzahl \tStabilität \tAS \tPanzerung"),
             QStringLiteral("Linie\t\t29998297\t20000000\t1\t0"),
             QStringLiteral("Gesamt \t\t29998297\t599965940000000\t29998297\t0"),
             QStringLiteral("Kosten in Solar: 29998297000")},
            {QStringLiteral("Schiffstyp \tAnzahl \tStabilität \tAS \tPanzerung"),
             QStringLiteral("Linie\t\t30000000\t20000000\t1\t0"),
             QStringLiteral("Gesamt \t\t30000000\t600000000000000\t30000000\t\t0"),
             QStringLiteral("Die Flotte wurd vollständig zerstört."),
             QStringLiteral("Kosten in Solar: 30000000000")})};
    return example;
}

std::pair<Fleet, Fleet> FixedTimeBattle(std::mt19937 &rng, int maxSwarm)
{
    std::vector<TestShips> swarm;
    swarm.push_back({pick(rng, 100, maxSwarm), pick(rng, 2, 40), chance(rng, 20) ? pick(rng, 1, 3) : 0,
                     pick(rng, 20, 300), 3});
    if (chance(rng, 30))
        swarm.push_back({pick(rng, 1, maxSwarm / 10), pick(rng, 0, 10), 0, pick(rng, 1, 300), 2});
    int64_t attack = 0;
    for (const TestShips &t : swarm)
        attack += int64_t(t.count) * t.as;
    const double band = chance(rng, 15) ? between(rng, 1.3, 1.5) : between(rng, 1.5, 3.0);
    const double armourShare = chance(rng, 70) ? between(rng, 0.7, 1.0) : between(rng, 0.0, 0.7);
    const double strength = double(attack) * band;
    // Per ship at most a billion of stability and armour.
    const int wallShips = std::max(pick(rng, 1, 5000), int(std::ceil(strength / 1e9)));
    const double perShip = strength / wallShips;
    std::vector<TestShips> wall;
    wall.push_back({wallShips, 0, int(perShip * armourShare),
                    std::max(1, int(perShip * (1 - armourShare))), 5});
    // Hunters that destroy one to three swarm ships a round, or carry their damage.
    for (int i = pick(rng, 1, 2); i > 0; --i) {
        const int kills = pick(rng, 0, 3);
        const int damage = kills * swarm[0].stability + pick(rng, 1, swarm[0].stability);
        wall.push_back({pick(rng, 1, 2), std::max(1, damage * 2 / 3 / (i + 1)), pick(rng, 0, 10),
                        pick(rng, 50, 500), 40});
    }
    if (chance(rng, 50))
        return {MakeFleet(wall), MakeFleet(swarm)};
    return {MakeFleet(swarm), MakeFleet(wall)};
}

} // namespace qf::test

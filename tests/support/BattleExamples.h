#pragma once
// Fleets for battle tests, and battles whose reports are known: the worked
// examples of the battle rules and two long battles, given both as fleets and
// as the fleets JSON of schiffsdesigner-cli.
#include "battle/Fleet.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <random>
#include <utility>
#include <vector>

namespace qf::test {

// Ships of one type for a test fleet.
struct TestShips {
    int count;
    int as;
    int armor;
    int stability;
    int fe = 0;              // the cost in Solar when only iron is given
    QString name = QString(); // "T" and the position in the fleet when empty
};

// The types added in order, each as "Hinzufügen" with its count would add them.
Fleet MakeFleet(const std::vector<TestShips> &types);

// The fleets JSON of `schiffsdesigner-cli battle` for the same types.
QByteArray FleetsJson(const std::vector<TestShips> &home, const std::vector<TestShips> &foreign);

// A whole report: the duration line, then the loss blocks of both fleets
// under their headers.
QStringList Report(const QString &duration, const QStringList &homeBlock, const QStringList &foreignBlock);

struct BattleExample {
    std::vector<TestShips> home;
    std::vector<TestShips> foreign;
    int64_t rounds;
    QStringList report; // the whole report

    Fleet homeFleet() const { return MakeFleet(home); }
    Fleet foreignFleet() const { return MakeFleet(foreign); }
    QByteArray json() const { return FleetsJson(home, foreign); }
};

// Ten ships (AS 40, stability 100) against five (AS 10, armour 10, stability
// 50): one round of 1.0 hours wipes out the foreign fleet.
const BattleExample &FirstWorkedExample();

// One ship with AS 10 against one unarmed ship of stability 100: the damage is
// carried for three rounds and destroys it in the fourth.
const BattleExample &CarryWorkedExample();

// 5200 armoured ships without attack and one armed ship against 19,000,000
// ships whose damage never gets through the armour. The foreign side's own time
// is just above 2.0 (its opponent's stability and armour lie between 1.5 and 3
// times its attack), so every round lasts 2.0 and destroys one foreign ship.
const BattleExample &FixedTimeSwarm();

// Two equal fleets of 30,000,000 ships (AS 1, stability 20,000,000) that grind
// each other down over 80 million rounds, most of them changing the damages.
const BattleExample &EvenAttrition();

// A random battle of a swarm of armed ships against armoured ships and a few
// hunters, with up to `maxSwarm` ships in the swarm. The swarm's own time is
// at least 2.0 only because the strength against it (stability and armour)
// lies between 1.5 and 3 times its attack: against its attack × 0.75 that
// gives more than 2.0, against its attack × 1.5 less than 2.0. Mostly its
// damage never gets through the armour, so every round lasts 2.0 and only the
// losses change; now and then the strength is a little below that band (the
// round time moves), or the swarm gets through the armour.
std::pair<Fleet, Fleet> FixedTimeBattle(std::mt19937 &rng, int maxSwarm);

} // namespace qf::test

#pragma once
// The battle between the home fleet (fleet 1) and the foreign fleet (fleet 2),
// fought in rounds with the average random factor, and its German report.
// The fleets are only read; every battle value lives in working copies.
#include "battle/Fleet.h"

#include <QStringList>
#include <array>
#include <cstdint>

namespace qf {

// The random factor of a side in one round. The simulator always uses its
// average, 0.75, for both sides.
float AverageRandom(bool useAverage);

// The working values of one side during a battle.
struct BattleSide {
    int64_t stabilityLeft = 0;
    int64_t attackLeft = 0;
    int64_t armorLeft = 0;
    int64_t carry = 0; // damage left over from the last round
    std::array<int64_t, Fleet::Capacity> lost{};
    bool noAttack = true; // the side has never had an attack
    bool wipedOut = false;

    // A side at the start of a battle: the fleet's totals, nothing lost.
    static BattleSide Start(const Fleet &fleet);
};

struct BattleOutcome {
    BattleSide home;
    BattleSide foreign;
    float battleTime = 0.0f; // hours
    int64_t rounds = 0;
    // Ended after a round that changed nothing that matters: every further
    // round would have been the same.
    bool aborted = false;
    // Stopped by the limit of rounds played one by one while both fleets still had ships.
    bool capped = false;
};

// The most rounds a battle plays one by one before it is broken off, so that
// the window never freezes for long. Stretches of rounds that repeat are taken
// as a whole and do not count, so almost every battle ends far below the limit;
// what is left are battles in which both fleets lose armed ships a few at a
// time and every loss changes the damages. A round takes 100-300 ns (the most
// with ten types against ten), so such a battle is stopped after a quarter to
// three quarters of a second on a busy machine. A battle of fewer rounds than
// the limit always ends by the rules.
constexpr int64_t kBattleRoundLimit = 2'500'000;

// One volley: the attacker fires `damage` at `target`, whose working values are
// `side`. Ships fall one at a time, round-robin over the types in fleet order,
// while the damage exceeds half the stability of the next ship. Returns the
// damage left.
int64_t FireVolley(const Fleet &target, BattleSide &side, int64_t damage);

// Fights the battle to its end, or until `roundLimit` rounds were played one by one.
// A wiped-out fleet has lost every ship, also ships without stability that were
// still listed when its stability left fell below 1.
BattleOutcome FightBattle(const Fleet &home, const Fleet &foreign,
                          int64_t roundLimit = kBattleRoundLimit);

// The battle time after `count` more rounds of `roundTime` hours each, added
// one at a time as 32-bit floats, as the battle adds them, but computed in a
// few steps whatever the count.
float AddRoundTimes(float battleTime, float roundTime, uint64_t count);

// The report lines of a fought battle.
QStringList BattleReport(const Fleet &home, const Fleet &foreign, const BattleOutcome &outcome);

// Fights the battle and appends the report to `lines` (which it does not clear).
void SimulateBattle(const Fleet &home, const Fleet &foreign, QStringList &lines);

// The separator after a ship name in a report row, by the name's length in characters.
QString NameSeparator(const QString &name);

} // namespace qf

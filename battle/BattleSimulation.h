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
};

// One volley: the attacker fires `damage` at `target`, whose working values are
// `side`. Ships fall one at a time, round-robin over the types in fleet order,
// while the damage exceeds half the stability of the next ship. Returns the
// damage left.
int64_t FireVolley(const Fleet &target, BattleSide &side, int64_t damage);

// Fights the battle to its end.
BattleOutcome FightBattle(const Fleet &home, const Fleet &foreign);

// The report lines of a fought battle.
QStringList BattleReport(const Fleet &home, const Fleet &foreign, const BattleOutcome &outcome);

// Fights the battle and appends the report to `lines` (which it does not clear).
void SimulateBattle(const Fleet &home, const Fleet &foreign, QStringList &lines);

// The separator after a ship name in a report row, by the name's length in characters.
QString NameSeparator(const QString &name);

} // namespace qf

#pragma once
// The battle between the home fleet (fleet 1) and the foreign fleet (fleet 2),
// fought in rounds with the average random factor, and its German report.
// The fleets are only read; every battle value lives in working copies.
#include "battle/engine/BattleTime.h"
#include "battle/Fleet.h"

#include <QString>
#include <QStringList>
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>

namespace qf {

class BattleCourse;

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

// How a battle came to its end.
enum class BattleEnd {
    Decided,    // a fleet was wiped out (or both)
    NoProgress, // a round changed nothing that matters: every further round would be the same
    Cancelled,  // the cancel flag was set; the values are those reached so far
    RoundLimit, // the battle had not ended after the most rounds it was allowed
};

struct BattleOutcome {
    BattleSide home;
    BattleSide foreign;
    float battleTime = 0.0f; // hours
    int64_t rounds = 0;
    BattleEnd end = BattleEnd::Decided;

    // Decided or broken off for lack of progress: the report gives the result.
    bool hasResult() const { return end == BattleEnd::Decided || end == BattleEnd::NoProgress; }
};

// Where a running battle stands.
struct BattleProgress {
    int64_t rounds = 0;
    int64_t homeShipsLeft = 0;
    int64_t foreignShipsLeft = 0;
};

// How a caller follows and stops a battle. Every few milliseconds of work
// (about every 65,536 rounds played one by one) the battle calls `progress`,
// from the thread that fights it, and then looks at the cancel flag; a battle
// over sooner never calls back. Between those points the rounds run at full
// speed.
struct BattleControl {
    const std::atomic<bool> *cancel = nullptr;
    std::function<void(const BattleProgress &)> progress;
    int64_t maxRounds = 0; // 0: no limit; else the battle stops after that many rounds
    // When given, receives the course of the battle (BattleCourse.h), up to its
    // end or its cancel; the outcome is the same with it and without.
    BattleCourse *course = nullptr;
};

// One volley: the attacker fires `damage` at `target`, whose working values are
// `side`. Ships fall one at a time, round-robin over the types in fleet order,
// while the damage exceeds half the stability of the next ship. Returns the
// damage left.
int64_t FireVolley(const Fleet &target, BattleSide &side, int64_t damage);

// Fights the battle to its end: until a fleet is wiped out, or until a round
// changes nothing that matters. A wiped-out fleet has lost every ship, also
// ships without stability that were still listed when its stability left fell
// below 1. The control may cancel the battle or limit its rounds.
BattleOutcome FightBattle(const Fleet &home, const Fleet &foreign, const BattleControl &control = {});

// The report lines of a fought battle. A cancelled battle gives CancelledReport,
// one stopped by its round limit the one line of RoundLimitMessage.
QStringList BattleReport(const Fleet &home, const Fleet &foreign, const BattleOutcome &outcome);

// What the report box says when the player cancelled a battle after `rounds` rounds.
QStringList CancelledReport(int64_t rounds);

// The message for a battle that had not ended after `rounds` rounds, its limit.
QString RoundLimitMessage(int64_t rounds);

// Fights the battle to its end and appends the report to `lines` (which it does not clear).
void SimulateBattle(const Fleet &home, const Fleet &foreign, QStringList &lines);

// The separator after a ship name in a report row, by the name's length in characters.
QString NameSeparator(const QString &name);

} // namespace qf

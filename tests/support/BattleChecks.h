#pragma once
// GoogleTest checks that the simulator's battle is the plain reference battle.
#include "ReferenceBattle.h"

#include "battle/BattleSimulation.h"

#include <ostream>

namespace qf {

// How GoogleTest shows a battle's end.
void PrintTo(BattleEnd end, std::ostream *out);

} // namespace qf

namespace qf::test {

// Every working value of the side is the reference's.
void ExpectSameSide(const BattleSide &side, const RefSide &ref);

// The outcome is the reference's: every value, the rounds, the float battle
// time, how it ended, and the report.
void ExpectSameOutcome(const Fleet &home, const Fleet &foreign, const BattleOutcome &outcome,
                       const RefOutcome &ref);

// Fights the battle and checks it against the reference. Returns false (and
// checks nothing) when the reference needs more than `maxRounds` rounds.
bool AgreesWithReference(const Fleet &home, const Fleet &foreign, int64_t maxRounds,
                         int64_t *rounds = nullptr);

} // namespace qf::test

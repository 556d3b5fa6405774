#pragma once
// The battle rules as they read, one round and one ship at a time, with no
// shortcut at all: the yardstick for the simulator's results and its speed.
#include "battle/BattleSimulation.h"
#include "battle/Fleet.h"

#include <array>
#include <cstdint>

namespace qf::test {

struct RefSide {
    int64_t stability = 0;
    int64_t attack = 0;
    int64_t armor = 0;
    int64_t carry = 0;
    std::array<int64_t, Fleet::Capacity> lost{};
    bool noAttack = true;
    bool wiped = false;
};

struct RefOutcome {
    RefSide home;
    RefSide foreign;
    float time = 0.0f;
    int64_t rounds = 0;
    bool aborted = false;  // a round changed nothing that matters
    bool finished = true;  // false when stopped after maxRounds rounds
};

RefSide RefStart(const Fleet &fleet);

// One volley of `damage` (left in it afterwards) at the target's ships.
void RefFire(const Fleet &target, RefSide &side, int64_t &damage);

// The battle, stopped unfinished after `maxRounds` rounds.
RefOutcome RefBattle(const Fleet &home, const Fleet &foreign, int64_t maxRounds);

// The same values as the simulator's outcome, to compare or to report.
BattleOutcome AsOutcome(const RefOutcome &outcome);

} // namespace qf::test

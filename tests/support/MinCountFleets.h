#pragma once
// Fleets for the tests of the smallest winning count, and the battles of a home
// entry at every count, to hold the search against.
#include "battle/BattleSimulation.h"
#include "battle/Fleet.h"

#include <cstdint>
#include <random>
#include <string>

namespace qf::test {

// The shape of random fleets: up to `maxTypes` types of up to `maxCount` ships,
// attack and stability up to `maxValue` (now and then an attack of 0), armour
// up to a third of it in `armourPercent` of the types, and in
// `lowStabilityPercent` of them a stability from `leastStability` to 3.
// The one random fleet builder of the battle tests.
struct RandomFleets {
    int maxTypes;
    int maxCount;
    int maxValue;
    int armourPercent;
    int lowStabilityPercent;
    int leastStability;
    int noStabilityPercent = 0; // types without stability (else as above)
    int maxCost = 100;          // in Solar, iron only
};

Fleet RandomFleet(std::mt19937 &rng, const RandomFleets &shape);

// Game-like fleets: up to four types of 100 to `maxCount` ships, attack up to
// 1000 (now and then 0), armour up to 300, stability 100 to 2000, costs as
// designs have.
Fleet GameLikeFleet(std::mt19937 &rng, int maxCount);

// The battle of the home fleet with `count` ships at `entry`.
BattleOutcome FightWith(Fleet home, int entry, int32_t count, const Fleet &foreign);

// One letter per count from 1 to `last`: W where the foreign fleet is wiped
// out, n where the battle is broken off for lack of progress, . where the home
// fleet is wiped out and the foreign one is not.
std::string EveryCount(const Fleet &home, int entry, const Fleet &foreign, int32_t last);

} // namespace qf::test

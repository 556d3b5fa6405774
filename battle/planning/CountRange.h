#pragma once
// The battles of one home entry at every count from `low` to `high`, fought
// together round by round. While every rule of a round decides alike for all
// of those counts, they all take the same course, so the range wins or loses
// as a whole; where a rule may decide otherwise for some count, the range is
// left open, to be split. Used by the search for the smallest count that wins.
#include "battle/Fleet.h"

#include <cstdint>

namespace qf::battle {

enum class RangeVerdict {
    Win,     // the foreign fleet is wiped out with every count of the range
    Loss,    // with none of them
    Differ,  // a rule may decide differently for some count of the range
    TooLong, // every count alike for more rounds than allowed
};

// Fights the battles of the home fleet with the entry's count set to every
// count from `low` to `high` (low < high) against the foreign fleet. Both
// counts must be ones the fleet can hold, and every per-ship value of both
// fleets must be 0 or more (as every design's are). `rounds` receives the
// rounds played.
RangeVerdict FightCountRange(const Fleet &home, const Fleet &foreign, int entry, int32_t low,
                             int32_t high, int64_t maxRounds, int64_t &rounds);

} // namespace qf::battle

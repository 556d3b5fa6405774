#pragma once
// Random test cases: a whole number from a range, and a chance in percent.
#include <random>

namespace qf::test {

inline int pick(std::mt19937 &rng, int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); }

inline bool chance(std::mt19937 &rng, int percent) { return pick(rng, 0, 99) < percent; }

} // namespace qf::test

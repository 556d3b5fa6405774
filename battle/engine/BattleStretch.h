#pragma once
// Stretches of rounds that all play alike, taken at once. After the first
// round of a step, the rounds that follow play exactly like it while its round
// time stays, each damage stays (or moves with its carry by the same amount
// every round) and the volleys destroy the same ships; those rounds are added
// in one go, with the battle time summed as the single rounds would sum it.
#include "battle/engine/BattleRound.h"

#include <array>
#include <cstdint>
#include <utility>

namespace qf::battle {

using Losses = std::array<std::array<int64_t, Fleet::Capacity>, 2>;

// How much the totals of each side fall: per round of a step, or per pass of a pattern.
struct Shift {
    std::array<int64_t, 2> attack{};
    std::array<int64_t, 2> armor{};
    std::array<int64_t, 2> stability{};

    bool isZero() const;
};

// A stretch of rounds that all play alike: the values at the start of its first
// round, what that round did, and how the values move from round to round.
struct Step {
    Step() {} // filled by BeginStep and EndFirstRound (a battle makes many of them)

    // At the start of the first round.
    std::array<int64_t, 2> attack;
    std::array<int64_t, 2> armor;
    std::array<int64_t, 2> stability;
    std::array<int64_t, 2> carry;
    std::array<float, 2> pace;
    Losses lost;

    // What the first round did.
    float t;
    std::array<float, 2> sideTime;
    std::array<int64_t, 2> effective;
    std::array<int64_t, 2> damage;
    std::array<int64_t, 2> leftover;
    std::array<bool, 2> fires;
    std::array<int64_t, 2> slope; // change of the carry per round
    Losses kills;                 // ships lost per type
    Shift perRound;
    bool anyKills;

    int64_t rounds = 1; // the first round and those taken with it
};

// Records the values at the start of the step's first round.
void BeginStep(Step &step, const BattleState &state);

// Records what the first round did, from its facts and the values after it.
void EndFirstRound(Step &step, const RoundFacts &round, const BattleState &state);

// Whether `rounds` rounds of the step, shifted by `passes` passes of a pattern
// that lowers the totals by `pass`, all play as the step's first round did.
bool PlaysAlike(const Step &step, int64_t rounds, const Shift &pass, int64_t passes);

// The largest n in [1, most] for which `passes(n)` holds, where passes(n)
// implies passes(m) for every m < n; 0 if it fails already for 1.
template <typename Check>
int64_t LargestPassing(int64_t most, const Check &passes)
{
    if (most < 1 || !passes(1))
        return 0;
    int64_t good = 1;
    int64_t bad = 0;
    while (bad == 0) {
        if (good == most)
            return good;
        const int64_t next = good > most / 2 ? most : good * 2;
        if (passes(next))
            good = next;
        else
            bad = next;
    }
    while (bad - good > 1) {
        const int64_t middle = good + (bad - good) / 2;
        if (passes(middle))
            good = middle;
        else
            bad = middle;
    }
    return good;
}

// Takes the rounds after a step's first round that play exactly like it.
class StretchFinder {
public:
    // After the step's first round: takes at once as many of the next rounds
    // (at most `allowed`) as play exactly like it, and returns how many.
    int64_t extend(Step &step, BattleState &state, int64_t allowed);

    // The checks of whole stretches made since the last call: each costs about
    // as much as two plain rounds.
    int64_t takeChecks() { return std::exchange(checks_, 0); }

private:
    int64_t checks_ = 0;
    // Where every round differs from the last (both fleets losing armed ships,
    // say), looking for a stretch fails again and again; after each failure in
    // a row the next few steps do not look (up to 64), which costs nothing but
    // a few single rounds when a stretch begins.
    int64_t skipSteps_ = 0;
    int64_t backoff_ = 1;
};

} // namespace qf::battle

#pragma once
// Stretches of rounds that all play alike, taken at once. After the first
// round of a step, the rounds that follow play exactly like it while its round
// time stays, each damage stays (or moves with its carry by the same amount
// every round) and the volleys destroy the same ships; those rounds are added
// in one go, with the battle time summed as the single rounds would sum it.
#include "battle/engine/BattleRound.h"
#include "battle/engine/LargestPassing.h"

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

// Repetitions of a round of a stretch or of a pass of a pattern, each taking
// `lost` ships per type and `shift` off the totals of each side.
//
// The most repetitions, counted from where the ships lost were `lostFrom` and
// the stabilities left `stabilityFrom`, that leave every type losing ships at
// least one ship and every side some stability: no type runs out and no
// fleet is wiped out within them. INT64_MAX where nothing bounds them.
int64_t MostRepetitions(const BattleState &state, const Losses &lostFrom,
                        const std::array<int64_t, 2> &stabilityFrom, const Losses &lost, const Shift &shift);

// Takes `n` repetitions at once: the losses and the totals of both sides
// (the carries, the time and the rounds are the caller's).
void ApplyRepetitions(BattleState &state, const Losses &lost, const Shift &shift, int64_t n);

// A stretch of rounds that all play alike: the values at the start of its first
// round, what that round did, and how the values move from round to round.
struct Step {
    // Filled by BeginStep and EndFirstRound.
    // At the start of the first round.
    std::array<int64_t, 2> attack{};
    std::array<int64_t, 2> armor{};
    std::array<int64_t, 2> stability{};
    std::array<int64_t, 2> carry{};
    std::array<float, 2> pace{};
    Losses lost{};

    // What the first round did.
    float t{};
    std::array<float, 2> sideTime{};
    std::array<int64_t, 2> effective{};
    std::array<int64_t, 2> damage{};
    std::array<int64_t, 2> leftover{};
    std::array<bool, 2> fires{};
    std::array<int64_t, 2> slope{}; // change of the carry per round
    Losses kills{};                 // ships lost per type
    Shift perRound{};
    bool anyKills{};

    int64_t rounds = 1; // the first round and those taken with it
};

// Records the values at the start of the step's first round.
void BeginStep(Step &step, const BattleState &state);

// Records what the first round did, from its facts and the values after it.
void EndFirstRound(Step &step, const RoundFacts &round, const BattleState &state);

// Whether `rounds` rounds of the step, shifted by `passes` passes of a pattern
// that lowers the totals by `pass`, all play as the step's first round did.
bool PlaysAlike(const Step &step, int64_t rounds, const Shift &pass, int64_t passes);

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

#pragma once
// Repeating patterns of steps, taken at once. When the carries and the types
// with ships left are back where they were some steps ago, those steps may
// repeat: a hunter that needs four rounds for every freighter, say. As many
// repetitions as play exactly alike are added in one go.
#include "battle/engine/BattleStretch.h"

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace qf::battle {

// What a pattern of steps must start from to repeat: the carries and which types have ships left.
struct PatternKey {
    std::array<int64_t, 2> carry{};
    std::array<uint32_t, 2> alive{};

    bool operator==(const PatternKey &other) const
    {
        return carry == other.carry && alive == other.alive;
    }
};

// The step at which each key was last seen, in a small open-addressing table
// that is emptied at once by starting a new generation.
class SeenKeys {
public:
    // The step last seen with the key, or -1.
    int64_t find(const PatternKey &key) const;
    void remember(const PatternKey &key, size_t step);
    void clear() { ++generation_; }

    // More slots than steps are ever kept, so the table never fills.
    static constexpr size_t kSlots = 4096;

private:
    struct Slot {
        PatternKey key;
        size_t step = 0;
        uint64_t generation = 0;
    };
    static size_t hash(const PatternKey &key);

    std::vector<Slot> slots_;
    uint64_t generation_ = 1;
};

// The steps of the last while and the keys they started from.
class PatternFinder {
public:
    // The most steps a pattern may have, and the most kept.
    static constexpr size_t kLongestPattern = 512;
    static constexpr size_t kHistoryLength = 2048;
    static_assert(kHistoryLength < SeenKeys::kSlots, "the table of keys never fills");

    // At a step boundary: if the battle is back at a key seen some steps ago,
    // tries to take repetitions of those steps at once (at most `allowed`
    // rounds). Returns the rounds taken.
    int64_t lookFor(BattleState &state, int64_t allowed);

    // A new step at the end of the history.
    Step &addStep()
    {
        if (history_.capacity() == 0)
            history_.reserve(kHistoryLength); // kept without copying until forgotten
        return history_.emplace_back();
    }
    // Drops the last step (a round that ended the battle).
    void dropStep() { history_.pop_back(); }
    // Forgets every step: the next ones do not follow on from them.
    void forget();

    // The checks of single steps made since the last call, as for stretches.
    int64_t takeChecks() { return std::exchange(checks_, 0); }

private:
    int64_t jump(size_t first, BattleState &state, int64_t allowed);

    std::vector<Step> history_;
    SeenKeys seen_;
    size_t nextAttempt_ = 0;
    size_t backoff_ = 1;
    int64_t checks_ = 0;
};

} // namespace qf::battle

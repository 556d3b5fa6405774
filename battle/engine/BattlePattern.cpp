#include "battle/engine/BattlePattern.h"

#include <algorithm>

namespace qf::battle {

int64_t SeenKeys::find(const PatternKey &key) const
{
    if (slots_.empty())
        return -1;
    for (size_t i = hash(key);; i = (i + 1) & (kSlots - 1)) {
        const Slot &slot = slots_[i];
        if (slot.generation != generation_)
            return -1;
        if (slot.key == key)
            return int64_t(slot.step);
    }
}

void SeenKeys::remember(const PatternKey &key, size_t step)
{
    if (slots_.empty())
        slots_.resize(kSlots); // only battles of more than a few steps come here
    for (size_t i = hash(key);; i = (i + 1) & (kSlots - 1)) {
        Slot &slot = slots_[i];
        if (slot.generation != generation_ || slot.key == key) {
            slot.generation = generation_;
            slot.key = key;
            slot.step = step;
            return;
        }
    }
}

size_t SeenKeys::hash(const PatternKey &key)
{
    uint64_t h = uint64_t(key.carry[0]) * 0x9E3779B97F4A7C15ull;
    h ^= uint64_t(key.carry[1]) + 0x7F4A7C159E3779B9ull + (h << 6) + (h >> 2);
    h ^= ((uint64_t(key.alive[0]) << 32) | key.alive[1]) * 0xC2B2AE3D27D4EB4Full;
    h ^= h >> 29;
    return size_t(h) & (kSlots - 1);
}

void PatternFinder::forget()
{
    history_.clear();
    seen_.clear();
    nextAttempt_ = 0;
}

int64_t PatternFinder::lookFor(BattleState &state, int64_t allowed)
{
    PatternKey key;
    for (Side side : kBothSides) {
        const size_t x = Index(side);
        key.carry[x] = state.of(side).carry;
        key.alive[x] = TypesAlive(state.fleetOf(side), state.of(side));
    }
    int64_t taken = 0;
    const int64_t found = seen_.find(key);
    if (found >= 0) {
        const size_t first = size_t(found);
        const size_t now = history_.size();
        if (first < now && now >= nextAttempt_ && now - first <= kLongestPattern) {
            taken = jump(first, state, allowed);
            if (taken > 0) {
                forget();
                backoff_ = 1;
            } else {
                // Not again before the pattern has passed a few more times.
                nextAttempt_ = now + (now - first) * backoff_;
                backoff_ = std::min<size_t>(backoff_ * 2, 64);
            }
        }
    }
    if (history_.size() >= kHistoryLength)
        forget();
    seen_.remember(key, history_.size());
    return taken;
}

// The steps from `first` to the last one form one pass of the pattern: the
// battle is back at the key they started from. Every total falls by as much in
// each pass; as many passes are taken as keep every type with ships and every
// step playing as it did.
int64_t PatternFinder::jump(size_t first, BattleState &state, int64_t allowed)
{
    const Step &start = history_[first];
    Shift pass;
    Losses lostPass{};
    bool anyLoss = false;
    for (Side side : kBothSides) {
        const size_t x = Index(side);
        const BattleSide &s = state.of(side);
        pass.attack[x] = start.attack[x] - s.attackLeft;
        pass.armor[x] = start.armor[x] - s.armorLeft;
        pass.stability[x] = start.stability[x] - s.stabilityLeft;
        for (size_t i = 0; i < size_t(Fleet::Capacity); ++i) {
            lostPass[x][i] = s.lost[i] - start.lost[x][i];
            anyLoss = anyLoss || lostPass[x][i] > 0;
        }
    }
    if (!anyLoss)
        return 0;
    int64_t roundsPerPass = 0;
    for (size_t m = first; m < history_.size(); ++m)
        roundsPerPass += history_[m].rounds;
    // Counted from now: the battle has just played one pass.
    std::array<int64_t, 2> stability{};
    Losses lost{};
    for (Side side : kBothSides) {
        const size_t x = Index(side);
        stability[x] = state.of(side).stabilityLeft;
        lost[x] = state.of(side).lost;
    }
    const int64_t most = std::min(allowed / roundsPerPass, MostRepetitions(state, lost, stability, lostPass, pass));
    const int64_t passes = LargestPassing(most, [&](int64_t n) {
        for (size_t m = first; m < history_.size(); ++m) {
            ++checks_;
            if (!PlaysAlike(history_[m], history_[m].rounds, pass, n))
                return false;
        }
        return true;
    });
    if (passes < 1)
        return 0;

    ApplyRepetitions(state, lostPass, pass, passes);
    state.battleTime = RepeatAdditions(state.battleTime, uint64_t(passes), [&](float battleTime) {
        for (size_t m = first; m < history_.size(); ++m)
            battleTime = AddRoundTimes(battleTime, history_[m].t, uint64_t(history_[m].rounds));
        return battleTime;
    });
    state.rounds += passes * roundsPerPass;
    return passes * roundsPerPass;
}

} // namespace qf::battle

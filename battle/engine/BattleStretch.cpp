#include "battle/engine/BattleStretch.h"

#include <algorithm>
#include <cmath>

namespace qf::battle {

namespace {

constexpr int64_t kUnbounded = kInt64Max;
// Carries and damages of stretches taken as a whole stay far inside 64 bits.
constexpr int64_t kLinearLimit = int64_t(1) << 62;
constexpr wide kFarBelow = -(wide(1) << 100);
constexpr wide kFarAbove = wide(1) << 100;

// ---------------------------------------------------------------------------
// Whether the rounds play alike.

// The lowest time side x can need over rounds in which its attack never rises
// and the opponent's stability and armour together never fall below
// `lowestStrength`. Its time is 2.0 while that strength is at least twice its
// pace, and else the strength divided by its effective attack, which is least
// for the least strength and the largest effective attack, the first round's.
float lowestSideTime(const Step &step, Side side, wide lowestStrength)
{
    const size_t x = Index(side);
    const ext s = static_cast<ext>(lowestStrength);
    return std::min(kRoundCap, SideTime(step.effective[x], step.pace[x], s));
}

// The round time stays the first round's when it comes from what does not move
// (the cap 2.0, and the time of a side whose attack and whose opponent's
// stability and armour stay), and the time of every side whose values move
// never falls below it.
bool roundTimeStays(const Step &step, const std::array<bool, 2> &moves,
                    const std::array<wide, 2> &lowestStrength)
{
    float fixed = kRoundCap;
    for (Side side : kBothSides) {
        const size_t x = Index(side);
        if (!moves[x])
            fixed = std::min(fixed, step.sideTime[x]);
    }
    if (fixed != step.t)
        return false;
    for (Side side : kBothSides) {
        const size_t x = Index(side);
        if (moves[x] && lowestSideTime(step, side, lowestStrength[x]) < step.t)
            return false;
    }
    return true;
}

// Side x's damage stays the first round's (or, where its attack and the
// opponent's armour stay, moves only with its carry). Where they move, the
// carry must stand still and the damage be the same at both extremes: the
// highest attack against the lowest armour and the other way round (the
// damage rises with the attack and falls with the armour).
bool damageStays(const Step &step, Side side, wide attackLow, wide armorLow)
{
    const size_t x = Index(side);
    const size_t y = Index(Opponent(side));
    if (attackLow == step.attack[x] && armorLow == step.armor[y])
        return true;
    if (step.slope[x] != 0)
        return false;
    // The foreign side fires while its effective attack is at least 1.
    if (side == Side::Foreign && step.effective[x] >= 1 && EffectiveAttack(int64_t(attackLow)) < 1)
        return false;
    const int64_t high = Damage(Strike(side, step.attack[x], step.t), step.carry[x], int64_t(armorLow));
    if (step.damage[x] <= 0)
        return high <= 0;
    const int64_t low = Damage(Strike(side, int64_t(attackLow), step.t), step.carry[x], step.armor[y]);
    return low == step.damage[x] && high == step.damage[x];
}

// ---------------------------------------------------------------------------
// The limits of a stretch, each as the most rounds it may have, the first included.

bool aTypeRanOut(const Step &step, const BattleState &state)
{
    for (Side side : kBothSides) {
        const size_t x = Index(side);
        const Fleet &fleet = state.fleetOf(side);
        for (int i = 0; i <= fleet.LastIndex; ++i) {
            const int64_t count = fleet.Classes[size_t(i)].Count;
            if (step.lost[x][size_t(i)] < count && state.of(side).lost[size_t(i)] >= count)
                return true;
        }
    }
    return false;
}

// The largest carry c for which strike + c is exact in extended precision, so
// that the damage grows by exactly one for every one of carry; -1 if none.
// The sum is exact while it is a multiple of the lowest bit of the strike (or
// of 1) below 2^64 of those bits.
int64_t exactCarryLimit(ext strikeValue)
{
    if (!(strikeValue >= 0) || !std::isfinite(strikeValue))
        return -1;
    int lowest = 0;
    if (strikeValue != 0) {
        int e = 0;
        const ext mantissa = std::frexp(strikeValue, &e);
        const uint64_t bits = static_cast<uint64_t>(std::ldexp(mantissa, 64));
        lowest = std::min(e - 64 + __builtin_ctzll(bits), 0);
    }
    const ext room = std::ldexp(static_cast<ext>(1), 64 + lowest) - strikeValue;
    if (room <= 2)
        return -1;
    if (room > static_cast<ext>(kLinearLimit))
        return kLinearLimit;
    return static_cast<int64_t>(room) - 2;
}

// The damages of one volley that destroy exactly `kills` ships, while no type of
// the target runs out. The volley goes round the types with ships left, and a
// larger damage destroys the same ships and perhaps more, so they form a range.
struct KillRange {
    wide low = kFarBelow;
    wide high = kFarAbove;
};

bool killRange(const Fleet &target, const std::array<int64_t, Fleet::Capacity> &lost,
               int64_t kills, KillRange &range)
{
    std::array<int64_t, Fleet::Capacity> stability{};
    std::array<wide, Fleet::Capacity + 1> before{}; // stability of the types before position n
    int n = 0;
    for (int i = 0; i <= target.LastIndex; ++i) {
        if (lost[size_t(i)] < target.Classes[size_t(i)].Count) {
            stability[size_t(n)] = target.Classes[size_t(i)].Stability;
            before[size_t(n) + 1] = before[size_t(n)] + stability[size_t(n)];
            ++n;
        }
    }
    const wide pass = before[size_t(n)];
    if (n == 0 || pass < 1)
        return false;
    // Stability of the first l ships in the volley's order, and half the stability of the l-th.
    const auto reach = [&](wide l) { return (l / n) * pass + before[size_t(l % n)]; };
    const auto half = [&](wide l) { return wide(stability[size_t((l - 1) % n)] / 2); };
    range.high = reach(kills) + half(wide(kills) + 1);
    range.low = kills == 0 ? kFarBelow : reach(wide(kills) - 1) + half(kills) + 1;
    return true;
}

// The most rounds in which side x's carry moves by its slope every round and
// its volley destroys the same ships: its damage grows (or shrinks) by the
// slope each round, exactly, until it leaves the range of damages that destroy
// as many ships, or its leftover would turn negative. 0 where the carry cannot
// move alike (its attack or the opponent's armour move as well).
int64_t linearCarryLimit(const Step &step, const BattleState &state, Side side)
{
    const size_t x = Index(side);
    const size_t y = Index(Opponent(side));
    const int64_t slope = step.slope[x];
    if (slope == 0)
        return kUnbounded;
    if (step.perRound.attack[x] != 0 || step.perRound.armor[y] != 0)
        return 0;
    if (step.leftover[x] < 0)
        return 0; // the carry fell to 0 from a carry above 0: the next round differs
    KillRange range;
    if (step.fires[x]) {
        int64_t kills = 0;
        for (int64_t k : step.kills[y])
            kills += k;
        if (!killRange(*state.fleet[y], step.lost[y], kills, range))
            return 0;
    } else if (side == Side::Home) {
        return 0; // a home side that does not fire has no carry left
    }
    const int64_t exactUpTo = exactCarryLimit(Strike(side, step.attack[x], step.t));
    const int64_t d0 = step.damage[x];
    const int64_t c0 = step.carry[x];
    if (c0 > exactUpTo || d0 > kLinearLimit)
        return 0;
    wide last = 0; // the last round, counted from 0, that still plays alike
    if (slope > 0) {
        last = std::min({(range.high - d0) / slope, wide(exactUpTo - c0) / slope,
                         wide(kLinearLimit - d0) / slope});
    } else {
        last = std::min((wide(d0) - range.low) / -slope, wide(step.leftover[x]) / -slope);
    }
    if (last < 1)
        return 0;
    return int64_t(std::min<wide>(kUnbounded, last + 1));
}

// In rounds that destroy nothing, the battle is broken off after the first
// round that leaves both carries at 0. The carry of side x after round j
// (counted from 0) is carry[x] + (j+1)·slope[x]; the stretch ends before that
// round, so that it is played by itself.
int64_t standstillLimit(const Step &step)
{
    if (step.anyKills)
        return kUnbounded;
    constexpr int64_t every = -1;
    std::array<int64_t, 2> at{};
    for (Side side : kBothSides) {
        const size_t x = Index(side);
        if (step.slope[x] == 0) {
            if (step.carry[x] != 0)
                return kUnbounded;
            at[x] = every;
            continue;
        }
        if (step.carry[x] % step.slope[x] != 0)
            return kUnbounded;
        at[x] = -step.carry[x] / step.slope[x];
        if (at[x] < 2)
            return kUnbounded;
    }
    int64_t after = 0;
    if (at[0] == every)
        after = at[1];
    else if (at[1] == every || at[0] == at[1])
        after = at[0];
    else
        return kUnbounded;
    return after == every ? 1 : after - 1;
}

void applyStretch(const Step &step, BattleState &state, int64_t extra)
{
    ApplyRepetitions(state, step.kills, step.perRound, extra);
    for (Side side : kBothSides) {
        const size_t x = Index(side);
        state.of(side).carry = step.carry[x] + (extra + 1) * step.slope[x];
    }
    state.battleTime = AddRoundTimes(state.battleTime, step.t, uint64_t(extra));
    state.rounds += extra;
}

} // namespace

int64_t MostRepetitions(const BattleState &state, const Losses &lostFrom,
                        const std::array<int64_t, 2> &stabilityFrom, const Losses &lost, const Shift &shift)
{
    int64_t most = kUnbounded;
    for (Side side : kBothSides) {
        const size_t x = Index(side);
        const Fleet &fleet = state.fleetOf(side);
        for (int i = 0; i <= fleet.LastIndex; ++i) {
            const int64_t k = lost[x][size_t(i)];
            if (k > 0)
                most = std::min(most, (fleet.Classes[size_t(i)].Count - lostFrom[x][size_t(i)] - 1) / k);
        }
        if (shift.stability[x] > 0)
            most = std::min(most, (stabilityFrom[x] - 1) / shift.stability[x]);
    }
    return most;
}

void ApplyRepetitions(BattleState &state, const Losses &lost, const Shift &shift, int64_t n)
{
    for (Side side : kBothSides) {
        const size_t x = Index(side);
        BattleSide &s = state.of(side);
        for (size_t i = 0; i < size_t(Fleet::Capacity); ++i)
            s.lost[i] += n * lost[x][i];
        s.attackLeft -= n * shift.attack[x];
        s.armorLeft -= n * shift.armor[x];
        s.stabilityLeft -= n * shift.stability[x];
    }
}

bool Shift::isZero() const
{
    const std::array<int64_t, 2> none{};
    return attack == none && armor == none && stability == none;
}

void BeginStep(Step &step, const BattleState &state)
{
    for (Side side : kBothSides) {
        const size_t x = Index(side);
        const BattleSide &s = state.of(side);
        step.attack[x] = s.attackLeft;
        step.armor[x] = s.armorLeft;
        step.stability[x] = s.stabilityLeft;
        step.carry[x] = s.carry;
        step.pace[x] = Pace(s.attackLeft);
        step.lost[x] = s.lost;
    }
    step.rounds = 1;
}

void EndFirstRound(Step &step, const RoundFacts &r, const BattleState &state)
{
    step.t = r.t;
    step.sideTime = r.sideTime;
    step.effective = r.effective;
    step.damage = r.damage;
    step.leftover = r.leftover;
    step.fires = r.fires;
    step.perRound = Shift();
    step.anyKills = r.shipsLost[Index(Side::Home)] != 0 || r.shipsLost[Index(Side::Foreign)] != 0;
    for (Side side : kBothSides) {
        const size_t x = Index(side);
        const BattleSide &s = state.of(side);
        step.slope[x] = s.carry - step.carry[x];
        const Fleet &fleet = state.fleetOf(side);
        for (size_t i = 0; i < size_t(Fleet::Capacity); ++i) {
            const int64_t k = s.lost[i] - step.lost[x][i];
            step.kills[x][i] = k;
            if (k == 0)
                continue;
            const Fleet::ShipClass &entry = fleet.Classes[i];
            step.perRound.attack[x] += k * entry.AS;
            step.perRound.armor[x] += k * entry.Armor;
            step.perRound.stability[x] += k * entry.Stability;
        }
    }
}

// The values move in one direction only and every rule is monotone in them,
// so the values of the step's first round and those after the last round and
// pass decide.
bool PlaysAlike(const Step &step, int64_t rounds, const Shift &pass, int64_t passes)
{
    const wide inner = wide(rounds) - 1;
    const auto lowest = [&](int64_t start, int64_t perRound, int64_t perPass) {
        return wide(start) - inner * perRound - wide(passes) * perPass;
    };
    std::array<wide, 2> attackLow{};
    std::array<wide, 2> armorLow{};
    std::array<wide, 2> stabilityLow{};
    for (Side side : kBothSides) {
        const size_t x = Index(side);
        attackLow[x] = lowest(step.attack[x], step.perRound.attack[x], pass.attack[x]);
        armorLow[x] = lowest(step.armor[x], step.perRound.armor[x], pass.armor[x]);
        stabilityLow[x] = lowest(step.stability[x], step.perRound.stability[x], pass.stability[x]);
    }
    std::array<bool, 2> moves{};
    std::array<wide, 2> lowestStrength{};
    for (Side side : kBothSides) {
        const size_t x = Index(side);
        const size_t y = Index(Opponent(side));
        moves[x] = attackLow[x] != step.attack[x] || armorLow[y] != step.armor[y]
                   || stabilityLow[y] != step.stability[y];
        lowestStrength[x] = stabilityLow[y] + armorLow[y];
    }
    if (!roundTimeStays(step, moves, lowestStrength))
        return false;
    for (Side side : kBothSides) {
        const size_t x = Index(side);
        if (!damageStays(step, side, attackLow[x], armorLow[Index(Opponent(side))]))
            return false;
    }
    return true;
}

int64_t StretchFinder::extend(Step &step, BattleState &state, int64_t allowed)
{
    if (state.over())
        return 0;
    if (skipSteps_ > 0) {
        --skipSteps_;
        return 0;
    }
    if (aTypeRanOut(step, state))
        return 0; // the next round differs

    int64_t longest = std::min(linearCarryLimit(step, state, Side::Home),
                               linearCarryLimit(step, state, Side::Foreign));
    // The rounds counted from the start of the first: the values recorded then.
    const int64_t shipsLeft = MostRepetitions(state, step.lost, step.stability, step.kills, step.perRound);
    longest = std::min({longest, standstillLimit(step), shipsLeft});
    longest = std::min(longest, allowed < kUnbounded ? allowed + 1 : kUnbounded);
    if (longest <= 1)
        return 0;

    // Where no total moves, every round plays alike; else the time and the
    // damages must be checked.
    const Shift none;
    const int64_t rounds = step.perRound.isZero()
                               ? longest
                               : LargestPassing(longest, [&](int64_t n) {
                                     ++checks_;
                                     return n == 1 || PlaysAlike(step, n, none, 0);
                                 });
    if (rounds <= 1) {
        // Only a failed look at the rounds counts, not a stretch that is cut
        // short by the carries or the ships left.
        skipSteps_ = backoff_;
        backoff_ = std::min<int64_t>(backoff_ * 2, 64);
        return 0;
    }
    backoff_ = 1;
    applyStretch(step, state, rounds - 1);
    step.rounds = rounds;
    return rounds - 1;
}

} // namespace qf::battle

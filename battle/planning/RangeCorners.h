#pragma once
// The two corner states that bound one side in the battles of a range of
// counts fought together (see CountRange.cpp for why they do), and a volley
// fired at both corners.
#include "battle/engine/BattleRound.h"
#include "battle/BattleSimulation.h"
#include "battle/Fleet.h"
#include "model/Numeric.h"

#include <algorithm>
#include <cstdint>

namespace qf::battle {

// A value in every battle lies within these.
struct Bounds {
    int64_t lo = 0;
    int64_t hi = 0;

    bool point() const { return lo == hi; }
};

// A side without any ship left: below every state of its fleet in a battle.
BattleSide noShipsLeft(const Fleet &fleet);

// The states of one side in the battles of the range: in every battle the
// ships left of each type lie between those of the weak and the strong corner.
struct Corners {
    const Fleet *weakFleet;
    const Fleet *strongFleet;
    BattleSide weak;
    BattleSide strong;

    static int64_t left(const Fleet &fleet, const BattleSide &side, int i)
    {
        return fleet.Classes[size_t(i)].Count - side.lost[size_t(i)];
    }
    int types() const { return strongFleet->LastIndex + 1; }
    // The type has ships left in some battle.
    bool alive(int i) const { return left(*strongFleet, strong, i) > 0; }
    // Every battle has the same ships left.
    bool exact() const
    {
        for (int i = 0; i < types(); ++i) {
            if (left(*weakFleet, weak, i) != left(*strongFleet, strong, i))
                return false;
        }
        return true;
    }
    int64_t stability(int i) const { return strongFleet->Classes[size_t(i)].Stability; }
    // The smallest ceil(s / 2) over the positive stabilities s of types with
    // ships in some battle; kInt64Max if there is none.
    int64_t leastHalfUp() const
    {
        int64_t least = kInt64Max;
        for (int i = 0; i < types(); ++i) {
            if (alive(i) && stability(i) > 0)
                least = std::min<int64_t>(least, stability(i) - stability(i) / 2);
        }
        return least;
    }
    // The smallest and largest half stability of types with ships in some battle.
    int64_t leastHalf() const
    {
        int64_t least = kInt64Max;
        for (int i = 0; i < types(); ++i) {
            if (alive(i))
                least = std::min<int64_t>(least, stability(i) / 2);
        }
        return least;
    }
    int64_t largestHalf() const
    {
        int64_t largest = 0;
        for (int i = 0; i < types(); ++i) {
            if (alive(i))
                largest = std::max<int64_t>(largest, stability(i) / 2);
        }
        return largest;
    }
};

// A volley at one side's corners: the weak corner takes the largest damage,
// the strong one the least.
struct CornerVolleys {
    BattleSide weak;
    BattleSide strong;
    int64_t leftWeak = 0;   // damage left after the volleys (as fired; 0 where no volley)
    int64_t leftStrong = 0;
    bool sameCourse = false; // every battle's volley meets the same ships and destroys the same
    bool lossesEverywhere = false; // every battle loses a ship in this volley
    bool lossesNowhere = false;    // no battle does
};

// Fires at the corners. A volley is fired where `firesAt(damage)`.
template <typename Fires>
CornerVolleys fireAtCorners(const Corners &c, const Bounds &damage, const Fires &firesAt)
{
    CornerVolleys v{c.weak, c.strong};
    if (firesAt(damage.hi))
        v.leftWeak = FireVolley(*c.weakFleet, v.weak, damage.hi);
    if (firesAt(damage.lo))
        v.leftStrong = FireVolley(*c.strongFleet, v.strong, damage.lo);
    const bool weakLost = v.weak.lost != c.weak.lost;
    // Where the weak corner keeps ships of every type whose ships left differ
    // between the battles, all battles meet the same ships in the same order.
    bool sameShips = true;
    for (int i = 0; i < c.types(); ++i) {
        if (Corners::left(*c.weakFleet, c.weak, i) != Corners::left(*c.strongFleet, c.strong, i)
            && Corners::left(*c.weakFleet, v.weak, i) < 1)
            sameShips = false;
    }
    bool sameLosses = true;
    for (size_t i = 0; i < size_t(Fleet::Capacity); ++i) {
        if (v.weak.lost[i] - c.weak.lost[i] != v.strong.lost[i] - c.strong.lost[i])
            sameLosses = false;
    }
    v.sameCourse = sameShips && sameLosses && firesAt(damage.lo) == firesAt(damage.hi);
    if (v.sameCourse) {
        v.lossesEverywhere = weakLost;
        v.lossesNowhere = !weakLost;
    } else {
        // A volley destroys nothing if its damage does not exceed half the
        // stability of the first ship it meets, and something if it does.
        v.lossesNowhere = !firesAt(damage.hi) || damage.hi <= c.leastHalf();
        v.lossesEverywhere = firesAt(damage.lo) && damage.lo > c.largestHalf();
    }
    return v;
}

// The carries after a volley at a side's corners, for every battle.
Bounds carriesAfter(const Corners &c, const CornerVolleys &v, const Bounds &damage);

} // namespace qf::battle

#include "battle/planning/RangeCorners.h"

namespace qf::battle {

BattleSide noShipsLeft(const Fleet &fleet)
{
    BattleSide side;
    for (int i = 0; i <= fleet.LastIndex; ++i)
        side.lost[size_t(i)] = fleet.Classes[size_t(i)].Count;
    side.noAttack = false;
    side.wipedOut = true;
    return side;
}

Bounds carriesAfter(const Corners &c, const CornerVolleys &v, const Bounds &damage)
{
    if (v.sameCourse)
        return {std::max<int64_t>(v.leftStrong, 0), std::max<int64_t>(v.leftWeak, 0)};
    // A volley that does not wipe its target out stops at a ship its damage
    // does not exceed half the stability of, or with its damage spent.
    return {0, std::min(c.largestHalf(), std::max<int64_t>(damage.hi, 0))};
}

} // namespace qf::battle

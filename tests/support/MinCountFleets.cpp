#include "MinCountFleets.h"
#include "RandomCases.h"

#include <algorithm>

namespace qf::test {

namespace {

} // namespace

Fleet RandomFleet(std::mt19937 &rng, const RandomFleets &shape)
{
    Fleet fleet;
    const int types = pick(rng, 1, shape.maxTypes);
    for (int i = 0; i < types; ++i) {
        const int count = pick(rng, 1, shape.maxCount);
        const int as = chance(rng, 10) ? 0 : pick(rng, 0, shape.maxValue);
        const int armor = chance(rng, shape.armourPercent) ? pick(rng, 0, shape.maxValue) / 3 : 0;
        const int stability = shape.noStabilityPercent > 0 && chance(rng, shape.noStabilityPercent) ? 0
                              : chance(rng, shape.lowStabilityPercent)
                                  ? pick(rng, shape.leastStability, 3)
                                  : pick(rng, std::max(1, shape.leastStability), shape.maxValue);
        fleet.AddShips(count, as, armor, stability, QStringLiteral("T%1").arg(i), pick(rng, 0, shape.maxCost), 0, 0);
    }
    return fleet;
}

Fleet GameLikeFleet(std::mt19937 &rng, int maxCount)
{
    Fleet fleet;
    const int types = pick(rng, 1, 4);
    for (int i = 0; i < types; ++i) {
        const int count = pick(rng, 100, maxCount);
        const int as = chance(rng, 10) ? 0 : pick(rng, 0, 1000);
        fleet.AddShips(count, as, pick(rng, 0, 300), pick(rng, 100, 2000), QStringLiteral("Typ %1").arg(i),
                       pick(rng, 100, 1000), pick(rng, 0, 500), pick(rng, 0, 300));
    }
    return fleet;
}

BattleOutcome FightWith(Fleet home, int entry, int32_t count, const Fleet &foreign)
{
    if (home.SetCount(entry, count) != FleetEdit::Done)
        return BattleOutcome();
    return FightBattle(home, foreign);
}

std::string EveryCount(const Fleet &home, int entry, const Fleet &foreign, int32_t last)
{
    std::string letters;
    Fleet working = home;
    for (int32_t count = 1; count <= last; ++count) {
        working.SetCount(entry, count);
        const BattleOutcome o = FightBattle(working, foreign);
        letters += o.foreign.wipedOut ? 'W' : o.end == BattleEnd::NoProgress ? 'n' : '.';
    }
    return letters;
}

} // namespace qf::test

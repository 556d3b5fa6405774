// Battles of tens of millions of rounds, each checked against the plain
// reference battle round by round. The reference needs seconds for each, so
// these run in the normal build only (ctest label "slow").
#include "battle/BattleSimulation.h"
#include "battle/Fleet.h"
#include "support/BattleChecks.h"
#include "support/BattleExamples.h"
#include "support/ReferenceBattle.h"

#include <gtest/gtest.h>
#include <random>
#include <vector>

using namespace qf;
using qf::test::ExpectSameOutcome;
using qf::test::RefBattle;
using qf::test::RefOutcome;

namespace {

constexpr int64_t kNoLimit = int64_t(1) << 62;

// Fights the battle, counting how often it checks in with its caller: a
// battle played round by round checks in after every 65,536 rounds.
BattleOutcome fightCountingCheckIns(const Fleet &home, const Fleet &foreign, int &checkIns)
{
    checkIns = 0;
    BattleControl control;
    control.progress = [&checkIns](const BattleProgress &) { ++checkIns; };
    return FightBattle(home, foreign, control);
}

} // namespace

TEST(LongBattles, TheLongExamplesAreTheReferencesBattles)
{
    // The swarm: 19,000,000 rounds in one stretch, never checking in. Even
    // attrition: 80 million rounds, the first tens of millions one by one, as
    // every loss changes the damages; later the damage is carried over several
    // rounds.
    for (const auto &[example, fewestCheckIns, mostCheckIns] :
         {std::tuple{&test::FixedTimeSwarm(), 0, 0}, std::tuple{&test::EvenAttrition(), 101, 1 << 30}}) {
        const Fleet home = example->homeFleet();
        const Fleet foreign = example->foreignFleet();
        const RefOutcome r = RefBattle(home, foreign, kNoLimit);
        EXPECT_EQ(r.rounds, example->rounds);
        EXPECT_EQ(BattleReport(home, foreign, test::AsOutcome(r)), example->report);
        int checkIns = 0;
        ExpectSameOutcome(home, foreign, fightCountingCheckIns(home, foreign, checkIns), r);
        EXPECT_GE(checkIns, fewestCheckIns);
        EXPECT_LE(checkIns, mostCheckIns);
    }
}

TEST(LongBattles, RandomSwarmsHeldAtTheFixedTimeAreTakenAtOnce)
{
    // Swarms of millions of ships: tens of millions of rounds, nearly all taken
    // in stretches, so the battle hardly ever checks in.
    std::mt19937 rng(16);
    int64_t rounds = 0;
    int longBattles = 0;
    for (int trial = 0; trial < 12; ++trial) {
        SCOPED_TRACE(trial);
        const auto [home, foreign] = test::FixedTimeBattle(rng, 30000000);
        const RefOutcome r = RefBattle(home, foreign, kNoLimit);
        int checkIns = 0;
        ExpectSameOutcome(home, foreign, fightCountingCheckIns(home, foreign, checkIns), r);
        EXPECT_LE(checkIns, r.rounds / 65536 / 20) << r.rounds;
        rounds += r.rounds;
        longBattles += r.rounds > 4000000;
        if (HasFailure())
            return;
    }
    EXPECT_GT(rounds, 25000000);
    EXPECT_GE(longBattles, 4);
}

TEST(LongBattles, TenTypesGrindingEachOtherDownAreTheReferencesBattle)
{
    // Millions of armed ships of ten types on each side, every round different.
    std::vector<test::TestShips> home;
    std::vector<test::TestShips> foreign;
    for (int i = 0; i < Fleet::Capacity; ++i) {
        home.push_back({1000000, 1, i % 3 == 0, 5000000 + 1000 * i, 10});
        foreign.push_back({1000000, 1, (i + 1) % 3 == 0, 5000000 + 1700 * i, 10});
    }
    const RefOutcome r = RefBattle(test::MakeFleet(home), test::MakeFleet(foreign), kNoLimit);
    EXPECT_GT(r.rounds, 5000000);
    const Fleet h = test::MakeFleet(home);
    const Fleet f = test::MakeFleet(foreign);
    ExpectSameOutcome(h, f, FightBattle(h, f), r);
}

// The smallest winning count of game-like fleets against the battle of every
// count up to it: hundreds of thousands of battles, seconds in the normal
// build (ctest label "slow").
#include "battle/planning/MinCount.h"

#include "battle/BattleSimulation.h"
#include "battle/Fleet.h"
#include "support/MinCountFleets.h"

#include <gtest/gtest.h>
#include <random>
#include <string>

using namespace qf;

TEST(MinCountExhaustive, GameLikeFleetsAgreeWithEveryCount)
{
    // A few types per side, up to 30,000 ships each, values as designs have;
    // the counts needed reach several hundred thousand.
    constexpr int32_t kLast = 400000;
    std::mt19937 rng(8122026);
    int found = 0;
    for (int n = 0; n < 30; ++n) {
        const Fleet home = qf::test::GameLikeFleet(rng, 30000);
        const Fleet foreign = qf::test::GameLikeFleet(rng, 30000);
        const int entry = std::uniform_int_distribution<int>(0, home.LastIndex)(rng);
        const MinCountResult r = FindMinCount(home, foreign, entry);
        Fleet working = home;
        int32_t first = 0;
        for (int32_t count = 1; count <= kLast && first == 0; ++count) {
            working.SetCount(entry, count);
            if (FightBattle(working, foreign).foreign.wipedOut)
                first = count;
        }
        if (first > 0) {
            ++found;
            ASSERT_EQ(r.end, MinCountEnd::Found) << n;
            EXPECT_EQ(r.count, first) << n;
        } else if (r.end == MinCountEnd::Found) {
            EXPECT_GT(r.count, kLast) << n;
        }
    }
    EXPECT_GE(found, 25);
}

TEST(MinCountExhaustive, RandomFleetsAgreeOverTwoThousandCounts)
{
    const qf::test::RandomFleets shapes[] = {
        {3, 20, 100, 50, 10, 0},
        {6, 100, 2000, 60, 10, 2},
    };
    for (const qf::test::RandomFleets &shape : shapes) {
        std::mt19937 rng(4242);
        for (int n = 0; n < 200; ++n) {
            const Fleet home = qf::test::RandomFleet(rng, shape);
            const Fleet foreign = qf::test::RandomFleet(rng, shape);
            const int entry = std::uniform_int_distribution<int>(0, home.LastIndex)(rng);
            const std::string letters = qf::test::EveryCount(home, entry, foreign, 2000);
            const MinCountResult r = FindMinCount(home, foreign, entry);
            const size_t first = letters.find('W');
            if (first != std::string::npos) {
                ASSERT_EQ(r.end, MinCountEnd::Found) << n;
                EXPECT_EQ(r.count, int32_t(first) + 1) << n;
            } else if (r.end == MinCountEnd::Found) {
                EXPECT_GT(r.count, 2000) << n;
            }
        }
    }
}

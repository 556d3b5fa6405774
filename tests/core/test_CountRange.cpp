// Ranges of counts fought together: a verdict for the range holds for the
// battle of every count in it.
#include "battle/planning/CountRange.h"

#include "battle/BattleSimulation.h"
#include "battle/Fleet.h"
#include "support/BattleExamples.h"
#include "support/MinCountFleets.h"

#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <utility>
#include <string>
#include <vector>

using namespace qf;
using qf::battle::FightCountRange;
using qf::battle::RangeVerdict;
using qf::test::MakeFleet;

namespace {

constexpr int32_t kMaxCount = std::numeric_limits<int32_t>::max();

RangeVerdict verdict(const Fleet &home, const Fleet &foreign, int entry, int32_t low, int32_t high)
{
    int64_t rounds = 0;
    return FightCountRange(home, foreign, entry, low, high, int64_t(1) << 16, rounds);
}

// The verdict of counts low..high, checked against the battle of each count
// (`letters` as EveryCount gives them): true where it decided the range.
bool verdictHolds(const Fleet &home, const Fleet &foreign, int entry, int32_t low, int32_t high,
                  const std::string &letters)
{
    const RangeVerdict v = verdict(home, foreign, entry, low, high);
    if (v != RangeVerdict::Win && v != RangeVerdict::Loss)
        return false;
    const std::string part = letters.substr(size_t(low - 1), size_t(high - low + 1));
    EXPECT_EQ(v == RangeVerdict::Win ? part.find_first_not_of('W') : part.find('W'), std::string::npos)
        << low << ".." << high << " " << letters;
    return true;
}

} // namespace

TEST(CountRange, WorkedExample)
{
    // One and two ships lose, three and more win (see the minimum count's tests).
    // From ten ships on every count wipes the foreign fleet out in the first
    // round; below, the counts take different courses.
    const Fleet home = MakeFleet({{10, 40, 0, 100}});
    const Fleet foreign = MakeFleet({{5, 10, 10, 50}});
    EXPECT_EQ(verdict(home, foreign, 0, 10, 20), RangeVerdict::Win);
    EXPECT_EQ(verdict(home, foreign, 0, 20, 1000), RangeVerdict::Win);
    EXPECT_EQ(verdict(home, foreign, 0, 1000, kMaxCount), RangeVerdict::Win);
    EXPECT_NE(verdict(home, foreign, 0, 1, 2), RangeVerdict::Win);
    EXPECT_EQ(verdict(home, foreign, 0, 2, 3), RangeVerdict::Differ);
    EXPECT_EQ(verdict(home, foreign, 0, 1, 1000), RangeVerdict::Differ);
}

TEST(CountRange, AHomeSideThatNeverFiresLosesEveryCount)
{
    // Freighters alone: no count fires a shot.
    EXPECT_EQ(verdict(MakeFleet({{3, 0, 5, 50}}), MakeFleet({{3, 10, 0, 40}}), 0, 1, kMaxCount),
              RangeVerdict::Loss);
}

TEST(CountRange, VerdictsHoldForEveryCount)
{
    const qf::test::RandomFleets shapes[] = {
        {3, 20, 100, 50, 10, 0},
        {2, 5, 20, 30, 10, 0},
        {10, 50, 1000, 80, 10, 0},
        {4, 200, 10000, 50, 10, 2},
    };
    constexpr int32_t kLast = 200;
    int decided = 0;
    int ranges = 0;
    for (const qf::test::RandomFleets &shape : shapes) {
        std::mt19937 rng(977);
        for (int n = 0; n < 120; ++n) {
            const Fleet home = qf::test::RandomFleet(rng, shape);
            const Fleet foreign = qf::test::RandomFleet(rng, shape);
            const int entry = std::uniform_int_distribution<int>(0, home.LastIndex)(rng);
            const std::string letters = qf::test::EveryCount(home, entry, foreign, kLast);
            for (int k = 0; k < 15; ++k) {
                const int32_t low = std::uniform_int_distribution<int32_t>(1, kLast - 1)(rng);
                const int32_t high = std::uniform_int_distribution<int32_t>(low + 1, kLast)(rng);
                ++ranges;
                decided += verdictHolds(home, foreign, entry, low, high, letters);
                if (HasFailure())
                    return;
            }
        }
    }
    // Most ranges are settled as a whole.
    EXPECT_GE(decided, ranges / 2);
}

TEST(CountRange, BattlesLostEarlyDoNotHoldUpTheOthers)
{
    // A foreign fleet so strong in attack that its own time is the round's
    // time: its strike is the home strength only to within the float rounding
    // of that time, so the bounds cannot tell in which battles a few home ships
    // outlive the first volley. The battles where none does are lost at once,
    // the others go on, and all of them are lost: the range as a whole.
    const Fleet home = MakeFleet({{1, 300, 100, 1000}});
    const Fleet foreign = MakeFleet({{5000000, 2000, 100, 5000}});
    for (const auto &[low, high] : {std::pair<int32_t, int32_t>{2000000, 2000100}, {20000000, 20000400}}) {
        EXPECT_EQ(verdict(home, foreign, 0, low, high), RangeVerdict::Loss) << low;
        for (int32_t count = low; count <= high; ++count)
            EXPECT_FALSE(qf::test::FightWith(home, 0, count, foreign).foreign.wipedOut) << count;
    }
}

TEST(CountRange, ForeignTypesOfVeryDifferentStabilities)
{
    // The home volley stops at a ship of either type depending on the count, so
    // the carry after it is bounded by half the larger stability, not the smaller.
    const struct {
        std::vector<qf::test::TestShips> home;
        std::vector<qf::test::TestShips> foreign;
    } cases[] = {
        {{{1, 752, 9, 704}}, {{173, 21, 0, 6}, {14, 183, 1, 6983}}},
        {{{1, 306, 4, 94}}, {{52, 19, 3, 8}, {2, 129, 0, 10877}}},
        {{{1, 341, 6, 2942}}, {{230, 12, 4, 1}, {8, 78, 1, 2749}}},
        {{{1, 656, 7, 294}}, {{103, 26, 5, 5}, {6, 218, 2, 4997}}},
    };
    constexpr int32_t kLast = 40;
    for (const auto &c : cases) {
        const Fleet home = MakeFleet(c.home);
        const Fleet foreign = MakeFleet(c.foreign);
        const std::string letters = qf::test::EveryCount(home, 0, foreign, kLast);
        for (int32_t low = 1; low < kLast; ++low) {
            for (int32_t high = low + 1; high <= kLast; ++high)
                verdictHolds(home, foreign, 0, low, high, letters);
        }
    }
}

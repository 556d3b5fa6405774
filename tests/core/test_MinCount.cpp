// The smallest count of a home entry that wipes out the foreign fleet: battles
// worked by hand, the battle of every count on many random fleets (also where
// more ships do worse), counts the fleet cannot hold, and a search that is
// followed and stopped.
#include "battle/planning/MinCount.h"

#include "battle/BattleSimulation.h"
#include "battle/Fleet.h"
#include "support/BattleChecks.h"
#include "support/BattleExamples.h"
#include "support/MinCountFleets.h"
#include "support/ReferenceBattle.h"

#include <gtest/gtest.h>
#include <atomic>
#include <limits>
#include <random>
#include <string>
#include <vector>

using namespace qf;
using qf::test::EveryCount;
using qf::test::FightWith;
using qf::test::MakeFleet;
using qf::test::RandomFleets;

namespace {

constexpr int32_t kMaxCount = std::numeric_limits<int32_t>::max();

// The search agrees with the battle of every count from 1 to `last`: the first
// count that wins is the one found, and where none up to `last` wins, the
// search finds none or one above `last` that wins. The battle it reports is
// the reference battle of that count.
void expectSearchAgrees(const Fleet &home, int entry, const Fleet &foreign, const std::string &letters,
                        const std::string &where)
{
    const MinCountResult r = FindMinCount(home, foreign, entry);
    const size_t first = letters.find('W');
    if (first != std::string::npos) {
        ASSERT_EQ(r.end, MinCountEnd::Found) << where << " " << letters;
        EXPECT_EQ(r.count, int32_t(first) + 1) << where << " " << letters;
    } else if (r.end == MinCountEnd::Found) {
        EXPECT_GT(r.count, int32_t(letters.size())) << where;
        EXPECT_TRUE(FightWith(home, entry, r.count, foreign).foreign.wipedOut) << where;
    } else {
        EXPECT_EQ(r.end, MinCountEnd::Unreachable) << where;
    }
    if (r.end == MinCountEnd::Found) {
        Fleet withCount = home;
        ASSERT_EQ(withCount.SetCount(entry, r.count), FleetEdit::Done);
        qf::test::ExpectSameOutcome(withCount, foreign, r.outcome,
                                    qf::test::RefBattle(withCount, foreign, int64_t(1) << 40));
    }
}

} // namespace

TEST(MinCount, TheWorkedExampleNeedsThreeShips)
{
    // Ten ships (AS 40, stability 100) against five (AS 10, armour 10,
    // stability 50). Every round lasts 2.0 hours here. One ship: its damage
    // 40 x 1.5 - 50 = 10 does not exceed half of 50, and the foreign 37 x 2 = 74
    // destroys it. Two ships: 70 destroys one (carry 20), the foreign side one of
    // them; in round 2 the one left (60 + 20 - 40 = 40) destroys one more and
    // falls to 30 x 2 = 60. Three ships: 130 destroys three (carry 0), the
    // foreign side one; in round 2 the two left (120 - 20 = 100) destroy the
    // last two.
    const Fleet home = MakeFleet({{10, 40, 0, 100}});
    const Fleet foreign = MakeFleet({{5, 10, 10, 50}});
    EXPECT_EQ(EveryCount(home, 0, foreign, 3), "..W");

    const MinCountResult r = FindMinCount(home, foreign, 0);
    ASSERT_EQ(r.end, MinCountEnd::Found);
    EXPECT_EQ(r.count, 3);
    EXPECT_TRUE(r.outcome.foreign.wipedOut);
    EXPECT_FALSE(r.outcome.home.wipedOut);
    EXPECT_EQ(r.outcome.rounds, 2);
    EXPECT_EQ(r.outcome.battleTime, 4.0f);
    EXPECT_EQ(r.outcome.home.lost[0], 1);
    EXPECT_EQ(r.outcome.foreign.lost[0], 5);
    EXPECT_GE(r.battles, 1);
}

TEST(MinCount, MoreShipsCanDoWorse)
{
    // K ships (AS 8, armour 2, stability 22) against one (AS 9, armour 6,
    // stability 1: strength 7). From two ships on the home side's own time
    // 7 / 6K is the round's time, so its strike 6K x float(7 / 6K) is 7 to
    // within the float rounding of the time: the float nearest 7/18, 7/30, 7/36,
    // 7/42, 7/60, ... lies above it (strike just above 7, damage 1, the ship
    // falls), the float nearest 7/12, 7/24, 7/48, 7/54 below it (damage 0,
    // nothing happens: the foreign damage 6 x t - 2K does not reach 1 either,
    // and the battle is broken off). One ship takes 7/6 hours a round, also
    // rounded down, and falls to the carried foreign damage in round 3.
    const Fleet home = MakeFleet({{1, 8, 2, 22}});
    const Fleet foreign = MakeFleet({{1, 9, 6, 1}});
    EXPECT_EQ(EveryCount(home, 0, foreign, 12), ".nWnWWWnnWWW");

    const MinCountResult r = FindMinCount(home, foreign, 0);
    ASSERT_EQ(r.end, MinCountEnd::Found);
    EXPECT_EQ(r.count, 3);
    EXPECT_EQ(r.outcome.rounds, 1);
    EXPECT_EQ(r.outcome.foreign.lost[0], 1);
}

TEST(MinCount, AgreesWithTheBattleOfEveryCount)
{
    // Small random fleets, several types, armour now and then, a few types with
    // (almost) no stability; the search against the battles of every count.
    struct Mix {
        const char *name;
        int fleets;
        RandomFleets shape;
        int32_t last; // counts fought one by one
    };
    const Mix mixes[] = {
        {"small", 250, {3, 20, 100, 50, 10, 0}, 200},
        {"tiny", 250, {2, 5, 20, 30, 10, 0}, 300},
        {"minute", 200, {3, 3, 5, 50, 10, 0}, 200},
        {"crowded", 100, {10, 50, 1000, 80, 10, 0}, 300},
        {"large values", 80, {4, 200, 10000, 50, 10, 2}, 300},
    };
    int moreDoWorse = 0;  // a count wins and a larger one does not
    int winsAfterLoss = 0; // the smallest count that wins is above 1
    for (const Mix &mix : mixes) {
        std::mt19937 rng(20261208);
        for (int n = 0; n < mix.fleets; ++n) {
            const Fleet home = qf::test::RandomFleet(rng, mix.shape);
            const Fleet foreign = qf::test::RandomFleet(rng, mix.shape);
            const int entry = std::uniform_int_distribution<int>(0, home.LastIndex)(rng);
            const std::string letters = EveryCount(home, entry, foreign, mix.last);
            const size_t first = letters.find('W');
            if (first != std::string::npos && letters.find_first_not_of('W', first) != std::string::npos)
                ++moreDoWorse;
            if (first != std::string::npos && first > 0)
                ++winsAfterLoss;
            expectSearchAgrees(home, entry, foreign, letters, std::string(mix.name) + " " + std::to_string(n));
        }
    }
    // The fleets above include ones where the outcome is not monotone.
    EXPECT_GE(moreDoWorse, 20);
    EXPECT_GE(winsAfterLoss, 100);
}

TEST(MinCount, ShieldsWithoutAttackInLongBattles)
{
    // The entry (no attack, no armour) takes the foreign volley, one ship a
    // round, while the warships grind down the swarm over thousands of rounds:
    // every range runs long, and the battle of its largest count settles the
    // counts from where the entry no longer runs out. The second fleet's warship
    // outlasts the entry only just, so the home strength left decides there.
    const struct {
        std::vector<qf::test::TestShips> home;
        std::vector<qf::test::TestShips> foreign;
        int32_t last;
    } cases[] = {
        {{{1, 0, 0, 7357}, {1, 232, 0, 3359}}, {{2979, 1, 0, 174}}, 720},
        {{{1, 0, 0, 18126}, {1, 102, 0, 11995}}, {{3981, 2, 0, 170}}, 2050},
    };
    for (const auto &c : cases) {
        const Fleet home = MakeFleet(c.home);
        const Fleet foreign = MakeFleet(c.foreign);
        const std::string letters = EveryCount(home, 0, foreign, c.last);
        ASSERT_NE(letters.find('W'), std::string::npos);
        expectSearchAgrees(home, 0, foreign, letters, std::to_string(c.last));
    }
}

TEST(MinCount, Unreachable)
{
    struct Case {
        const char *why;
        std::vector<qf::test::TestShips> home;
        std::vector<qf::test::TestShips> foreign;
    };
    const Case cases[] = {
        // Freighters alone never fire.
        {"no attack", {{3, 0, 5, 50}}, {{3, 10, 0, 40}}},
        // 2,147,483,647 ships of AS 1 strike at most 1.5 x 2,147,483,647 a
        // round, below the foreign armour 2 x 2,147,483,647.
        {"armour", {{1, 1, 0, 10}}, {{2, 0, 2147483647, 1}}},
        // Twelve armoured ships without stability: the armour 216 is all their
        // strength. Up to 18 ships (AS 8 each) strike 12 K <= 216 over 2.0 hours;
        // from 19 on, the home side's own time 216 / 6K is the round's time and
        // its strike 6K x float(36 / K) is 216 to within float rounding, so its
        // damage is 0 however many ships, also as they fall.
        {"strike meets armour", {{2, 8, 0, 38}}, {{12, 36, 18, 0}}},
        // Hunters behind freighters: the foreign side destroys the hunter first,
        // then the freighters one after another; the home side destroys two
        // foreign ships in the first round and never fires again.
        {"hunter falls first", {{1, 8, 0, 15}, {2, 0, 0, 17}}, {{1, 12, 0, 10}, {5, 10, 0, 2}}},
    };
    for (const Case &c : cases) {
        const Fleet home = MakeFleet(c.home);
        const Fleet foreign = MakeFleet(c.foreign);
        const int entry = home.LastIndex;
        const MinCountResult r = FindMinCount(home, foreign, entry);
        EXPECT_EQ(r.end, MinCountEnd::Unreachable) << c.why;
        EXPECT_EQ(r.count, 0) << c.why;
        for (int32_t count : {1, 2, 19, 1000})
            EXPECT_FALSE(FightWith(home, entry, count, foreign).foreign.wipedOut) << c.why << " " << count;
    }
}

TEST(MinCount, CountsTheFleetCannotHoldDoNotCount)
{
    // The worked example needs three ships. With a cost of a third of the
    // 64-bit range a ship, the fleet holds three of them; a Solar more a ship,
    // only two, which lose.
    const Fleet foreign = MakeFleet({{5, 10, 10, 50}});
    Fleet home = MakeFleet({{1, 40, 0, 100}});
    home.Classes[0].Cost = 3074457345618258602; // (2^63 - 1) / 3
    home.Recalculate();
    EXPECT_EQ(home.CountLimit(0), 3);
    const MinCountResult atLimit = FindMinCount(home, foreign, 0);
    ASSERT_EQ(atLimit.end, MinCountEnd::Found);
    EXPECT_EQ(atLimit.count, 3);

    home.Classes[0].Cost = 3074457345618258603;
    home.Recalculate();
    EXPECT_EQ(home.CountLimit(0), 2);
    EXPECT_EQ(FindMinCount(home, foreign, 0).end, MinCountEnd::Unreachable);
}

TEST(MinCount, LargestCount)
{
    Fleet f = MakeFleet({{4, 10, 2, 100}, {3, 5, 0, 50}});
    EXPECT_EQ(f.CountLimit(0), kMaxCount);
    EXPECT_EQ(f.CountLimit(1), kMaxCount);
    EXPECT_EQ(f.CountLimit(2), 0);
    EXPECT_EQ(f.CountLimit(-1), 0);
    // Beside 2,147,483,647 ships of stability 2,147,483,647 twice over, the
    // 64-bit range leaves room for (2^63 - 1 - 2 (2^31 - 1)^2) / (2^31 - 1) = 4
    // more such ships.
    Fleet big;
    big.AddShips(kMaxCount, 0, 0, kMaxCount, QStringLiteral("A"), 0, 0, 0);
    big.AddShips(kMaxCount, 0, 0, kMaxCount, QStringLiteral("B"), 0, 0, 0);
    big.AddShips(1, 0, 0, kMaxCount, QStringLiteral("C"), 0, 0, 0);
    EXPECT_EQ(big.CountLimit(2), 4);
    EXPECT_EQ(big.CountLimit(0), kMaxCount);
}

TEST(MinCount, EntryOutsideTheHomeFleet)
{
    const Fleet home = MakeFleet({{10, 40, 0, 100}});
    const Fleet foreign = MakeFleet({{5, 10, 10, 50}});
    for (int entry : {-1, 1, 9}) {
        const MinCountResult r = FindMinCount(home, foreign, entry);
        EXPECT_EQ(r.end, MinCountEnd::Unreachable) << entry;
        EXPECT_EQ(r.battles, 0) << entry;
    }
}

TEST(MinCount, IsFollowedAndCanBeCancelled)
{
    // Two equal swarms grinding each other down: the battles of the counts
    // near the answer run for tens of millions of rounds, so the search is long.
    const qf::test::BattleExample &example = qf::test::EvenAttrition();
    const Fleet home = example.homeFleet();
    const Fleet foreign = example.foreignFleet();

    std::atomic<bool> cancel{false};
    std::vector<MinCountProgress> seen;
    MinCountControl control;
    control.cancel = &cancel;
    control.progress = [&](const MinCountProgress &p) {
        seen.push_back(p);
        if (seen.size() == 20)
            cancel = true; // from the callback itself, as a window's button would
    };
    const MinCountResult r = FindMinCount(home, foreign, 0, control);
    EXPECT_EQ(r.end, MinCountEnd::Cancelled);
    EXPECT_EQ(r.count, 0);
    ASSERT_EQ(seen.size(), 20u);
    for (size_t i = 1; i < seen.size(); ++i) {
        EXPECT_GE(seen[i].count, seen[i - 1].count); // the counts are tried from 1 upwards
        EXPECT_GE(seen[i].battles, seen[i - 1].battles);
        EXPECT_GE(seen[i].count, 1);
    }
    EXPECT_GT(seen.back().battles, 0);
    EXPECT_GE(r.battles, seen.back().battles);

    // A flag set before the search stops it at its first look.
    MinCountControl stopped;
    stopped.cancel = &cancel;
    EXPECT_EQ(FindMinCount(home, foreign, 0, stopped).end, MinCountEnd::Cancelled);
}

TEST(MinCount, AStrongForeignFleetIsSearchedRangeByRange)
{
    // Tens of millions of ships needed against a foreign fleet whose own time
    // is the round's time for the counts below: ranges of those counts are
    // lost as a whole, not fought count by count (millions of battles).
    const Fleet home = MakeFleet({{1, 300, 100, 1000}});
    const Fleet foreign = MakeFleet({{5000000, 2000, 100, 5000}});
    const MinCountResult r = FindMinCount(home, foreign, 0);
    ASSERT_EQ(r.end, MinCountEnd::Found);
    EXPECT_EQ(r.count, 26730697);
    EXPECT_TRUE(r.outcome.foreign.wipedOut);
    EXPECT_FALSE(FightWith(home, 0, r.count - 1, foreign).foreign.wipedOut);
    EXPECT_LT(r.battles, 100000);
}

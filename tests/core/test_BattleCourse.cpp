// The course of a battle: the engine's states, thinned, and its CSV; a battle
// fought with a course attached is the same battle.
#include "battle/BattleCourse.h"

#include "battle/BattleSimulation.h"
#include "support/BattleExamples.h"
#include "support/MinCountFleets.h"
#include "support/ReferenceBattle.h"

#include <gtest/gtest.h>
#include <atomic>
#include <limits>
#include <random>

using namespace qf;
using qf::test::MakeFleet;

namespace {

constexpr int kMax = std::numeric_limits<int>::max();

struct Fought {
    BattleOutcome outcome;
    std::vector<BattleProgress> progress;
};

Fought fight(const Fleet &home, const Fleet &foreign, BattleCourse *course, int64_t maxRounds = 0,
             size_t cancelAfter = 0)
{
    Fought f;
    std::atomic<bool> cancel{false};
    BattleControl control;
    control.course = course;
    control.maxRounds = maxRounds;
    control.cancel = &cancel;
    control.progress = [&](const BattleProgress &p) {
        f.progress.push_back(p);
        cancel = f.progress.size() == cancelAfter;
    };
    f.outcome = FightBattle(home, foreign, control);
    return f;
}

// The point is where the reference stands after as many rounds.
void expectReferencePoint(const Fleet &home, const Fleet &foreign, const CoursePoint &p)
{
    const BattleOutcome ref = test::AsOutcome(test::RefBattle(home, foreign, p.round));
    EXPECT_EQ(p.battleTime, ref.battleTime) << p.round;
    for (auto [side, fleet, s] : {std::tuple{Side::Home, &home, &ref.home}, std::tuple{Side::Foreign, &foreign, &ref.foreign}}) {
        int64_t ships = 0;
        for (int i = 0; i <= fleet->LastIndex; ++i)
            ships += fleet->Classes[size_t(i)].Count - s->lost[size_t(i)];
        EXPECT_EQ(p.of(side).shipsLeft, ships) << p.round;
        EXPECT_EQ(p.of(side).stabilityLeft, s->stabilityLeft) << p.round;
        EXPECT_EQ(p.of(side).attackLeft, s->attackLeft) << p.round;
    }
}

} // namespace

TEST(BattleCourse, TheBattleIsTheSameWithItAndItsPointsAreTheReferences)
{
    // Worked examples, freighters falling type by type, hunters with patterns,
    // 300,000 rounds one by one stopped by a limit, a cancelled battle, game-like fleets.
    struct Case {
        Fleet home, foreign;
        int64_t maxRounds = 0;
        size_t cancelAfter = 0;
        bool checkPoints = true; // against the reference, point by point
        bool spread = false;     // thinned, but over the whole battle, not bunched at its start
    };
    std::vector<Case> cases = {
        {test::FirstWorkedExample().homeFleet(), test::FirstWorkedExample().foreignFleet()},
        {test::CarryWorkedExample().homeFleet(), test::CarryWorkedExample().foreignFleet()},
        {MakeFleet({{1, 40, 0, 100}}), MakeFleet({{30, 0, 0, 100}, {7, 0, 0, 10}, {90, 1, 0, 60}, {3, 0, 0, 0}})},
        {MakeFleet({{1, 10, 0, 100}}), MakeFleet({{kMax, 0, 0, 100}}), 0, 0, false},
        {MakeFleet({{kMax, 1, 0, kMax}}), MakeFleet({{kMax, 1, 0, kMax - 10}}), 300000, 0, false, true},
        {MakeFleet({{kMax, 1, 0, kMax}}), MakeFleet({{kMax, 1, 0, kMax - 10}}), 0, 3, false},
    };
    std::mt19937 rng(5);
    for (int n = 0; n < 6; ++n)
        cases.push_back({test::GameLikeFleet(rng, 3000), test::GameLikeFleet(rng, 3000)});
    for (const Case &c : cases) {
        BattleCourse course;
        const Fought plain = fight(c.home, c.foreign, nullptr, c.maxRounds, c.cancelAfter);
        const Fought followed = fight(c.home, c.foreign, &course, c.maxRounds, c.cancelAfter);
        const BattleOutcome &o = followed.outcome;
        SCOPED_TRACE(o.rounds);
        EXPECT_EQ(BattleReport(c.home, c.foreign, o), BattleReport(c.home, c.foreign, plain.outcome));
        EXPECT_EQ(o.battleTime, plain.outcome.battleTime);
        EXPECT_EQ(o.home.carry, plain.outcome.home.carry);
        EXPECT_EQ(o.foreign.carry, plain.outcome.foreign.carry);
        ASSERT_EQ(followed.progress.size(), plain.progress.size());
        for (size_t i = 0; i < plain.progress.size(); ++i)
            EXPECT_EQ(followed.progress[i].rounds, plain.progress[i].rounds);

        const std::vector<CoursePoint> &points = course.points();
        ASSERT_GE(points.size(), 2u);
        EXPECT_LE(points.size(), BattleCourse::kMostPoints);
        EXPECT_EQ(points.front().round, 0);
        EXPECT_EQ(points.front().of(Side::Home).stabilityLeft, c.home.TotalStability);
        EXPECT_EQ(points.back().round, o.rounds);
        EXPECT_EQ(points.back().of(Side::Foreign).attackLeft, o.foreign.attackLeft);
        EXPECT_EQ(points.back().battleTime, o.battleTime);
        for (size_t i = 1; i < points.size(); ++i)
            ASSERT_LT(points[i - 1].round, points[i].round);
        if (c.spread) {
            EXPECT_GE(points.size(), BattleCourse::kMostPoints / 3);
            EXPECT_GT(points[points.size() / 2].round, o.rounds / 4);
        }
        if (c.checkPoints) {
            for (const CoursePoint &p : points)
                expectReferencePoint(c.home, c.foreign, p);
        }
    }
}

TEST(BattleCourse, EveryRoundInWhichATypeIsWipedOutIsAPoint)
{
    // Ten armed types with different counts, each wiped out in a round of its
    // own among thousands of rounds that all differ (every loss changes the
    // foreign damage), so they are played one by one and most are thinned out.
    std::vector<test::TestShips> freighters;
    for (int i = 0; i < Fleet::Capacity; ++i)
        freighters.push_back({1000 + 977 * i, 1 + i % 3, 0, 1000000000 + 7 * i});
    const Fleet home = MakeFleet({{kMax, 1, 0, 2000000000}});
    const Fleet foreign = MakeFleet(freighters);
    BattleCourse course;
    const BattleOutcome o = fight(home, foreign, &course).outcome;
    ASSERT_TRUE(o.foreign.wipedOut);
    ASSERT_GT(o.rounds, 4 * int64_t(course.points().size()));
    std::vector<int64_t> rounds;
    for (const CoursePoint &p : course.points())
        rounds.push_back(p.round);
    // The first round after which type i has no ship left, found by halving
    // the rounds of battles stopped early.
    for (int i = 0; i < Fleet::Capacity; ++i) {
        int64_t low = 0;
        int64_t high = o.rounds;
        while (high - low > 1) {
            BattleControl control;
            control.maxRounds = low + (high - low) / 2;
            const bool gone = FightBattle(home, foreign, control).foreign.lost[size_t(i)] == freighters[size_t(i)].count;
            (gone ? high : low) = control.maxRounds;
        }
        EXPECT_TRUE(std::binary_search(rounds.begin(), rounds.end(), high)) << i << " " << high;
    }
}

TEST(BattleCourse, CsvHasAHeaderAndOneLinePerPoint)
{
    // The carry grows alike in rounds 2 and 3: the engine takes them at once.
    const test::BattleExample &example = test::CarryWorkedExample();
    BattleCourse course;
    fight(example.homeFleet(), example.foreignFleet(), &course);
    EXPECT_EQ(FormatCourseCsv(course).toStdString(),
              std::string("Runde,Kampfzeit (h),Heimat Schiffe,Heimat Stabilität,Heimat Angriff,"
                             "Fremd Schiffe,Fremd Stabilität,Fremd Angriff\n"
                             "0,0,1,100,10,1,100,0\n1,2,1,100,10,1,100,0\n3,6,1,100,10,1,100,0\n"
                             "4,8,1,100,10,0,0,0\n"));
    // Fractions of an hour with "." and the float's shortest digits.
    BattleCourse fractions;
    fractions.add(CoursePoint{7, 1.0f / 3, {}}, false);
    EXPECT_EQ(FormatCourseCsv(fractions).section(u'\n', 1, 1).toStdString(), "7,0.33333334,0,0,0,0,0,0");
}

// Every battle ends by the rules: stretches of rounds that repeat are taken at
// once and give exactly what the round-by-round rules give; the caller can
// follow a battle, cancel it or limit its rounds.
#include "battle/BattleSimulation.h"
#include "support/RandomCases.h"
#include "battle/Fleet.h"
#include "support/BattleExamples.h"
#include "support/BattleChecks.h"
#include "support/MinCountFleets.h"
#include "support/ReferenceBattle.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <atomic>
#include <limits>
#include <random>
#include <vector>

using namespace qf;
using qf::test::chance;
using qf::test::pick;
using qf::test::AgreesWithReference;
using qf::test::AsOutcome;
using qf::test::ExpectSameOutcome;
using qf::test::ExpectSameSide;
using qf::test::MakeFleet;
using qf::test::RefBattle;
using qf::test::RefFire;
using qf::test::RefOutcome;
using qf::test::RefSide;
using qf::test::RefStart;
using qf::test::TestShips;

namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

// ---------------------------------------------------------------------------
// Fleets.

// Now and then a type without stability, attack or armour.
Fleet randomFleet(std::mt19937 &rng, int maxTypes, int maxCount, int maxValue)
{
    return test::RandomFleet(rng, {maxTypes, maxCount, maxValue, 60, 0, 1, 10, maxValue});
}

// A few strong ships against many weak ones: mostly unarmed freighters, some
// armed but too weak to get through the armour, stabilities large and small.
std::pair<Fleet, Fleet> grindingBattle(std::mt19937 &rng, int maxShips)
{
    std::vector<TestShips> strong;
    const int strongTypes = pick(rng, 1, 3);
    for (int i = 0; i < strongTypes; ++i) {
        const int armor = chance(rng, 50) ? 0 : chance(rng, 50) ? pick(rng, 1, 20) : pick(rng, 1000, 200000);
        strong.push_back({pick(rng, 1, 4), chance(rng, 10) ? pick(rng, 0, 1) : pick(rng, 2, 400), armor,
                          pick(rng, 1, 2000), pick(rng, 0, 500)});
    }
    std::vector<TestShips> weak;
    const int weakTypes = pick(rng, 1, 10);
    const int bigStability = chance(rng, 30) ? 20000 : 600;
    for (int i = 0; i < weakTypes; ++i) {
        const int as = chance(rng, 65) ? 0 : chance(rng, 50) ? pick(rng, 1, 3) : pick(rng, 1, 40);
        const int armor = chance(rng, 70) ? 0 : pick(rng, 1, 4);
        const int stability = chance(rng, 5) ? 0 : pick(rng, 1, bigStability);
        weak.push_back({pick(rng, 1, maxShips), as, armor, stability, pick(rng, 0, 300)});
    }
    if (chance(rng, 50))
        return {MakeFleet(strong), MakeFleet(weak)};
    return {MakeFleet(weak), MakeFleet(strong)};
}

// Damage a little above the stability of the target's ships: one ship falls
// every round and the carry creeps up until a second one falls.
std::pair<Fleet, Fleet> creepingBattle(std::mt19937 &rng, int maxShips)
{
    const int stability = pick(rng, 20, 4000);
    const int damage = stability + pick(rng, 1, std::max(2, stability / pick(rng, 2, 60)));
    const int as = damage * 2 / 3 + pick(rng, 0, 1);
    const Fleet strong = MakeFleet({{1, as, pick(rng, 0, 1) * 5, pick(rng, 100, 1000), 10}});
    std::vector<TestShips> weak;
    const int weakTypes = pick(rng, 1, 3);
    for (int i = 0; i < weakTypes; ++i)
        weak.push_back({pick(rng, 1, maxShips), chance(rng, 20) ? 1 : 0, 0,
                        i == 0 ? stability : pick(rng, 1, stability), 7});
    if (chance(rng, 50))
        return {strong, MakeFleet(weak)};
    return {MakeFleet(weak), strong};
}

// Both fleets lead with unarmed freighters and grind each other down.
std::pair<Fleet, Fleet> mutualBattle(std::mt19937 &rng, int maxShips)
{
    auto fleet = [&] {
        std::vector<TestShips> types;
        types.push_back({pick(rng, 1, maxShips), 0, 0, pick(rng, 10, 3000), 5});
        if (chance(rng, 50))
            types.push_back({pick(rng, 1, maxShips), 0, pick(rng, 0, 2), pick(rng, 10, 3000), 5});
        types.push_back({pick(rng, 1, 3), pick(rng, 2, 200), 0, pick(rng, 1000, 100000), 50});
        return MakeFleet(types);
    };
    const Fleet home = fleet();
    return {home, fleet()};
}

// ---------------------------------------------------------------------------
// Reading a report back.

struct Block {
    std::vector<int64_t> lost; // per entry, 0 where the entry has no row
    int64_t totalShips = -1, stability = -1, as = -1, armor = -1, cost = -1;
    bool wiped = false;
    bool rows = false;
};

Block readBlock(const QStringList &lines, int from, const Fleet &fleet, bool home)
{
    Block b;
    b.lost.assign(size_t(fleet.LastIndex + 1), 0);
    int i = from;
    if (lines.value(i) != QStringLiteral("Schiffstyp \tAnzahl \tStabilität \tAS \tPanzerung")) {
        EXPECT_EQ(lines.value(i), QStringLiteral(" "));
        return b;
    }
    b.rows = true;
    for (++i; i < lines.size() && !lines[i].startsWith(QStringLiteral("Gesamt")); ++i) {
        const QString name = lines[i].section(u'\t', 0, 0);
        const int index = fleet.IndexOf(name);
        EXPECT_GE(index, 0) << name.toStdString();
        if (index < 0)
            continue;
        const Fleet::ShipClass &e = fleet.Classes[size_t(index)];
        const QStringList fields = lines[i].mid(name.size()).split(u'\t', Qt::SkipEmptyParts);
        EXPECT_EQ(fields.size(), 4) << lines[i].toStdString();
        b.lost[size_t(index)] = fields.value(0).toLongLong();
        EXPECT_EQ(fields.value(1).toLongLong(), e.Stability);
        EXPECT_EQ(fields.value(2).toLongLong(), e.AS);
        EXPECT_EQ(fields.value(3).toLongLong(), e.Armor);
    }
    const QString total = lines.value(i);
    EXPECT_TRUE(total.startsWith(QStringLiteral("Gesamt \t\t")));
    const QStringList t = total.mid(9).split(u'\t');
    EXPECT_EQ(t.size(), home ? 4 : 5) << total.toStdString();
    if (t.size() >= 4) {
        b.totalShips = t[0].toLongLong();
        b.stability = t[1].toLongLong();
        b.as = t[2].toLongLong();
        b.armor = t.last().toLongLong();
    }
    ++i;
    if (lines.value(i) == QStringLiteral("Die Flotte wurd vollständig zerstört.")) {
        b.wiped = true;
        ++i;
    }
    EXPECT_TRUE(lines.value(i).startsWith(QStringLiteral("Kosten in Solar: ")));
    b.cost = lines.value(i).mid(17).toLongLong();
    return b;
}

// The report's figures fit the fleets: losses within the counts, totals that are
// the sums of the rows, and "vollständig zerstört" exactly when every ship is lost.
void expectConsistentReport(const Fleet &home, const Fleet &foreign, const QStringList &lines)
{
    ASSERT_GE(lines.size(), 8);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Dauer des Kampfes: ")));
    const int homeHeader = int(lines.indexOf(QStringLiteral("In der Heimatflotte wurden bei dem Kampf folgende Schiffe zerstört:")));
    const int foreignHeader = int(lines.indexOf(QStringLiteral("In der Fremdflotte wurden bei dem Kampf folgende Schiffe zerstört:")));
    ASSERT_GT(homeHeader, 0);
    ASSERT_GT(foreignHeader, homeHeader);
    for (auto [fleet, from, home] : {std::tuple{&home, homeHeader + 1, true},
                                     std::tuple{&foreign, foreignHeader + 1, false}}) {
        const Block b = readBlock(lines, from, *fleet, home);
        if (!b.rows)
            continue;
        int64_t ships = 0, stability = 0, as = 0, armor = 0, cost = 0;
        bool all = true;
        for (int i = 0; i <= fleet->LastIndex; ++i) {
            const Fleet::ShipClass &e = fleet->Classes[size_t(i)];
            const int64_t lost = b.lost[size_t(i)];
            EXPECT_GE(lost, 0);
            EXPECT_LE(lost, e.Count);
            all = all && lost == e.Count;
            ships += lost;
            stability += lost * e.Stability;
            as += lost * e.AS;
            armor += lost * e.Armor;
            cost += lost * e.Cost;
        }
        EXPECT_EQ(b.totalShips, ships);
        EXPECT_EQ(b.stability, stability);
        EXPECT_EQ(b.as, as);
        EXPECT_EQ(b.armor, armor);
        EXPECT_EQ(b.cost, cost);
        EXPECT_EQ(b.wiped, all);
    }
}

} // namespace

// ---------------------------------------------------------------------------

TEST(FireVolley, WholePassesGiveTheSameResultAsShipByShip)
{
    std::mt19937 rng(20240501);
    for (int trial = 0; trial < 3000; ++trial) {
        const Fleet target = randomFleet(rng, 10, trial % 3 == 0 ? 3000 : 40, 60);
        // Start from some ships already lost, consistently with the values left.
        BattleSide side = BattleSide::Start(target);
        RefSide ref = RefStart(target);
        for (int i = 0; i <= target.LastIndex; ++i) {
            const Fleet::ShipClass &e = target.Classes[size_t(i)];
            const int64_t lost = chance(rng, 30) ? std::uniform_int_distribution<int64_t>(0, e.Count)(rng) : 0;
            side.lost[size_t(i)] = ref.lost[size_t(i)] = lost;
            side.stabilityLeft -= lost * e.Stability;
            side.attackLeft -= lost * e.AS;
            side.armorLeft -= lost * e.Armor;
        }
        ref.stability = side.stabilityLeft;
        ref.attack = side.attackLeft;
        ref.armor = side.armorLeft;
        if (ref.stability < 1)
            continue; // such a side was wiped out before
        int64_t damage = std::uniform_int_distribution<int64_t>(-5, target.TotalStability + 50)(rng);
        if (chance(rng, 20))
            damage = std::uniform_int_distribution<int64_t>(0, 200)(rng);
        const int64_t left = FireVolley(target, side, damage);
        int64_t refDamage = damage;
        RefFire(target, ref, refDamage);
        ASSERT_EQ(left, refDamage) << "trial " << trial;
        ASSERT_EQ(side.lost, ref.lost) << "trial " << trial;
        ASSERT_EQ(side.stabilityLeft, ref.stability);
        ASSERT_EQ(side.attackLeft, ref.attack);
        ASSERT_EQ(side.armorLeft, ref.armor);
        ASSERT_EQ(side.wipedOut, ref.wiped) << "trial " << trial;
    }
}

// Fleets of up to 2^31-1 ships, the battle stopped by a limit of rounds (often
// after stretches taken at once): where the reference can follow, every value
// agrees after as many rounds.
TEST(FightBattle, HugeFleetsStoppedAtTheirRoundLimitAgreeWithTheReference)
{
    std::mt19937 rng(14);
    int compared = 0;
    int stopped = 0;
    for (int trial = 0; trial < 400; ++trial) {
        SCOPED_TRACE(trial);
        std::vector<TestShips> strong;
        for (int i = pick(rng, 1, 3); i > 0; --i)
            strong.push_back({pick(rng, 1, 3), pick(rng, 0, 400),
                              chance(rng, 50) ? 0 : chance(rng, 50) ? pick(rng, 1, 20) : pick(rng, 1000000, kMax),
                              pick(rng, 1, chance(rng, 20) ? kMax : 5000), 3});
        std::vector<TestShips> weak;
        const int most[] = {kMax, 1000000, 3000};
        for (int i = pick(rng, 1, 10); i > 0; --i)
            weak.push_back({pick(rng, 1, weak.empty() ? 20000 : most[pick(rng, 0, 2)]),
                            chance(rng, 60) ? 0 : pick(rng, 0, 3), chance(rng, 70) ? 0 : pick(rng, 0, 5),
                            chance(rng, 5) ? 0 : pick(rng, 1, chance(rng, 10) ? kMax : 300), 2});
        const bool strongAtHome = chance(rng, 50);
        const Fleet home = MakeFleet(strongAtHome ? strong : weak);
        const Fleet foreign = MakeFleet(strongAtHome ? weak : strong);
        BattleControl control;
        const int longest[] = {20, 300, 5000, 60000};
        control.maxRounds = pick(rng, 1, longest[pick(rng, 0, 3)]);
        const BattleOutcome o = FightBattle(home, foreign, control);
        EXPECT_LE(o.rounds, control.maxRounds);
        int64_t destroyed = 0;
        for (size_t i = 0; i < size_t(Fleet::Capacity); ++i)
            destroyed += o.home.lost[i] + o.foreign.lost[i];
        if (destroyed > 1000000)
            continue; // too many ships for the reference
        ++compared;
        const RefOutcome r = RefBattle(home, foreign, control.maxRounds);
        EXPECT_EQ(o.end == BattleEnd::RoundLimit, !r.finished);
        stopped += !r.finished;
        ExpectSameOutcome(home, foreign, o, r);
        if (HasFailure())
            return;
    }
    EXPECT_GT(compared, 300);
    EXPECT_GT(stopped, 50);
}

// Random battles of several kinds, each against the reference; every kind
// must compare most of its battles, and some must be long.
TEST(FightBattle, AgreesWithTheReferenceOnRandomBattles)
{
    using Battle = std::pair<Fleet, Fleet>;
    const struct {
        const char *kind;
        unsigned seed;
        int trials;
        int64_t maxRounds;
        Battle (*make)(std::mt19937 &rng, int trial);
        int leastCompared;
        int64_t leastLongest;
    } kinds[] = {
        {"random fleets", 7, 4000, 1000000,
         [](std::mt19937 &rng, int trial) {
             const int maxCount = trial % 4 == 0 ? 400 : 25;
             Fleet home = randomFleet(rng, 10, maxCount, 60);
             return Battle{home, randomFleet(rng, 10, maxCount, 60)};
         },
         4000, 0},
        {"few ships grind down many", 11, 400, 200000,
         [](std::mt19937 &rng, int trial) { return grindingBattle(rng, trial % 5 == 0 ? 3000 : 300); }, 301, 20001},
        {"the carry creeps up", 12, 300, 200000,
         [](std::mt19937 &rng, int trial) { return creepingBattle(rng, trial % 3 == 0 ? 20000 : 2000); }, 251, 0},
        {"both fleets grind", 13, 200, 200000, [](std::mt19937 &rng, int) { return mutualBattle(rng, 3000); }, 151, 0},
        {"round time held at 2.0", 15, 250, 200000,
         [](std::mt19937 &rng, int trial) { return test::FixedTimeBattle(rng, trial % 5 == 0 ? 40000 : 4000); }, 201,
         10001},
    };
    for (const auto &k : kinds) {
        SCOPED_TRACE(k.kind);
        std::mt19937 rng(k.seed);
        int compared = 0;
        int64_t longest = 0;
        for (int trial = 0; trial < k.trials && !HasFailure(); ++trial) {
            SCOPED_TRACE(trial);
            const auto [home, foreign] = k.make(rng, trial);
            int64_t rounds = 0;
            if (AgreesWithReference(home, foreign, k.maxRounds, &rounds)) {
                ++compared;
                longest = std::max(longest, rounds);
            }
        }
        EXPECT_GE(compared, k.leastCompared);
        EXPECT_GE(longest, k.leastLongest);
    }
}

TEST(FightBattle, MillionsOfShipsAgreeWithTheReference)
{
    // Few types, many ships: the reference still manages it ship by ship.
    const Fleet home = MakeFleet({{300000, 12, 1, 30}, {200000, 7, 0, 11}});
    const Fleet foreign = MakeFleet({{250000, 9, 2, 25}, {400000, 3, 0, 8}});
    EXPECT_TRUE(AgreesWithReference(home, foreign, 10000000));
    // One ship with attack 10 against 100,000 freighters: 4 rounds per freighter.
    const Fleet hunter = MakeFleet({{1, 10, 0, 100}});
    const Fleet freighters = MakeFleet({{100000, 0, 0, 100}});
    int64_t rounds = 0;
    EXPECT_TRUE(AgreesWithReference(hunter, freighters, 1000000, &rounds));
    EXPECT_EQ(rounds, 400000);
}

// Stretches that end in the middle of a run of rounds moving alike: each case
// fails if a stretch takes one round too many.
TEST(FightBattle, StretchesEndWhereTheRoundsStopPlayingAlike)
{
    const struct {
        const char *what;
        std::vector<TestShips> home;
        std::vector<TestShips> foreign;
        int64_t rounds;
    } cases[] = {
        // Round 1 both hunters fall; then the foreign carry 4 falls by 1 a round
        // (strike 6 against armour 7) while the home one stays 0: the round that
        // brings it to exactly 0 breaks the battle off, in round 5.
        {"carry falls to 0", {{1, 12, 0, 1}, {7, 0, 1, 100}}, {{2, 4, 0, 30}}, 5},
        // From round 2 the foreign damage 140, 130, ... destroys a freighter
        // (stability 100) and a ghost (stability 0) each round, until at 100 the
        // ghost no longer falls (0 is not above 0); the home carry rises by 15
        // until the cannon falls in round 8.
        {"last ship without stability", {{50, 0, 0, 100}, {50, 0, 0, 0}, {1, 10, 0, 1000}},
         {{1, 40, 0, 10}, {1, 60, 0, 200}}, 8},
    };
    for (const auto &c : cases) {
        int64_t rounds = 0;
        EXPECT_TRUE(AgreesWithReference(MakeFleet(c.home), MakeFleet(c.foreign), 1000, &rounds)) << c.what;
        EXPECT_EQ(rounds, c.rounds) << c.what;
    }
}

TEST(FightBattle, AWipedOutFleetLosesAlsoItsShipsWithoutStability)
{
    // The ship with stability 20 falls: the stability left is 0, the fleet is
    // wiped out, and its three ships without stability go down with it.
    const Fleet home = MakeFleet({{3, 5, 1, 0, 10}, {1, 7, 2, 20, 100}});
    const Fleet foreign = MakeFleet({{1, 100, 0, 1000, 10}});
    const BattleOutcome o = FightBattle(home, foreign);
    EXPECT_TRUE(o.home.wipedOut);
    EXPECT_EQ(o.home.lost[0], 3);
    EXPECT_EQ(o.home.lost[1], 1);
    EXPECT_EQ(o.home.attackLeft, 0);
    EXPECT_EQ(o.home.armorLeft, 0);
    const QStringList lines = BattleReport(home, foreign, o);
    EXPECT_TRUE(lines.contains(QStringLiteral("T0\t\t3\t0\t5\t1")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Gesamt \t\t4\t20\t22\t5")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Kosten in Solar: 130")));
    expectConsistentReport(home, foreign, lines);
}

// ---------------------------------------------------------------------------

TEST(BattleTermination, RandomFleetsOverTheWholeRangeAlwaysEnd)
{
    std::mt19937 rng(2024);
    const int extremes[] = {0, 1, 2, 3, kMax - 1, kMax};
    auto value = [&](int low) {
        switch (pick(rng, 0, 3)) {
        case 0: return std::max(low, extremes[pick(rng, 0, 5)]);
        case 1: return pick(rng, low, 100);
        case 2: return pick(rng, low, 100000);
        default: return pick(rng, low, kMax);
        }
    };
    auto fleet = [&] {
        Fleet f;
        const int types = pick(rng, 1, 10);
        for (int i = 0; i < types; ++i)
            f.AddShips(value(1), value(0), value(0), value(0), QStringLiteral("Typ %1").arg(i),
                       value(0), value(0), value(0));
        return f;
    };
    int ended = 0;
    for (int trial = 0; trial < 300; ++trial) {
        SCOPED_TRACE(trial);
        const Fleet home = fleet();
        const Fleet foreign = fleet();
        BattleControl control;
        control.maxRounds = 1000000;
        const BattleOutcome o = FightBattle(home, foreign, control);
        const QStringList lines = BattleReport(home, foreign, o);
        EXPECT_GE(o.rounds, 1);
        EXPECT_EQ(o.end == BattleEnd::Decided, o.home.wipedOut || o.foreign.wipedOut);
        if (o.hasResult()) {
            expectConsistentReport(home, foreign, lines);
        } else {
            EXPECT_EQ(o.end, BattleEnd::RoundLimit);
            EXPECT_EQ(o.rounds, control.maxRounds);
            EXPECT_EQ(lines, QStringList{RoundLimitMessage(control.maxRounds)});
        }
        ended += o.end == BattleEnd::Decided;
        if (HasFailure())
            return;
    }
    EXPECT_GT(ended, 150);
}

TEST(BattleTermination, TwoBillionFreightersFallFourRoundsEach)
{
    // Each round the hunter's 15 damage is carried until 60 passes half of 100:
    // one freighter every 4 rounds, each round 2 hours. The float sum of the
    // times stops growing at 2^25 hours, where adding 2 rounds back to it.
    const Fleet hunter = MakeFleet({{1, 10, 0, 100, 50}});
    const Fleet freighters = MakeFleet({{kMax, 0, 0, 100, 3}});
    const BattleOutcome o = FightBattle(hunter, freighters);
    EXPECT_TRUE(o.foreign.wipedOut);
    EXPECT_EQ(o.end, BattleEnd::Decided);
    EXPECT_EQ(o.rounds, 4 * int64_t(kMax));
    EXPECT_EQ(o.battleTime, 33554432.0f);
    const QStringList expected = test::Report(QStringLiteral("Dauer des Kampfes: 33554432:00:00 (8589934588 Runden)"),
        {QStringLiteral(" "),
         QStringLiteral("Es wurden keine Schiffe zerstört, weil die Fremdflotte keinen Angriff starten konnte.")},
        {QStringLiteral("Schiffstyp \tAnzahl \tStabilität \tAS \tPanzerung"),
         QStringLiteral("T0\t\t2147483647\t100\t0\t0"),
         QStringLiteral("Gesamt \t\t2147483647\t214748364700\t0\t\t0"),
         QStringLiteral("Die Flotte wurd vollständig zerstört."),
         QStringLiteral("Kosten in Solar: 6442450941")});
    EXPECT_EQ(BattleReport(hunter, freighters, o), expected);
}

TEST(BattleTermination, TwoBillionFreightersFallThreeEveryTwoRounds)
{
    // 150 damage: one freighter and 50 carried (not above half of 100); then 200:
    // two freighters. The last freighter falls in a round of its own, shorter
    // (4/3 hours): the home side needs only that long for 100 stability.
    const Fleet hunter = MakeFleet({{1, 100, 0, 100}});
    const Fleet freighters = MakeFleet({{kMax, 0, 0, 100}});
    const int64_t cycles = kMax / 3;
    ASSERT_EQ(kMax % 3, 1);
    const BattleOutcome o = FightBattle(hunter, freighters);
    EXPECT_TRUE(o.foreign.wipedOut);
    EXPECT_EQ(o.rounds, 2 * cycles + 1);
    EXPECT_EQ(o.foreign.lost[0], kMax);
    EXPECT_EQ(o.home.carry, 0); // the last round is shorter: 100 damage
    EXPECT_EQ(o.battleTime, 33554432.0f);
}

TEST(BattleTermination, ArmedShipsThatCannotHurtFallOneARound)
{
    // The foreign ships are armed (attack 1 each, together a lot), but their
    // damage never gets past the armour of the four home ships; their attack
    // shrinks with every loss. 60 damage a round destroys one ship of 100.
    const Fleet fortress = MakeFleet({{4, 10, kMax, 100}});
    const Fleet swarm = MakeFleet({{kMax, 1, 0, 100}});
    const BattleOutcome o = FightBattle(fortress, swarm);
    EXPECT_TRUE(o.foreign.wipedOut);
    EXPECT_FALSE(o.foreign.noAttack);
    EXPECT_EQ(o.rounds, int64_t(kMax));
    EXPECT_EQ(o.battleTime, 33554432.0f);
    const QStringList lines = BattleReport(fortress, swarm, o);
    EXPECT_EQ(lines.at(4), QStringLiteral("Es wurden keine Schiffe zerstört."));
    EXPECT_TRUE(lines.contains(QStringLiteral("Gesamt \t\t2147483647\t214748364700\t2147483647\t\t0")));
}

TEST(BattleTermination, HugeStabilityAndTinyDamageTakeQuintillionsOfRounds)
{
    // 3 damage a round against ships of stability 2^31-1: 357,913,942 rounds per
    // ship (3 · 357,913,942 = 1,073,741,826 > half), ten types of a billion ships.
    const Fleet needle = MakeFleet({{1, 2, 0, 100}});
    std::vector<TestShips> walls;
    for (int i = 0; i < 4; ++i)
        walls.push_back({kMax, 0, 0, kMax});
    const Fleet wall = MakeFleet(walls);
    const BattleOutcome o = FightBattle(needle, wall);
    EXPECT_EQ(o.end, BattleEnd::Decided);
    EXPECT_TRUE(o.foreign.wipedOut);
    int64_t ships = 0;
    for (int i = 0; i <= wall.LastIndex; ++i)
        ships += wall.Classes[size_t(i)].Count;
    EXPECT_EQ(o.rounds, int64_t(357913942) * ships);
    expectConsistentReport(needle, wall, BattleReport(needle, wall, o));
}

TEST(BattleTermination, FleetsThatKeepChangingTheirDamageStopAtTheRoundLimit)
{
    // Both fleets lose armed ships a few at a time and every loss changes the
    // damage: nothing repeats, and the battle would take billions of rounds.
    const Fleet home = MakeFleet({{kMax, 1, 0, kMax, 10}});
    const Fleet foreign = MakeFleet({{kMax, 1, 0, kMax, 20}});
    BattleControl control;
    control.maxRounds = 20000;
    const BattleOutcome o = FightBattle(home, foreign, control);
    EXPECT_EQ(o.end, BattleEnd::RoundLimit);
    EXPECT_FALSE(o.hasResult());
    EXPECT_EQ(o.rounds, 20000);
    EXPECT_EQ(BattleReport(home, foreign, o),
              QStringList{QStringLiteral("Kampf nicht beendet: nach 20000 Runden ist noch keine Flotte zerstört.")});
    // Up to the stop the battle is the reference's.
    const RefOutcome r = RefBattle(home, foreign, o.rounds);
    EXPECT_FALSE(r.finished);
    ExpectSameOutcome(home, foreign, o, r);
}

TEST(BattleTermination, ABattleEndingAtItsRoundLimitIsDecided)
{
    // Armed ships on both sides: every round differs, all are played one by one.
    const Fleet home = MakeFleet({{20000, 3, 0, 2000, 10}, {500, 1, 1, 50}});
    const Fleet foreign = MakeFleet({{30000, 2, 0, 1500, 10}});
    const RefOutcome r = RefBattle(home, foreign, 10000000);
    ASSERT_TRUE(r.finished);
    ASSERT_GT(r.rounds, 500);
    BattleControl control;
    control.maxRounds = r.rounds;
    const BattleOutcome o = FightBattle(home, foreign, control);
    EXPECT_EQ(o.end, BattleEnd::Decided);
    ExpectSameOutcome(home, foreign, o, r);
    control.maxRounds = r.rounds - 1;
    const BattleOutcome cut = FightBattle(home, foreign, control);
    EXPECT_EQ(cut.end, BattleEnd::RoundLimit);
    EXPECT_EQ(cut.rounds, r.rounds - 1);
}

TEST(BattleTermination, TheStandstillRuleStillBreaksOffFirst)
{
    const Fleet home = MakeFleet({{3, 0, 0, 100, 10}});
    const Fleet foreign = MakeFleet({{2, 0, 5, 80, 10}});
    BattleControl control;
    control.maxRounds = 1;
    const BattleOutcome o = FightBattle(home, foreign, control);
    EXPECT_EQ(o.end, BattleEnd::NoProgress);
    EXPECT_TRUE(o.hasResult());
    const QStringList lines = BattleReport(home, foreign, o);
    EXPECT_EQ(lines.at(1), QStringLiteral("Kampf abgebrochen: keine Flotte kann die andere zerstören."));
    EXPECT_EQ(lines.count(QStringLiteral("Kampf abgebrochen: keine Flotte kann die andere zerstören.")), 1);
}

TEST(BattleTermination, TwoBillionShipsHeldAtTheFixedTimeFallOneARound)
{
    // The battle of the swarm with 2,147,483,647 ships: home attack 72, armour
    // 52,800,000,008, stability 244,200,128; swarm attack 34,359,738,352
    // (effective 25,769,803,764). The swarm's own time is 53,044,200,136 /
    // 25,769,803,764 = 2.06, though 53,044,200,136 < 2 · 51,539,607,528; its
    // damage 51,539,607,528 never passes the armour. One swarm ship of 109
    // falls every round (108 > 54). Played one by one this would take minutes;
    // the battle is cancelled if it is still running after a few check-ins.
    const Fleet home = MakeFleet({{600000, 0, 88000, 407, 10, QStringLiteral("Bollwerk")},
                                  {1, 72, 8, 128, 10, QStringLiteral("Jäger")}});
    const Fleet swarm = MakeFleet({{kMax, 16, 0, 109, 10, QStringLiteral("Schwarm")}});
    std::atomic<bool> cancel{false};
    int checkIns = 0;
    BattleControl control;
    control.cancel = &cancel;
    control.progress = [&](const BattleProgress &) { cancel = ++checkIns >= 20; };
    const BattleOutcome o = FightBattle(home, swarm, control);
    EXPECT_EQ(o.end, BattleEnd::Decided);
    EXPECT_LT(checkIns, 20);
    EXPECT_EQ(o.rounds, int64_t(kMax));
    EXPECT_EQ(o.battleTime, 33554432.0f);
    const QStringList expected = test::Report(QStringLiteral("Dauer des Kampfes: 33554432:00:00 (2147483647 Runden)"),
        {QStringLiteral(" "), QStringLiteral("Es wurden keine Schiffe zerstört.")},
        {QStringLiteral("Schiffstyp \tAnzahl \tStabilität \tAS \tPanzerung"),
         QStringLiteral("Schwarm\t\t2147483647\t109\t16\t0"),
         QStringLiteral("Gesamt \t\t2147483647\t234075717523\t34359738352\t\t0"),
         QStringLiteral("Die Flotte wurd vollständig zerstört."),
         QStringLiteral("Kosten in Solar: 21474836470")});
    EXPECT_EQ(BattleReport(home, swarm, o), expected);
}

// ---------------------------------------------------------------------------
// Following and stopping a battle.

TEST(BattleControl, ProgressGrowsAndACancelFromTheCallbackStopsTheBattle)
{
    // Evenly matched fleets losing armed ships every round: billions of rounds,
    // all played one by one.
    const Fleet home = MakeFleet({{kMax, 1, 0, kMax, 10}});
    const Fleet foreign = MakeFleet({{kMax, 1, 0, kMax, 20}});
    std::atomic<bool> cancel{false};
    std::vector<BattleProgress> seen;
    BattleControl control;
    control.cancel = &cancel;
    control.progress = [&](const BattleProgress &p) {
        seen.push_back(p);
        if (seen.size() == 5)
            cancel = true;
    };
    const BattleOutcome o = FightBattle(home, foreign, control);
    EXPECT_EQ(o.end, BattleEnd::Cancelled);
    EXPECT_FALSE(o.hasResult());
    ASSERT_EQ(seen.size(), 5u);
    for (size_t i = 1; i < seen.size(); ++i) {
        EXPECT_GT(seen[i].rounds, seen[i - 1].rounds);
        EXPECT_LE(seen[i].homeShipsLeft, seen[i - 1].homeShipsLeft);
        EXPECT_LE(seen[i].foreignShipsLeft, seen[i - 1].foreignShipsLeft);
    }
    EXPECT_GT(seen[0].rounds, 0);
    EXPECT_EQ(o.rounds, seen.back().rounds);
    EXPECT_EQ(seen.back().homeShipsLeft, kMax - o.home.lost[0]);
    EXPECT_EQ(seen.back().foreignShipsLeft, kMax - o.foreign.lost[0]);
    EXPECT_LT(seen.back().foreignShipsLeft, kMax);
    const QStringList expected = {QStringLiteral("Simulation abgebrochen nach ") + QString::number(o.rounds)
                                      + QStringLiteral(" Runden."),
                                  QStringLiteral("Es gibt kein Ergebnis.")};
    EXPECT_EQ(BattleReport(home, foreign, o), expected);
    // Up to the cancel the battle is the reference's.
    const RefOutcome r = RefBattle(home, foreign, o.rounds);
    ExpectSameSide(o.home, r.home);
    ExpectSameSide(o.foreign, r.foreign);
    EXPECT_EQ(o.battleTime, r.time);
}

TEST(BattleControl, AShortBattleNeverCallsBack)
{
    const test::BattleExample &example = test::CarryWorkedExample();
    int calls = 0;
    BattleControl control;
    control.progress = [&](const BattleProgress &) { ++calls; };
    const BattleOutcome o = FightBattle(example.homeFleet(), example.foreignFleet(), control);
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(o.end, BattleEnd::Decided);
    EXPECT_EQ(BattleReport(example.homeFleet(), example.foreignFleet(), o), example.report);
}

TEST(BattleControl, TheCancelledReportAndTheRoundLimitMessage)
{
    EXPECT_EQ(CancelledReport(1234567),
              QStringList({QStringLiteral("Simulation abgebrochen nach 1234567 Runden."),
                           QStringLiteral("Es gibt kein Ergebnis.")}));
    EXPECT_EQ(RoundLimitMessage(50),
              QStringLiteral("Kampf nicht beendet: nach 50 Runden ist noch keine Flotte zerstört."));
}

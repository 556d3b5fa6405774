// Every battle ends: stretches of rounds that repeat are taken at once and give
// exactly the report of the round-by-round rules; what cannot be taken at once
// is broken off after a limit of rounds played one by one.
#include "battle/BattleSimulation.h"
#include "battle/Fleet.h"
#include "model/Numeric.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <limits>
#include <random>
#include <vector>

using namespace qf;

namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

struct Type {
    int count;
    int as;
    int armor;
    int stability;
    int fe = 0; // the cost in Solar when only iron is given
};

Fleet makeFleet(const std::vector<Type> &types)
{
    Fleet f;
    for (size_t i = 0; i < types.size(); ++i) {
        const Type &t = types[i];
        f.AddShips(t.count, t.as, t.armor, t.stability, QStringLiteral("T%1").arg(i), t.fe, 0, 0);
    }
    return f;
}

// ---------------------------------------------------------------------------
// The reference: the rules as they read, one round and one ship at a time.

struct RefSide {
    int64_t stability = 0;
    int64_t attack = 0;
    int64_t armor = 0;
    int64_t carry = 0;
    std::array<int64_t, Fleet::Capacity> lost{};
    bool noAttack = true;
    bool wiped = false;
};

RefSide refStart(const Fleet &f)
{
    RefSide s;
    s.stability = f.TotalStability;
    s.attack = f.TotalAS;
    s.armor = f.TotalArmor;
    return s;
}

void refFire(const Fleet &y, RefSide &s, int64_t &d)
{
    int position = -1;
    bool fires = true;
    while (fires && !s.wiped) {
        ++position;
        const Fleet::ShipClass &e = y.Classes[size_t(position)];
        if (s.lost[size_t(position)] < e.Count) {
            if (d > e.Stability / 2) {
                ++s.lost[size_t(position)];
                s.stability -= e.Stability;
                s.attack -= e.AS;
                s.armor -= e.Armor;
                d -= e.Stability;
                if (d < 0)
                    fires = false;
            } else {
                fires = false;
            }
        }
        if (position == y.LastIndex)
            position = -1;
        if (s.stability < 1)
            s.wiped = true;
    }
}

struct RefOutcome {
    RefSide home;
    RefSide foreign;
    float time = 0.0f;
    int64_t rounds = 0;
    bool aborted = false;
    bool finished = true; // false when stopped after maxRounds rounds
};

float refRoundTime(const RefSide &x, const RefSide &y, int64_t &e)
{
    const float p = float((long double)x.attack * (long double)1.5f);
    e = int64_t((long double)x.attack * (long double)0.75f);
    // Both totals may be near the 64-bit limit: their sum is taken in extended precision.
    const long double s = (long double)y.stability + (long double)y.armor;
    if (s >= (long double)2.0f * (long double)p)
        return 2.0f;
    if (e == 0)
        return 2.0f;
    return float(s / (long double)e);
}

int64_t refDamage(long double value)
{
    return value >= 9223372036854775807.0L ? std::numeric_limits<int64_t>::max() : int64_t(value);
}

// Stops unfinished after `maxRounds` rounds.
RefOutcome refBattle(const Fleet &home, const Fleet &foreign, int64_t maxRounds)
{
    RefOutcome o;
    RefSide &h = o.home;
    RefSide &f = o.foreign;
    h = refStart(home);
    f = refStart(foreign);
    while (!h.wiped && !f.wiped) {
        if (o.rounds >= maxRounds) {
            o.finished = false;
            return o;
        }
        int64_t eH = 0, eF = 0;
        const float tH = refRoundTime(h, f, eH);
        const float tF = refRoundTime(f, h, eF);
        float t = tH < tF ? tH : tF;
        if (t > 2.0f)
            t = 2.0f;
        int64_t dH = refDamage((long double)h.attack * 0.75f * t + h.carry - f.armor);
        const bool homeFires = dH >= 1;
        if (homeFires)
            h.noAttack = false;
        else
            dH = 0;
        const bool foreignFires = eF >= 1;
        if (foreignFires)
            f.noAttack = false;
        else
            eF = 0;
        int64_t dF = refDamage((long double)eF * t + f.carry - h.armor);
        o.time = float((long double)o.time + t);
        ++o.rounds;
        const RefSide hBefore = h;
        const RefSide fBefore = f;
        if (homeFires)
            refFire(foreign, f, dH);
        if (foreignFires)
            refFire(home, h, dF);
        h.carry = dH > 0 ? dH : 0;
        f.carry = dF > 0 ? dF : 0;
        const bool nothingDestroyed = h.lost == hBefore.lost && f.lost == fBefore.lost;
        if (nothingDestroyed && !h.wiped && !f.wiped
            && ((h.carry == 0 && f.carry == 0)
                || (h.carry == hBefore.carry && f.carry == fBefore.carry))) {
            o.aborted = true;
            break;
        }
    }
    // A wiped-out fleet has lost every ship, also those without stability.
    for (auto [fleet, side] : {std::pair{&home, &h}, std::pair{&foreign, &f}}) {
        if (!side->wiped)
            continue;
        for (int i = 0; i <= fleet->LastIndex; ++i)
            side->lost[size_t(i)] = fleet->Classes[size_t(i)].Count;
        side->stability = side->attack = side->armor = 0;
    }
    return o;
}

BattleOutcome asOutcome(const RefOutcome &r)
{
    BattleOutcome o;
    for (auto [to, from] : {std::pair{&o.home, &r.home}, std::pair{&o.foreign, &r.foreign}}) {
        to->stabilityLeft = from->stability;
        to->attackLeft = from->attack;
        to->armorLeft = from->armor;
        to->carry = from->carry;
        to->lost = from->lost;
        to->noAttack = from->noAttack;
        to->wipedOut = from->wiped;
    }
    o.battleTime = r.time;
    o.rounds = r.rounds;
    o.aborted = r.aborted;
    return o;
}

void expectSameSide(const BattleSide &s, const RefSide &r)
{
    EXPECT_EQ(s.stabilityLeft, r.stability);
    EXPECT_EQ(s.attackLeft, r.attack);
    EXPECT_EQ(s.armorLeft, r.armor);
    EXPECT_EQ(s.carry, r.carry);
    EXPECT_EQ(s.lost, r.lost);
    EXPECT_EQ(s.noAttack, r.noAttack);
    EXPECT_EQ(s.wipedOut, r.wiped);
}

// The simulator and the reference agree on every value and on the report.
// Returns false (and checks nothing) when the reference would take too long.
bool agreesWithReference(const Fleet &home, const Fleet &foreign, int64_t maxRounds,
                         int64_t *rounds = nullptr)
{
    const RefOutcome ref = refBattle(home, foreign, maxRounds);
    if (!ref.finished)
        return false;
    const RefOutcome *r = &ref;
    const BattleOutcome o = FightBattle(home, foreign);
    EXPECT_FALSE(o.capped);
    expectSameSide(o.home, r->home);
    expectSameSide(o.foreign, r->foreign);
    EXPECT_EQ(o.rounds, r->rounds);
    EXPECT_EQ(o.battleTime, r->time);
    EXPECT_EQ(o.aborted, r->aborted);
    EXPECT_EQ(BattleReport(home, foreign, o), BattleReport(home, foreign, asOutcome(*r)));
    if (rounds)
        *rounds = r->rounds;
    return true;
}

// ---------------------------------------------------------------------------
// Fleets.

int pick(std::mt19937 &rng, int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(rng);
}

bool chance(std::mt19937 &rng, int percent) { return pick(rng, 0, 99) < percent; }

Fleet randomFleet(std::mt19937 &rng, int maxTypes, int maxCount, int maxValue)
{
    Fleet f;
    const int n = pick(rng, 1, maxTypes);
    for (int i = 0; i < n; ++i) {
        // Now and then a type without stability, attack or armour.
        const int stability = chance(rng, 10) ? 0 : pick(rng, 0, maxValue);
        const int as = chance(rng, 10) ? 0 : pick(rng, 0, maxValue);
        const int armor = chance(rng, 40) ? 0 : pick(rng, 0, maxValue) / 3;
        f.AddShips(pick(rng, 1, maxCount), as, armor, stability, QStringLiteral("T%1").arg(i),
                   pick(rng, 0, maxValue), 0, 0);
    }
    return f;
}

// A few strong ships against many weak ones: mostly unarmed freighters, some
// armed but too weak to get through the armour, stabilities large and small.
std::pair<Fleet, Fleet> grindingBattle(std::mt19937 &rng, int maxShips)
{
    std::vector<Type> strong;
    const int strongTypes = pick(rng, 1, 3);
    for (int i = 0; i < strongTypes; ++i) {
        const int armor = chance(rng, 50) ? 0 : chance(rng, 50) ? pick(rng, 1, 20) : pick(rng, 1000, 200000);
        strong.push_back({pick(rng, 1, 4), chance(rng, 10) ? pick(rng, 0, 1) : pick(rng, 2, 400), armor,
                          pick(rng, 1, 2000), pick(rng, 0, 500)});
    }
    std::vector<Type> weak;
    const int weakTypes = pick(rng, 1, 10);
    const int bigStability = chance(rng, 30) ? 20000 : 600;
    for (int i = 0; i < weakTypes; ++i) {
        const int as = chance(rng, 65) ? 0 : chance(rng, 50) ? pick(rng, 1, 3) : pick(rng, 1, 40);
        const int armor = chance(rng, 70) ? 0 : pick(rng, 1, 4);
        const int stability = chance(rng, 5) ? 0 : pick(rng, 1, bigStability);
        weak.push_back({pick(rng, 1, maxShips), as, armor, stability, pick(rng, 0, 300)});
    }
    if (chance(rng, 50))
        return {makeFleet(strong), makeFleet(weak)};
    return {makeFleet(weak), makeFleet(strong)};
}

// Damage a little above the stability of the target's ships: one ship falls
// every round and the carry creeps up until a second one falls.
std::pair<Fleet, Fleet> creepingBattle(std::mt19937 &rng, int maxShips)
{
    const int stability = pick(rng, 20, 4000);
    const int damage = stability + pick(rng, 1, std::max(2, stability / pick(rng, 2, 60)));
    const int as = damage * 2 / 3 + pick(rng, 0, 1);
    const Fleet strong = makeFleet({{1, as, pick(rng, 0, 1) * 5, pick(rng, 100, 1000), 10}});
    std::vector<Type> weak;
    const int weakTypes = pick(rng, 1, 3);
    for (int i = 0; i < weakTypes; ++i)
        weak.push_back({pick(rng, 1, maxShips), chance(rng, 20) ? 1 : 0, 0,
                        i == 0 ? stability : pick(rng, 1, stability), 7});
    if (chance(rng, 50))
        return {strong, makeFleet(weak)};
    return {makeFleet(weak), strong};
}

// Both fleets lead with unarmed freighters and grind each other down.
std::pair<Fleet, Fleet> mutualBattle(std::mt19937 &rng, int maxShips)
{
    auto fleet = [&] {
        std::vector<Type> types;
        types.push_back({pick(rng, 1, maxShips), 0, 0, pick(rng, 10, 3000), 5});
        if (chance(rng, 50))
            types.push_back({pick(rng, 1, maxShips), 0, pick(rng, 0, 2), pick(rng, 10, 3000), 5});
        types.push_back({pick(rng, 1, 3), pick(rng, 2, 200), 0, pick(rng, 1000, 100000), 50});
        return makeFleet(types);
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
        RefSide ref = refStart(target);
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
        refFire(target, ref, refDamage);
        ASSERT_EQ(left, refDamage) << "trial " << trial;
        ASSERT_EQ(side.lost, ref.lost) << "trial " << trial;
        ASSERT_EQ(side.stabilityLeft, ref.stability);
        ASSERT_EQ(side.attackLeft, ref.attack);
        ASSERT_EQ(side.armorLeft, ref.armor);
        ASSERT_EQ(side.wipedOut, ref.wiped) << "trial " << trial;
    }
}

TEST(FightBattle, AgreesWithTheReferenceOnRandomFleets)
{
    std::mt19937 rng(7);
    int compared = 0;
    for (int trial = 0; trial < 4000; ++trial) {
        SCOPED_TRACE(trial);
        const int maxCount = trial % 4 == 0 ? 400 : 25;
        const Fleet home = randomFleet(rng, 10, maxCount, 60);
        const Fleet foreign = randomFleet(rng, 10, maxCount, 60);
        compared += agreesWithReference(home, foreign, 1000000);
        if (HasFailure())
            return;
    }
    EXPECT_EQ(compared, 4000);
}

TEST(FightBattle, AgreesWithTheReferenceWhenFewShipsGrindDownMany)
{
    std::mt19937 rng(11);
    int compared = 0;
    int64_t longest = 0;
    for (int trial = 0; trial < 400; ++trial) {
        SCOPED_TRACE(trial);
        const auto [home, foreign] = grindingBattle(rng, trial % 5 == 0 ? 3000 : 300);
        int64_t rounds = 0;
        if (agreesWithReference(home, foreign, 200000, &rounds)) {
            ++compared;
            longest = std::max(longest, rounds);
        }
        if (HasFailure())
            return;
    }
    EXPECT_GT(compared, 300);
    EXPECT_GT(longest, 20000); // long battles are among them
}

TEST(FightBattle, AgreesWithTheReferenceWhenTheCarryCreepsUp)
{
    std::mt19937 rng(12);
    int compared = 0;
    for (int trial = 0; trial < 300; ++trial) {
        SCOPED_TRACE(trial);
        const auto [home, foreign] = creepingBattle(rng, trial % 3 == 0 ? 20000 : 2000);
        compared += agreesWithReference(home, foreign, 200000);
        if (HasFailure())
            return;
    }
    EXPECT_GT(compared, 250);
}

TEST(FightBattle, AgreesWithTheReferenceWhenBothFleetsGrind)
{
    std::mt19937 rng(13);
    int compared = 0;
    for (int trial = 0; trial < 200; ++trial) {
        SCOPED_TRACE(trial);
        const auto [home, foreign] = mutualBattle(rng, 3000);
        compared += agreesWithReference(home, foreign, 200000);
        if (HasFailure())
            return;
    }
    EXPECT_GT(compared, 150);
}

// Fleets of up to 2^31-1 ships, the battle stopped early by a small limit of
// rounds played one by one (after stretches taken at once): where the reference
// can follow, every value agrees after as many rounds.
TEST(FightBattle, HugeFleetsStoppedEarlyAgreeWithTheReference)
{
    std::mt19937 rng(14);
    int compared = 0;
    int jumped = 0;
    for (int trial = 0; trial < 600; ++trial) {
        SCOPED_TRACE(trial);
        std::vector<Type> strong;
        for (int i = pick(rng, 1, 3); i > 0; --i)
            strong.push_back({pick(rng, 1, 3), pick(rng, 0, 400),
                              chance(rng, 50) ? 0 : chance(rng, 50) ? pick(rng, 1, 20) : pick(rng, 1000000, kMax),
                              pick(rng, 1, chance(rng, 20) ? kMax : 5000), 3});
        std::vector<Type> weak;
        const int most[] = {kMax, 1000000, 3000};
        for (int i = pick(rng, 1, 10); i > 0; --i)
            weak.push_back({pick(rng, 1, weak.empty() ? 20000 : most[pick(rng, 0, 2)]),
                            chance(rng, 60) ? 0 : pick(rng, 0, 3), chance(rng, 70) ? 0 : pick(rng, 0, 5),
                            chance(rng, 5) ? 0 : pick(rng, 1, chance(rng, 10) ? kMax : 300), 2});
        const bool strongAtHome = chance(rng, 50);
        const Fleet home = makeFleet(strongAtHome ? strong : weak);
        const Fleet foreign = makeFleet(strongAtHome ? weak : strong);
        const int64_t limit = pick(rng, 1, 300);
        const BattleOutcome o = FightBattle(home, foreign, limit);
        int64_t destroyed = 0;
        for (size_t i = 0; i < size_t(Fleet::Capacity); ++i)
            destroyed += o.home.lost[i] + o.foreign.lost[i];
        if (o.rounds > 300000 || destroyed > 1000000)
            continue; // too far for the reference
        ++compared;
        jumped += o.rounds > limit;
        const RefOutcome r = refBattle(home, foreign, o.rounds);
        EXPECT_EQ(r.finished, !o.capped);
        expectSameSide(o.home, r.home);
        expectSameSide(o.foreign, r.foreign);
        EXPECT_EQ(o.rounds, r.rounds);
        EXPECT_EQ(o.battleTime, r.time);
        if (HasFailure())
            return;
    }
    EXPECT_GT(compared, 400);
    EXPECT_GT(jumped, 60); // stretches were taken at once before the stop
}

TEST(FightBattle, MillionsOfShipsAgreeWithTheReference)
{
    // Few types, many ships: the reference still manages it ship by ship.
    const Fleet home = makeFleet({{300000, 12, 1, 30}, {200000, 7, 0, 11}});
    const Fleet foreign = makeFleet({{250000, 9, 2, 25}, {400000, 3, 0, 8}});
    EXPECT_TRUE(agreesWithReference(home, foreign, 10000000));
    // One ship with attack 10 against 100,000 freighters: 4 rounds per freighter.
    const Fleet hunter = makeFleet({{1, 10, 0, 100}});
    const Fleet freighters = makeFleet({{100000, 0, 0, 100}});
    int64_t rounds = 0;
    EXPECT_TRUE(agreesWithReference(hunter, freighters, 1000000, &rounds));
    EXPECT_EQ(rounds, 400000);
}

TEST(FightBattle, AWipedOutFleetLosesAlsoItsShipsWithoutStability)
{
    // The ship with stability 20 falls: the stability left is 0, the fleet is
    // wiped out, and its three ships without stability go down with it.
    const Fleet home = makeFleet({{3, 5, 1, 0, 10}, {1, 7, 2, 20, 100}});
    const Fleet foreign = makeFleet({{1, 100, 0, 1000, 10}});
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
        const BattleOutcome o = FightBattle(home, foreign, 200000);
        const QStringList lines = BattleReport(home, foreign, o);
        expectConsistentReport(home, foreign, lines);
        EXPECT_GE(o.rounds, 1);
        EXPECT_EQ(o.aborted || o.capped, !o.home.wipedOut && !o.foreign.wipedOut);
        ended += o.home.wipedOut || o.foreign.wipedOut;
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
    const Fleet hunter = makeFleet({{1, 10, 0, 100, 50}});
    const Fleet freighters = makeFleet({{kMax, 0, 0, 100, 3}});
    const BattleOutcome o = FightBattle(hunter, freighters);
    EXPECT_TRUE(o.foreign.wipedOut);
    EXPECT_FALSE(o.capped);
    EXPECT_EQ(o.rounds, 4 * int64_t(kMax));
    EXPECT_EQ(o.battleTime, 33554432.0f);
    const QStringList expected = {
        QStringLiteral("Dauer des Kampfes: 33554432:00:00 (8589934588 Runden)"),
        QStringLiteral(" "),
        QStringLiteral("In der Heimatflotte wurden bei dem Kampf folgende Schiffe zerstört:"),
        QStringLiteral(" "),
        QStringLiteral("Es wurden keine Schiffe zerstört, weil die Fremdflotte keinen Angriff starten konnte."),
        QStringLiteral(" "),
        QStringLiteral("In der Fremdflotte wurden bei dem Kampf folgende Schiffe zerstört:"),
        QStringLiteral("Schiffstyp \tAnzahl \tStabilität \tAS \tPanzerung"),
        QStringLiteral("T0\t\t2147483647\t100\t0\t0"),
        QStringLiteral("Gesamt \t\t2147483647\t214748364700\t0\t\t0"),
        QStringLiteral("Die Flotte wurd vollständig zerstört."),
        QStringLiteral("Kosten in Solar: 6442450941"),
    };
    EXPECT_EQ(BattleReport(hunter, freighters, o), expected);
}

TEST(BattleTermination, TwoBillionFreightersFallThreeEveryTwoRounds)
{
    // 150 damage: one freighter and 50 carried (not above half of 100); then 200:
    // two freighters. The last freighter falls in a round of its own, shorter
    // (4/3 hours): the home side needs only that long for 100 stability.
    const Fleet hunter = makeFleet({{1, 100, 0, 100}});
    const Fleet freighters = makeFleet({{kMax, 0, 0, 100}});
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
    const Fleet fortress = makeFleet({{4, 10, kMax, 100}});
    const Fleet swarm = makeFleet({{kMax, 1, 0, 100}});
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
    const Fleet needle = makeFleet({{1, 2, 0, 100}});
    std::vector<Type> walls;
    for (int i = 0; i < 4; ++i)
        walls.push_back({kMax, 0, 0, kMax});
    const Fleet wall = makeFleet(walls);
    const BattleOutcome o = FightBattle(needle, wall);
    EXPECT_FALSE(o.capped);
    EXPECT_TRUE(o.foreign.wipedOut);
    int64_t ships = 0;
    for (int i = 0; i <= wall.LastIndex; ++i)
        ships += wall.Classes[size_t(i)].Count;
    EXPECT_EQ(o.rounds, int64_t(357913942) * ships);
    expectConsistentReport(needle, wall, BattleReport(needle, wall, o));
}

TEST(BattleTermination, FleetsThatKeepChangingTheirDamageAreBrokenOff)
{
    // Both fleets lose armed ships a few at a time and every loss changes the
    // damage: nothing repeats, and the battle would take billions of rounds.
    const Fleet home = makeFleet({{kMax, 1, 0, kMax, 10}});
    const Fleet foreign = makeFleet({{kMax, 1, 0, kMax, 20}});
    const BattleOutcome o = FightBattle(home, foreign, 20000);
    EXPECT_TRUE(o.capped);
    EXPECT_FALSE(o.aborted);
    EXPECT_GE(o.rounds, 20000);
    const QStringList lines = BattleReport(home, foreign, o);
    EXPECT_EQ(lines.at(1), QStringLiteral("Kampf abgebrochen: nach ") + QString::number(o.rounds)
                               + QStringLiteral(" Runden ist noch keine Flotte zerstört."));
    EXPECT_EQ(lines.at(2), QStringLiteral(" "));
    expectConsistentReport(home, foreign, lines);
    EXPECT_FALSE(lines.contains(QStringLiteral("Die Flotte wurd vollständig zerstört.")));

    // Up to the break the battle is the reference's.
    const RefOutcome r = refBattle(home, foreign, o.rounds);
    EXPECT_FALSE(r.finished);
    expectSameSide(o.home, r.home);
    expectSameSide(o.foreign, r.foreign);
    EXPECT_EQ(o.battleTime, r.time);
    // With the default limit it ends as well.
    const BattleOutcome full = FightBattle(home, foreign);
    EXPECT_TRUE(full.capped);
    EXPECT_GE(full.rounds, kBattleRoundLimit);
}

TEST(BattleTermination, ABattleWithinTheLimitIsNeverBrokenOff)
{
    // Armed ships on both sides: every round differs, all are played one by one.
    const Fleet home = makeFleet({{20000, 3, 0, 2000, 10}, {500, 1, 1, 50}});
    const Fleet foreign = makeFleet({{30000, 2, 0, 1500, 10}});
    const RefOutcome r = refBattle(home, foreign, 10000000);
    ASSERT_TRUE(r.finished);
    ASSERT_GT(r.rounds, 500);
    const BattleOutcome o = FightBattle(home, foreign, r.rounds);
    EXPECT_FALSE(o.capped);
    EXPECT_EQ(o.rounds, r.rounds);
    EXPECT_EQ(BattleReport(home, foreign, o), BattleReport(home, foreign, asOutcome(r)));
    const BattleOutcome cut = FightBattle(home, foreign, r.rounds / 2);
    EXPECT_TRUE(cut.capped);
    EXPECT_LT(cut.rounds, r.rounds);
}

TEST(BattleTermination, TheStandstillRuleStillBreaksOffFirst)
{
    const Fleet home = makeFleet({{3, 0, 0, 100, 10}});
    const Fleet foreign = makeFleet({{2, 0, 5, 80, 10}});
    const BattleOutcome o = FightBattle(home, foreign);
    EXPECT_TRUE(o.aborted);
    EXPECT_FALSE(o.capped);
    const QStringList lines = BattleReport(home, foreign, o);
    EXPECT_EQ(lines.at(1), QStringLiteral("Kampf abgebrochen: keine Flotte kann die andere zerstören."));
    EXPECT_EQ(lines.count(QStringLiteral("Kampf abgebrochen: keine Flotte kann die andere zerstören.")), 1);
}

// ---------------------------------------------------------------------------

TEST(AddRoundTimes, EqualsOneAdditionAtATime)
{
    std::mt19937 rng(99);
    const float starts[] = {0.0f, 1.0f, 2.0f, 3.0f, 1e-6f, 12345.678f, 16777215.0f, 33554430.0f, 1e7f};
    for (int trial = 0; trial < 400; ++trial) {
        float start = starts[trial % 9];
        if (trial % 3 == 0)
            start = std::uniform_real_distribution<float>(0.0f, 5e6f)(rng);
        float t = 0.0f;
        switch (trial % 5) {
        case 0: t = 2.0f; break;
        case 1: t = std::ldexp(1.0f, pick(rng, -30, 1)); break; // exact halves of units
        case 2: t = std::uniform_real_distribution<float>(0.0f, 2.0f)(rng); break;
        case 3: t = std::ldexp(std::uniform_real_distribution<float>(1.0f, 2.0f)(rng), pick(rng, -40, 0)); break;
        default: t = float(pick(rng, 1, 7)) / 8.0f; break;
        }
        const uint64_t count = uint64_t(pick(rng, 0, trial % 10 == 0 ? 3000000 : 20000));
        float expected = start;
        for (uint64_t i = 0; i < count; ++i)
            expected = float((long double)expected + (long double)t);
        ASSERT_EQ(AddRoundTimes(start, t, count), expected)
            << "start " << start << " t " << t << " count " << count;
    }
}

TEST(AddRoundTimes, SaturatesWhereTheRoundTimeIsHalfAUnit)
{
    // 2.0 per round: 2^24 rounds reach 2^25, where the unit is 4 and 2 rounds back.
    EXPECT_EQ(AddRoundTimes(0.0f, 2.0f, uint64_t(1) << 24), 33554432.0f);
    EXPECT_EQ(AddRoundTimes(0.0f, 2.0f, uint64_t(1) << 62), 33554432.0f);
    EXPECT_EQ(AddRoundTimes(0.0f, 2.0f, 1000), 2000.0f);
    // From an odd multiple of the unit the half rounds up once to the even one.
    EXPECT_EQ(AddRoundTimes(33554436.0f, 2.0f, 5), 33554440.0f);
    EXPECT_EQ(AddRoundTimes(5.0f, 0.0f, 1000000), 5.0f);
}

// The battle simulation and its report.
#include "battle/BattleSimulation.h"
#include "battle/Fleet.h"
#include "model/Numeric.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <random>
#include <vector>

using namespace qf;

namespace {

struct Type {
    QString name;
    int count;
    int as;
    int armor;
    int stability;
    int fe = 0; // the cost in Solar when only iron is given
};

Fleet makeFleet(const std::vector<Type> &types)
{
    Fleet f;
    for (const Type &t : types)
        f.AddShips(t.count, t.as, t.armor, t.stability, t.name, t.fe, 0, 0);
    return f;
}

QStringList report(const Fleet &home, const Fleet &foreign)
{
    QStringList lines;
    SimulateBattle(home, foreign, lines);
    return lines;
}

// ---------------------------------------------------------------------------
// A reference battle, written ship by ship and round by round exactly as the
// rules read, without any shortcut. The simulator must agree with it.

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
};

float refRoundTime(const RefSide &x, float r, const RefSide &y, int64_t &e)
{
    const float p = float((long double)x.attack * (long double)1.5f);
    e = int64_t((long double)x.attack * (long double)r);
    const int64_t s = y.stability + y.armor;
    if ((long double)s >= (long double)2.0f * (long double)p)
        return 2.0f;
    if (e == 0)
        return 2.0f;
    return float((long double)s / (long double)e);
}

RefOutcome refBattle(const Fleet &home, const Fleet &foreign)
{
    RefOutcome o;
    RefSide &h = o.home;
    RefSide &f = o.foreign;
    h = refStart(home);
    f = refStart(foreign);
    while (!h.wiped && !f.wiped) {
        const float rH = 0.75f;
        const float rF = 0.75f;
        int64_t eH = 0, eF = 0;
        const float tH = refRoundTime(h, rH, f, eH);
        const float tF = refRoundTime(f, rF, h, eF);
        float t = tH < tF ? tH : tF;
        if (t > 2.0f)
            t = 2.0f;
        int64_t dH = int64_t((long double)h.attack * rH * t + h.carry - f.armor);
        bool homeFires = true;
        if (dH < 1) {
            homeFires = false;
            dH = 0;
        } else {
            h.noAttack = false;
        }
        bool foreignFires = true;
        if (eF < 1) {
            foreignFires = false;
            eF = 0;
        } else {
            f.noAttack = false;
        }
        int64_t dF = int64_t((long double)eF * t + f.carry - h.armor);
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

Fleet randomFleet(std::mt19937 &rng, int maxTypes, int maxCount, int maxValue)
{
    std::uniform_int_distribution<int> types(1, maxTypes);
    std::uniform_int_distribution<int> count(1, maxCount);
    std::uniform_int_distribution<int> value(0, maxValue);
    std::uniform_int_distribution<int> zeroChance(0, 9);
    Fleet f;
    const int n = types(rng);
    for (int i = 0; i < n; ++i) {
        // Now and then a type without stability, attack or armour.
        const int stability = zeroChance(rng) == 0 ? 0 : value(rng);
        const int as = zeroChance(rng) == 0 ? 0 : value(rng);
        const int armor = zeroChance(rng) < 4 ? 0 : value(rng) / 3;
        f.AddShips(count(rng), as, armor, stability, QStringLiteral("T%1").arg(i), value(rng), 0, 0);
    }
    return f;
}

} // namespace

TEST(AverageRandom, IsAlwaysTheAverage)
{
    EXPECT_EQ(AverageRandom(true), 0.75f);
    EXPECT_EQ(AverageRandom(false), 0.75f);
}

TEST(BattleReport, FirstWorkedExample)
{
    const Fleet home = makeFleet({{QStringLiteral("Zerstörer"), 10, 40, 0, 100, 1000}});
    const Fleet foreign = makeFleet({{QStringLiteral("Korvette"), 5, 10, 10, 50, 120}});
    const QStringList expected = {
        QStringLiteral("Dauer des Kampfes: 01:00:00 (1 Runden)"),
        QStringLiteral(" "),
        QStringLiteral("In der Heimatflotte wurden bei dem Kampf folgende Schiffe zerstört:"),
        QStringLiteral(" "),
        QStringLiteral("Es wurden keine Schiffe zerstört."),
        QStringLiteral(" "),
        QStringLiteral("In der Fremdflotte wurden bei dem Kampf folgende Schiffe zerstört:"),
        QStringLiteral("Schiffstyp \tAnzahl \tStabilität \tAS \tPanzerung"),
        QStringLiteral("Korvette\t\t5\t50\t10\t10"),
        QStringLiteral("Gesamt \t\t5\t250\t50\t\t50"),
        QStringLiteral("Die Flotte wurd vollständig zerstört."),
        QStringLiteral("Kosten in Solar: 600"),
    };
    EXPECT_EQ(report(home, foreign), expected);

    const BattleOutcome o = FightBattle(home, foreign);
    EXPECT_EQ(o.foreign.carry, 37); // 37 does not pass half of 100
    EXPECT_EQ(o.foreign.lost[0], 5);
    EXPECT_FALSE(o.aborted);
}

TEST(BattleReport, SecondWorkedExampleCarriesTheDamage)
{
    const Fleet home = makeFleet({{QStringLiteral("Jäger"), 1, 10, 0, 100, 100}});
    const Fleet foreign = makeFleet({{QStringLiteral("Frachter"), 1, 0, 0, 100, 250}});
    const QStringList expected = {
        QStringLiteral("Dauer des Kampfes: 08:00:00 (4 Runden)"),
        QStringLiteral(" "),
        QStringLiteral("In der Heimatflotte wurden bei dem Kampf folgende Schiffe zerstört:"),
        QStringLiteral(" "),
        QStringLiteral("Es wurden keine Schiffe zerstört, weil die Fremdflotte keinen Angriff starten konnte."),
        QStringLiteral(" "),
        QStringLiteral("In der Fremdflotte wurden bei dem Kampf folgende Schiffe zerstört:"),
        QStringLiteral("Schiffstyp \tAnzahl \tStabilität \tAS \tPanzerung"),
        QStringLiteral("Frachter\t\t1\t100\t0\t0"),
        QStringLiteral("Gesamt \t\t1\t100\t0\t\t0"),
        QStringLiteral("Die Flotte wurd vollständig zerstört."),
        QStringLiteral("Kosten in Solar: 250"),
    };
    EXPECT_EQ(report(home, foreign), expected);
    const BattleOutcome o = FightBattle(home, foreign);
    EXPECT_EQ(o.home.carry, 0); // 60 - 100 is negative
    EXPECT_TRUE(o.foreign.noAttack);
}

TEST(BattleReport, AppendsWithoutClearingAndLeavesTheFleets)
{
    const Fleet home = makeFleet({{QStringLiteral("A"), 3, 30, 2, 60, 10}});
    const Fleet foreign = makeFleet({{QStringLiteral("B"), 4, 20, 1, 40, 10}});
    QStringList lines = {QStringLiteral("vorher")};
    SimulateBattle(home, foreign, lines);
    EXPECT_EQ(lines.first(), QStringLiteral("vorher"));
    EXPECT_TRUE(lines.at(1).startsWith(QStringLiteral("Dauer des Kampfes: ")));
    EXPECT_EQ(home.Classes[0].Count, 3);
    EXPECT_EQ(foreign.Classes[0].Count, 4);
    EXPECT_EQ(home.TotalAS, 90);
}

TEST(BattleReport, EqualFleetsWipeEachOtherOutInTheSameRound)
{
    const std::vector<Type> types = {{QStringLiteral("Zwilling"), 4, 50, 0, 60, 80}};
    const QStringList lines = report(makeFleet(types), makeFleet(types));
    const QStringList homeBlock = lines.mid(3, lines.indexOf(QStringLiteral("In der Fremdflotte wurden bei dem Kampf folgende Schiffe zerstört:")) - 4);
    const QStringList expectedBlock = {
        QStringLiteral("Schiffstyp \tAnzahl \tStabilität \tAS \tPanzerung"),
        QStringLiteral("Zwilling\t\t4\t60\t50\t0"),
        QStringLiteral("Gesamt \t\t4\t240\t200\t0"),
        QStringLiteral("Die Flotte wurd vollständig zerstört."),
        QStringLiteral("Kosten in Solar: 320"),
    };
    EXPECT_EQ(homeBlock, expectedBlock);
    QStringList foreignBlock = lines.mid(lines.size() - 5);
    QStringList expectedForeign = expectedBlock;
    expectedForeign[2] = QStringLiteral("Gesamt \t\t4\t240\t200\t\t0");
    EXPECT_EQ(foreignBlock, expectedForeign);
}

TEST(BattleReport, AHomeFleetThatNeverGetsPastTheArmour)
{
    // The home damage never reaches 1: the foreign block names the home fleet.
    const Fleet home = makeFleet({{QStringLiteral("Schwach"), 2, 10, 0, 50}});
    const Fleet foreign = makeFleet({{QStringLiteral("Bollwerk"), 1, 100, 40, 500}});
    const QStringList lines = report(home, foreign);
    EXPECT_EQ(lines.last(),
              QStringLiteral("Es wurden keine Schiffe zerstört, weil die Heimatflotte keinen Angriff starten konnte."));
    EXPECT_EQ(lines.at(lines.size() - 2), QStringLiteral(" "));
    EXPECT_TRUE(lines.contains(QStringLiteral("Die Flotte wurd vollständig zerstört.")));
    EXPECT_TRUE(FightBattle(home, foreign).home.noAttack);
}

TEST(BattleReport, TheForeignFlagDependsOnlyOnItsEffectiveAttack)
{
    const Fleet home = makeFleet({{QStringLiteral("Panzer"), 1, 400, 1000, 100}});
    // Attack 2: an effective attack of 1 counts as an attack, though 1000 armour stops it.
    const Fleet weak = makeFleet({{QStringLiteral("Nadel"), 1, 2, 0, 100}});
    QStringList lines = report(home, weak);
    EXPECT_EQ(lines.at(4), QStringLiteral("Es wurden keine Schiffe zerstört."));
    EXPECT_FALSE(FightBattle(home, weak).foreign.noAttack);
    // Attack 1: 0.75 truncates to 0, no attack at all.
    const Fleet weaker = makeFleet({{QStringLiteral("Stecknadel"), 1, 1, 0, 100}});
    lines = report(home, weaker);
    EXPECT_EQ(lines.at(4),
              QStringLiteral("Es wurden keine Schiffe zerstört, weil die Fremdflotte keinen Angriff starten konnte."));
}

TEST(BattleReport, NameSeparatorsCountCharacters)
{
    EXPECT_EQ(NameSeparator(QStringLiteral("ABCDEFGHIJ")), QStringLiteral("\t\t"));
    EXPECT_EQ(NameSeparator(QStringLiteral("ABCDEFGHIJK")), QStringLiteral("\t"));
    EXPECT_EQ(NameSeparator(QStringLiteral("ABCDEFGHIJKLMNOPQRST")), QStringLiteral("\t"));
    EXPECT_EQ(NameSeparator(QStringLiteral("ABCDEFGHIJKLMNOPQRSTU")), QStringLiteral(" "));
    EXPECT_EQ(NameSeparator(QString()), QStringLiteral("\t\t"));
    // Ten characters, more bytes in UTF-8 and more UTF-16 units.
    EXPECT_EQ(NameSeparator(QStringLiteral("Jägerjäger")), QStringLiteral("\t\t"));
    EXPECT_EQ(NameSeparator(QString::fromUtf8("\xF0\x9D\x94\x84" "ÄÖÜäöüßxy")), QStringLiteral("\t\t"));
    EXPECT_EQ(NameSeparator(QStringLiteral("Größenwahnsinnige Ära")), QStringLiteral(" "));

    const Fleet home = makeFleet({{QStringLiteral("Übermächtig"), 5, 5000, 0, 1000}});
    const Fleet foreign = makeFleet({
        {QStringLiteral("Zehn Zeich"), 1, 0, 0, 10},
        {QStringLiteral("Elf Zeichen"), 1, 0, 0, 10},
        {QStringLiteral("Zwanzig Zeichen ohne"), 1, 0, 0, 10},
        {QStringLiteral("Einundzwanzig Zeichen"), 1, 0, 0, 10},
    });
    const QStringList lines = report(home, foreign);
    EXPECT_TRUE(lines.contains(QStringLiteral("Zehn Zeich\t\t1\t10\t0\t0")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Elf Zeichen\t1\t10\t0\t0")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Zwanzig Zeichen ohne\t1\t10\t0\t0")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Einundzwanzig Zeichen 1\t10\t0\t0")));
}

TEST(BattleReport, LossesOnTheTenthTypeAndTheSolarSum)
{
    std::vector<Type> types;
    for (int i = 0; i < 10; ++i)
        types.push_back({QStringLiteral("Typ %1").arg(i), i == 9 ? 3 : 1, 0, 1, 10 + i, 100 + i});
    const Fleet home = makeFleet({{QStringLiteral("Hammer"), 10, 1000, 0, 100}});
    const QStringList lines = report(home, makeFleet(types));
    EXPECT_TRUE(lines.contains(QStringLiteral("Typ 9\t\t3\t19\t0\t1")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Gesamt \t\t12\t") + QString::number(10 + 11 + 12 + 13 + 14 + 15 + 16 + 17 + 18 + 3 * 19) + QStringLiteral("\t0\t\t12")));
    int64_t solar = 0;
    for (int i = 0; i < 9; ++i)
        solar += 100 + i;
    solar += 3 * 109;
    EXPECT_EQ(lines.last(), QStringLiteral("Kosten in Solar: ") + QString::number(solar));

    const Fleet twoTypes = makeFleet({{QStringLiteral("A"), 2, 0, 0, 10, 100}, {QStringLiteral("B"), 3, 0, 0, 10, 50}});
    EXPECT_EQ(report(home, twoTypes).last(), QStringLiteral("Kosten in Solar: 350"));
}

TEST(BattleReport, ShipsFallRoundRobinInFleetOrder)
{
    // 120 damage against A (stability 30) and B (stability 20): A 90, B 70, A 40, B 20,
    // then 20 > 15 destroys a third A and the -10 left stops the volley.
    Fleet target = makeFleet({{QStringLiteral("A"), 5, 0, 0, 30}, {QStringLiteral("B"), 5, 0, 0, 20}});
    BattleSide side = BattleSide::Start(target);
    EXPECT_EQ(FireVolley(target, side, 120), -10);
    EXPECT_EQ(side.lost[0], 3);
    EXPECT_EQ(side.lost[1], 2);
    EXPECT_EQ(side.stabilityLeft, 250 - 130);
    // A weaker ship further on is not looked for.
    BattleSide side2 = BattleSide::Start(target);
    EXPECT_EQ(FireVolley(target, side2, 15), 15);
    EXPECT_EQ(side2.lost[1], 0);
}

TEST(BattleReport, BattlesThatCannotEndAreBrokenOff)
{
    // Neither fleet has an attack: after one round nothing can change.
    const Fleet home = makeFleet({{QStringLiteral("Frachter"), 3, 0, 0, 100, 10}});
    const Fleet foreign = makeFleet({{QStringLiteral("Transporter"), 2, 0, 5, 80, 10}});
    const QStringList expected = {
        QStringLiteral("Dauer des Kampfes: 02:00:00 (1 Runden)"),
        QStringLiteral("Kampf abgebrochen: keine Flotte kann die andere zerstören."),
        QStringLiteral(" "),
        QStringLiteral("In der Heimatflotte wurden bei dem Kampf folgende Schiffe zerstört:"),
        QStringLiteral(" "),
        QStringLiteral("Es wurden keine Schiffe zerstört, weil die Fremdflotte keinen Angriff starten konnte."),
        QStringLiteral(" "),
        QStringLiteral("In der Fremdflotte wurden bei dem Kampf folgende Schiffe zerstört:"),
        QStringLiteral(" "),
        QStringLiteral("Es wurden keine Schiffe zerstört, weil die Heimatflotte keinen Angriff starten konnte."),
    };
    EXPECT_EQ(report(home, foreign), expected);

    // Attacks that never pass the other fleet's armour.
    const Fleet armouredHome = makeFleet({{QStringLiteral("Igel"), 2, 20, 100, 100}});
    const Fleet armouredForeign = makeFleet({{QStringLiteral("Schildkröte"), 2, 20, 100, 100}});
    const BattleOutcome o = FightBattle(armouredHome, armouredForeign);
    EXPECT_TRUE(o.aborted);
    EXPECT_EQ(o.rounds, 1);
    EXPECT_TRUE(o.home.noAttack);
    EXPECT_FALSE(o.foreign.noAttack);
}

TEST(BattleReport, ABattleWithAStandingCarryIsBrokenOff)
{
    // Round 1 (t = 6/25 h): the home damage 15 does not pass half of 34 and becomes
    // the carry; the foreign damage 25 * 0.24 - 3 falls just short of 3 and destroys
    // two home ships. Round 2 (t = 2/25 h): the home damage is 15 again, the foreign
    // damage falls just short of 1 and destroys nothing. The home carry stands at
    // 15, the foreign one at 0: every further round would be the same.
    const Fleet home = makeFleet({{QStringLiteral("Nadel"), 3, 31, 1, 1}});
    const Fleet foreign = makeFleet({{QStringLiteral("Block"), 1, 34, 1, 34}});
    const BattleOutcome o = FightBattle(home, foreign);
    EXPECT_TRUE(o.aborted);
    EXPECT_EQ(o.rounds, 2);
    EXPECT_EQ(o.home.carry, 15);
    EXPECT_EQ(o.foreign.carry, 0);
    const QStringList expected = {
        QStringLiteral("Dauer des Kampfes: 00:19:11 (2 Runden)"),
        QStringLiteral("Kampf abgebrochen: keine Flotte kann die andere zerstören."),
        QStringLiteral(" "),
        QStringLiteral("In der Heimatflotte wurden bei dem Kampf folgende Schiffe zerstört:"),
        QStringLiteral("Schiffstyp \tAnzahl \tStabilität \tAS \tPanzerung"),
        QStringLiteral("Nadel\t\t2\t1\t31\t1"),
        QStringLiteral("Gesamt \t\t2\t2\t62\t2"),
        QStringLiteral("Kosten in Solar: 0"),
        QStringLiteral(" "),
        QStringLiteral("In der Fremdflotte wurden bei dem Kampf folgende Schiffe zerstört:"),
        QStringLiteral(" "),
        QStringLiteral("Es wurden keine Schiffe zerstört."),
    };
    EXPECT_EQ(report(home, foreign), expected);
    const RefOutcome ref = refBattle(home, foreign);
    EXPECT_TRUE(ref.aborted);
    EXPECT_EQ(ref.rounds, 2);
}

TEST(FireVolley, WholePassesGiveTheSameResultAsShipByShip)
{
    std::mt19937 rng(20240501);
    std::uniform_int_distribution<int> pick(0, 99);
    for (int trial = 0; trial < 3000; ++trial) {
        const Fleet target = randomFleet(rng, 10, trial % 3 == 0 ? 3000 : 40, 60);
        // Start from some ships already lost, consistently with the values left.
        BattleSide side = BattleSide::Start(target);
        RefSide ref = refStart(target);
        for (int i = 0; i <= target.LastIndex; ++i) {
            const Fleet::ShipClass &e = target.Classes[size_t(i)];
            const int64_t lost = pick(rng) < 30 ? std::uniform_int_distribution<int64_t>(0, e.Count)(rng) : 0;
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
        if (pick(rng) < 20)
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

TEST(FightBattle, AgreesWithTheShipByShipReferenceOnRandomFleets)
{
    std::mt19937 rng(7);
    int aborted = 0;
    int wiped = 0;
    for (int trial = 0; trial < 4000; ++trial) {
        const int maxCount = trial % 4 == 0 ? 400 : 25;
        const Fleet home = randomFleet(rng, 10, maxCount, 60);
        const Fleet foreign = randomFleet(rng, 10, maxCount, 60);
        const BattleOutcome o = FightBattle(home, foreign);
        const RefOutcome r = refBattle(home, foreign);
        SCOPED_TRACE(trial);
        expectSameSide(o.home, r.home);
        expectSameSide(o.foreign, r.foreign);
        ASSERT_EQ(o.rounds, r.rounds);
        ASSERT_EQ(o.battleTime, r.time);
        ASSERT_EQ(o.aborted, r.aborted);
        aborted += o.aborted;
        wiped += o.home.wipedOut || o.foreign.wipedOut;
    }
    // The random fleets reach both kinds of ending.
    EXPECT_GT(aborted, 10);
    EXPECT_GT(wiped, 1000);
}

TEST(FightBattle, MillionsOfShipsAgreeWithTheReference)
{
    // Few types, many ships: the reference still manages it ship by ship.
    const Fleet home = makeFleet({{QStringLiteral("A"), 300000, 12, 1, 30}, {QStringLiteral("B"), 200000, 7, 0, 11}});
    const Fleet foreign = makeFleet({{QStringLiteral("C"), 250000, 9, 2, 25}, {QStringLiteral("D"), 400000, 3, 0, 8}});
    const BattleOutcome o = FightBattle(home, foreign);
    const RefOutcome r = refBattle(home, foreign);
    expectSameSide(o.home, r.home);
    expectSameSide(o.foreign, r.foreign);
    EXPECT_EQ(o.rounds, r.rounds);
    EXPECT_EQ(o.battleTime, r.time);
}

TEST(FightBattle, HugeFleetsStayInsideTheIntegerRange)
{
    const int32_t max = std::numeric_limits<int32_t>::max();
    Fleet home;
    Fleet foreign;
    for (int i = 0; i < 4; ++i) {
        home.AddShips(max, max, max / 4, max, QStringLiteral("H%1").arg(i), 1, 1, 1);
        foreign.AddShips(max, max / 3, max, max / 2, QStringLiteral("F%1").arg(i), 1, 1, 1);
    }
    const BattleOutcome o = FightBattle(home, foreign);
    EXPECT_TRUE(o.home.wipedOut || o.foreign.wipedOut || o.aborted);
    const QStringList lines = BattleReport(home, foreign, o);
    EXPECT_TRUE(lines.first().startsWith(QStringLiteral("Dauer des Kampfes: ")));
    for (const BattleSide *s : {&o.home, &o.foreign}) {
        EXPECT_GE(s->stabilityLeft, 0);
        EXPECT_GE(s->attackLeft, 0);
        EXPECT_GE(s->armorLeft, 0);
    }
}

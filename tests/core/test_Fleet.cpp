// The fleet of the battle simulator: entries, counts, totals, target values, Solar cost.
#include "battle/Fleet.h"
#include "model/Numeric.h"

#include <gtest/gtest.h>
#include <limits>

using namespace qf;

namespace {

constexpr int32_t kMaxCount = std::numeric_limits<int32_t>::max();
constexpr int64_t kMaxTotal = std::numeric_limits<int64_t>::max();

// A type with attack, armour, stability and a cost of `fe` Solar (iron only).
int add(Fleet &f, const QString &name, int as, int armor = 0, int stability = 10, int fe = 0)
{
    return f.AddShip(as, armor, stability, name, fe, 0, 0);
}

void expectTotalsAreSums(const Fleet &f)
{
    int64_t as = 0, armor = 0, stability = 0, cost = 0;
    for (int i = 0; i <= f.LastIndex; ++i) {
        const Fleet::ShipClass &e = f.Classes[size_t(i)];
        EXPECT_GE(e.Count, 1);
        as += int64_t(e.Count) * e.AS;
        armor += int64_t(e.Count) * e.Armor;
        stability += int64_t(e.Count) * e.Stability;
        cost += int64_t(e.Count) * e.Cost;
        EXPECT_EQ(f.Names.at(i), e.Name);
    }
    EXPECT_EQ(f.Names.size(), f.LastIndex + 1);
    EXPECT_EQ(f.TotalAS, as);
    EXPECT_EQ(f.TotalArmor, armor);
    EXPECT_EQ(f.TotalStability, stability);
    EXPECT_EQ(f.TotalCost, cost);
}

} // namespace

TEST(SolarCost, ExtendedPrecisionWithTheInexactWeights)
{
    EXPECT_EQ(SolarCost(0, 0, 3), 7); // not 8: the weight of carbon is a little below 1/375
    EXPECT_EQ(SolarCost(0, 0, 375), 999);
    EXPECT_EQ(SolarCost(1000, 0, 0), 1000);
    EXPECT_EQ(SolarCost(0, 625, 0), 1000);
    EXPECT_EQ(SolarCost(1000, 625, 0), 2000);
    EXPECT_EQ(SolarCost(0, 0, 0), 0);
    EXPECT_EQ(SolarCost(333, 291, 138), 1166); // the costs of a new design
}

TEST(SolarCost, LargeCostsPassThe32BitRange)
{
    const int64_t m = kMaxCount;
    const int64_t cost = SolarCost(kMaxCount, kMaxCount, kMaxCount);
    // m * (1 + 1.6 + 8/3) = m * 79 / 15, possibly one lower through the weights.
    const int64_t exact = m * 79 / 15;
    EXPECT_GT(cost, int64_t(kMaxCount));
    EXPECT_LE(cost, exact);
    EXPECT_GE(cost, exact - 1);
}

TEST(Fleet, StartsEmpty)
{
    Fleet f;
    EXPECT_EQ(f.LastIndex, -1);
    EXPECT_TRUE(f.isEmpty());
    EXPECT_TRUE(f.Names.isEmpty());
    EXPECT_EQ(f.TotalAS, 0);
    EXPECT_EQ(f.TotalArmor, 0);
    EXPECT_EQ(f.TotalStability, 0);
    EXPECT_EQ(f.TotalCost, 0);
}

TEST(Fleet, AddShipCreatesOrFindsTheEntry)
{
    Fleet f;
    EXPECT_EQ(f.AddShip(40, 5, 100, QStringLiteral("Jäger"), 333, 291, 138), -1);
    EXPECT_EQ(f.LastIndex, 0);
    EXPECT_EQ(f.Classes[0].Name, QStringLiteral("Jäger"));
    EXPECT_EQ(f.Classes[0].Count, 1);
    EXPECT_EQ(f.Classes[0].AS, 40);
    EXPECT_EQ(f.Classes[0].Armor, 5);
    EXPECT_EQ(f.Classes[0].Stability, 100);
    EXPECT_EQ(f.Classes[0].Cost, 1166);
    EXPECT_EQ(add(f, QStringLiteral("Kreuzer"), 7), -1);
    EXPECT_EQ(f.AddShip(40, 5, 100, QStringLiteral("Jäger"), 333, 291, 138), 0);
    EXPECT_EQ(f.Classes[0].Count, 2);
    EXPECT_EQ(f.Names, QStringList({"Jäger", "Kreuzer"}));
    expectTotalsAreSums(f);
}

TEST(Fleet, NamesDifferingOnlyInCaseShareTheEntryWithItsOldValues)
{
    Fleet f;
    add(f, QStringLiteral("Jäger"), 40, 5, 100, 500);
    EXPECT_EQ(f.AddShip(99, 99, 999, QStringLiteral("JÄGER"), 9000, 0, 0), 0);
    EXPECT_EQ(f.IndexOf(QStringLiteral("jäGER")), 0);
    EXPECT_EQ(f.LastIndex, 0);
    EXPECT_EQ(f.Classes[0].Count, 2);
    EXPECT_EQ(f.Classes[0].AS, 40);
    EXPECT_EQ(f.Classes[0].Stability, 100);
    EXPECT_EQ(f.Classes[0].Cost, 500);
    EXPECT_EQ(f.Classes[0].Name, QStringLiteral("Jäger"));
    EXPECT_EQ(f.TotalAS, 80);
    EXPECT_EQ(f.TotalCost, 1000);
}

TEST(Fleet, AnEleventhTypeIsIgnoredButKnownTypesStillGrow)
{
    Fleet f;
    for (int i = 0; i < 10; ++i)
        add(f, QStringLiteral("T%1").arg(i), i + 1);
    EXPECT_EQ(f.LastIndex, 9);
    const int64_t before = f.TotalAS;
    EXPECT_EQ(add(f, QStringLiteral("Elfter"), 50), -1);
    EXPECT_EQ(f.LastIndex, 9);
    EXPECT_EQ(f.Names.size(), 10);
    EXPECT_EQ(f.IndexOf(QStringLiteral("Elfter")), -1);
    EXPECT_EQ(f.TotalAS, before);
    EXPECT_EQ(add(f, QStringLiteral("t9"), 50), 9);
    EXPECT_EQ(f.Classes[9].Count, 2);
    EXPECT_EQ(f.TotalAS, before + 10);
    EXPECT_EQ(f.AddShips(5, 50, 0, 10, QStringLiteral("Zwölfter"), 0, 0, 0), -1);
    EXPECT_EQ(f.LastIndex, 9);
}

TEST(Fleet, AddShipsIsManySingleAdditions)
{
    Fleet viaSingles;
    Fleet viaBulk;
    for (int i = 0; i < 7; ++i)
        add(viaSingles, QStringLiteral("A"), 3, 1, 20, 70);
    add(viaBulk, QStringLiteral("B"), 9);
    add(viaSingles, QStringLiteral("B"), 9);
    // The order of first appearance decides the positions.
    Fleet ordered;
    add(ordered, QStringLiteral("B"), 9);
    EXPECT_EQ(ordered.AddShips(7, 3, 1, 20, QStringLiteral("A"), 70, 0, 0), 1);
    EXPECT_EQ(ordered.Classes[1].Count, 7);
    EXPECT_EQ(ordered.TotalAS, 9 + 21);
    EXPECT_EQ(viaBulk.AddShips(7, 3, 1, 20, QStringLiteral("a"), 70, 0, 0), 1);
    EXPECT_EQ(viaBulk.Classes[1].Count, 7);
    EXPECT_EQ(viaBulk.AddShips(0, 3, 1, 20, QStringLiteral("A"), 70, 0, 0), -1);
    EXPECT_EQ(viaBulk.AddShips(-4, 3, 1, 20, QStringLiteral("A"), 70, 0, 0), -1);
    EXPECT_EQ(viaBulk.Classes[1].Count, 7);
    EXPECT_EQ(viaSingles.TotalStability, 7 * 20 + 10);
    EXPECT_EQ(viaBulk.TotalStability, viaSingles.TotalStability);
    EXPECT_EQ(viaBulk.TotalCost, viaSingles.TotalCost);
    expectTotalsAreSums(viaBulk);
}

TEST(Fleet, NegativeValuesWhichNoDesignHasAreRefused)
{
    Fleet f;
    EXPECT_EQ(f.AddShip(-1, 0, 10, QStringLiteral("X"), 0, 0, 0), -1);
    EXPECT_EQ(f.AddShip(1, 0, 10, QStringLiteral("X"), 0, -5, 0), -1);
    EXPECT_TRUE(f.isEmpty());
}

TEST(Fleet, IncreaseCountOnlyInsideTheFleet)
{
    Fleet f;
    add(f, QStringLiteral("A"), 10);
    EXPECT_EQ(f.IncreaseCount(0), 2);
    EXPECT_EQ(f.IncreaseCount(0), 3);
    EXPECT_EQ(f.TotalAS, 30);
    EXPECT_EQ(f.IncreaseCount(1), -1);
    EXPECT_EQ(f.IncreaseCount(-1), -1);
    EXPECT_EQ(f.TotalAS, 30);
}

TEST(Fleet, DecreaseCountRemovesAnEntryAtZero)
{
    Fleet only;
    add(only, QStringLiteral("A"), 10);
    EXPECT_EQ(only.DecreaseCount(0), 0);
    EXPECT_TRUE(only.isEmpty());
    EXPECT_EQ(only.TotalAS, 0);
    EXPECT_EQ(only.DecreaseCount(0), -1);

    Fleet f;
    add(f, QStringLiteral("A"), 10);
    f.AddShips(4, 7, 0, 10, QStringLiteral("B"), 0, 0, 0);
    f.AddShips(2, 1, 0, 10, QStringLiteral("C"), 0, 0, 0);
    EXPECT_EQ(f.DecreaseCount(1), 3);            // more ships left: only the count drops
    EXPECT_EQ(f.DecreaseCount(0), 3);            // A removed, B moved into position 0
    EXPECT_EQ(f.Names, QStringList({"B", "C"}));
    EXPECT_EQ(f.DecreaseCount(1), 1);
    EXPECT_EQ(f.DecreaseCount(1), 0);            // the last entry removed
    EXPECT_EQ(f.LastIndex, 0);
    EXPECT_EQ(f.DecreaseCount(5), -1);
    EXPECT_EQ(f.DecreaseCount(-1), -1);
    EXPECT_EQ(f.TotalAS, 21);
    expectTotalsAreSums(f);
}

TEST(Fleet, RemoveShipClassMovesTheFollowersForward)
{
    Fleet f;
    add(f, QStringLiteral("A"), 1, 2, 3, 4);
    f.AddShips(2, 10, 20, 30, QStringLiteral("B"), 40, 0, 0);
    f.AddShips(3, 100, 200, 300, QStringLiteral("C"), 400, 0, 0);
    f.RemoveShipClass(0);
    EXPECT_EQ(f.LastIndex, 1);
    EXPECT_EQ(f.Names, QStringList({"B", "C"}));
    EXPECT_EQ(f.Classes[0].Name, QStringLiteral("B"));
    EXPECT_EQ(f.Classes[0].Count, 2);
    EXPECT_EQ(f.Classes[1].Name, QStringLiteral("C"));
    EXPECT_EQ(f.Classes[1].Count, 3);
    EXPECT_EQ(f.Classes[1].Cost, 400);
    EXPECT_EQ(f.TotalAS, 320);
    EXPECT_EQ(f.TotalCost, 80 + 1200);
    f.RemoveShipClass(2);
    f.RemoveShipClass(-1);
    EXPECT_EQ(f.LastIndex, 1);
    expectTotalsAreSums(f);
    f.RemoveShipClass(1);
    f.RemoveShipClass(0);
    EXPECT_TRUE(f.isEmpty());
    EXPECT_EQ(f.TotalAS, 0);
    EXPECT_EQ(f.TotalCost, 0);
}

TEST(Fleet, TotalCostIsTheSumOverAllEntries)
{
    Fleet f;
    f.AddShips(2, 0, 0, 10, QStringLiteral("A"), 100, 0, 0);
    f.AddShips(3, 0, 0, 10, QStringLiteral("B"), 50, 0, 0);
    EXPECT_EQ(f.TotalCost, 350);
}

TEST(Fleet, TargetValuesKeepTheTotalAtOrBelowTheTarget)
{
    Fleet f;
    f.AddShips(3, 10, 1, 5, QStringLiteral("A"), 7, 0, 0);
    f.AddShips(2, 25, 4, 9, QStringLiteral("B"), 30, 0, 0);
    EXPECT_EQ(f.TotalAS, 80);
    f.SetAttackTarget(200, 1);
    EXPECT_EQ(f.Classes[1].Count, 6);
    EXPECT_EQ(f.TotalAS, 180);
    f.SetAttackTarget(20, 1);
    EXPECT_EQ(f.Classes[1].Count, 1);
    EXPECT_EQ(f.Classes[0].Count, 3);

    f.SetArmorTarget(23, 1); // rest 3, (23 - 3) / 4 = 5
    EXPECT_EQ(f.Classes[1].Count, 5);
    EXPECT_EQ(f.TotalArmor, 23);
    f.SetStabilityTarget(100, 0); // rest 45, 55 / 5 = 11
    EXPECT_EQ(f.Classes[0].Count, 11);
    EXPECT_EQ(f.TotalStability, 100);
    f.SetCostTarget(1000, 1); // rest 77, 923 / 30 = 30
    EXPECT_EQ(f.Classes[1].Count, 30);
    EXPECT_EQ(f.TotalCost, 77 + 900);
    expectTotalsAreSums(f);
}

TEST(Fleet, TargetsBelowTheOtherEntriesOrWithoutValueGiveOneShip)
{
    Fleet f;
    f.AddShips(4, 10, 0, 5, QStringLiteral("A"), 100, 0, 0);
    f.AddShips(6, 0, 0, 5, QStringLiteral("B"), 50, 0, 0);
    f.SetCostTarget(399, 1); // below the 400 of A
    EXPECT_EQ(f.Classes[1].Count, 1);
    f.AddShips(5, 0, 0, 5, QStringLiteral("B"), 50, 0, 0);
    f.SetAttackTarget(100000, 1); // B has no attack strength
    EXPECT_EQ(f.Classes[1].Count, 1);
    f.SetArmorTarget(100000, 0); // nor armour
    EXPECT_EQ(f.Classes[0].Count, 1);
    f.SetStabilityTarget(-50, 0);
    EXPECT_EQ(f.Classes[0].Count, 1);
}

TEST(Fleet, TargetsAtPositionsOutsideTheFleetChangeNothing)
{
    Fleet f;
    f.AddShips(4, 10, 0, 5, QStringLiteral("A"), 100, 0, 0);
    for (int index : {-1, 1, 9, 10}) {
        f.SetAttackTarget(1000, index);
        f.SetArmorTarget(1000, index);
        f.SetStabilityTarget(1000, index);
        f.SetCostTarget(1000, index);
    }
    EXPECT_EQ(f.Classes[0].Count, 4);
    EXPECT_EQ(f.TotalAS, 40);
}

TEST(Fleet, TotalsPastThe32BitRangeAreExact)
{
    Fleet f;
    f.AddShips(999, 3000000, 2000000, 5000000, QStringLiteral("Schlachtschiff"), 4000000, 0, 0);
    f.IncreaseCount(0);
    EXPECT_EQ(f.TotalAS, 3000000000LL);
    EXPECT_EQ(f.TotalArmor, 2000000000LL);
    EXPECT_EQ(f.TotalStability, 5000000000LL);
    EXPECT_EQ(f.TotalCost, 4000000000LL);
    f.SetStabilityTarget(12345678901LL, 0);
    EXPECT_EQ(f.Classes[0].Count, 2469);
}

TEST(Fleet, ACountStaysAtItsLargestValue)
{
    Fleet f;
    f.AddShips(kMaxCount, 1, 1, 1, QStringLiteral("A"), 1, 0, 0);
    EXPECT_EQ(f.Classes[0].Count, kMaxCount);
    EXPECT_EQ(f.IncreaseCount(0), kMaxCount);
    EXPECT_EQ(f.AddShip(1, 1, 1, QStringLiteral("A"), 1, 0, 0), 0);
    EXPECT_EQ(f.Classes[0].Count, kMaxCount);
    EXPECT_EQ(f.TotalAS, kMaxCount);
    f.SetAttackTarget(kMaxTotal, 0);
    EXPECT_EQ(f.Classes[0].Count, kMaxCount);
    EXPECT_EQ(f.DecreaseCount(0), kMaxCount - 1);
}

TEST(Fleet, NoTotalLeavesThe64BitRange)
{
    Fleet f;
    f.AddShips(kMaxCount, kMaxCount, 0, 1, QStringLiteral("A"), 0, 0, 0);
    f.AddShips(kMaxCount, kMaxCount, 0, 1, QStringLiteral("B"), 0, 0, 0);
    f.AddShips(kMaxCount, kMaxCount, 0, 1, QStringLiteral("C"), 0, 0, 0);
    const int64_t m = kMaxCount;
    EXPECT_EQ(f.Classes[0].Count, kMaxCount);
    EXPECT_EQ(f.Classes[1].Count, kMaxCount);
    // What is left of the 64-bit range holds only a few ships of C.
    const int64_t room = (kMaxTotal - 2 * m * m) / m;
    EXPECT_EQ(f.Classes[2].Count, room);
    EXPECT_EQ(f.CountLimit(2), room);
    EXPECT_EQ(f.IncreaseCount(2), room);
    f.SetAttackTarget(kMaxTotal, 2);
    EXPECT_EQ(f.Classes[2].Count, room);
    expectTotalsAreSums(f);

    Fleet costly;
    costly.AddShips(kMaxCount, 1, 1, 1, QStringLiteral("Gold"), kMaxCount, kMaxCount, kMaxCount);
    const int64_t cost = costly.Classes[0].Cost;
    EXPECT_EQ(costly.Classes[0].Count, kMaxTotal / cost);
    // A new type that does not fit beside it is refused like an eleventh.
    EXPECT_EQ(costly.AddShip(1, 1, 1, QStringLiteral("Silber"), kMaxCount, kMaxCount, kMaxCount), -1);
    EXPECT_EQ(costly.LastIndex, 0);
    expectTotalsAreSums(costly);
}

TEST(ReadTargetValue, TheWholeNumberRuleIn64Bits)
{
    EXPECT_EQ(ReadTargetValue(QStringLiteral("123")), 123);
    EXPECT_EQ(ReadTargetValue(QStringLiteral("+7")), 7);
    EXPECT_EQ(ReadTargetValue(QStringLiteral("-5")), -5);
    EXPECT_EQ(ReadTargetValue(QStringLiteral("4000000000")), 4000000000LL);
    EXPECT_EQ(ReadTargetValue(QStringLiteral("9223372036854775807")), kMaxTotal);
    EXPECT_EQ(ReadTargetValue(QStringLiteral("-9223372036854775808")), std::numeric_limits<int64_t>::min());
    for (const char *text : {"9223372036854775808", "", "-", "+", "12a", " 1", "1 ", "1.5", "1e3", "0x10"})
        EXPECT_EQ(ReadTargetValue(QString::fromLatin1(text)), 0) << text;
}

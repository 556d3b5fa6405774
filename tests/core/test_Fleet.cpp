// The fleet of the battle simulator: entries, counts, totals, target values, Solar cost.
#include "battle/Fleet.h"
#include "model/Numeric.h"

#include <gtest/gtest.h>
#include <limits>
#include <utility>

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

// A refused operation leaves every part of the fleet as it was.
void expectSameFleet(const Fleet &after, const Fleet &before)
{
    EXPECT_EQ(after.LastIndex, before.LastIndex);
    EXPECT_EQ(after.Names, before.Names);
    for (int i = 0; i <= before.LastIndex; ++i) {
        const Fleet::ShipClass &a = after.Classes[size_t(i)];
        const Fleet::ShipClass &b = before.Classes[size_t(i)];
        EXPECT_EQ(a.Name, b.Name);
        EXPECT_EQ(a.Count, b.Count) << i;
        EXPECT_EQ(a.AS, b.AS);
        EXPECT_EQ(a.Armor, b.Armor);
        EXPECT_EQ(a.Stability, b.Stability);
        EXPECT_EQ(a.Cost, b.Cost);
    }
    EXPECT_EQ(after.TotalAS, before.TotalAS);
    EXPECT_EQ(after.TotalArmor, before.TotalArmor);
    EXPECT_EQ(after.TotalStability, before.TotalStability);
    EXPECT_EQ(after.TotalCost, before.TotalCost);
}

TEST(Fleet, ShipsPastTheLargestCountAreRefusedAloud)
{
    Fleet f;
    f.AddShips(kMaxCount - 1, 1, 1, 1, QStringLiteral("Kreuzer"), 1, 0, 0);
    f.AddShips(3, 2, 0, 1, QStringLiteral("Jäger"), 1, 0, 0);
    FleetEdit edit = FleetEdit::Done;
    EXPECT_EQ(f.AddShips(2, 1, 1, 1, QStringLiteral("kreuzer"), 1, 0, 0, &edit), 0);
    EXPECT_EQ(edit, FleetEdit::CountTooLarge);
    EXPECT_EQ(f.AddShip(1, 1, 1, QStringLiteral("KREUZER"), 1, 0, 0, &edit), 0);
    EXPECT_EQ(edit, FleetEdit::Done);
    const Fleet full = f;
    // "Hinzufügen", "+" and a target past the largest count: refused, the fleet stays.
    EXPECT_EQ(f.AddShip(1, 1, 1, QStringLiteral("Kreuzer"), 1, 0, 0, &edit), 0);
    EXPECT_EQ(edit, FleetEdit::CountTooLarge);
    EXPECT_EQ(f.IncreaseCount(0, &edit), kMaxCount);
    EXPECT_EQ(edit, FleetEdit::CountTooLarge);
    EXPECT_EQ(f.SetAttackTarget(kMaxTotal, 0), FleetEdit::CountTooLarge);
    EXPECT_EQ(f.SetStabilityTarget(kMaxTotal, 1), FleetEdit::CountTooLarge);
    expectSameFleet(f, full);
    // A target asking for exactly the largest count is carried out.
    EXPECT_EQ(f.SetAttackTarget(int64_t(kMaxCount) * 3, 1), FleetEdit::Done);
    EXPECT_EQ(f.Classes[1].Count, kMaxCount);
    EXPECT_EQ(f.DecreaseCount(0), kMaxCount - 1);
    EXPECT_EQ(FleetRefusalText(FleetEdit::CountTooLarge, QStringLiteral("Kreuzer")),
              QStringLiteral("„Kreuzer“ hätte mehr als 2147483647 Schiffe; die Flotte bleibt unverändert."));
}

TEST(Fleet, TotalsOutside64BitsAreRefusedAndTheFleetStays)
{
    const int64_t m = kMaxCount;
    // Two types of m ships with attack m fill the attack total up to
    // 2m² = 2^63 - 2^33 + 2; what is left holds four more ships of attack m
    // (4m = 2^33 - 4, one below the room of 2^33 - 3).
    Fleet f;
    FleetEdit edit = FleetEdit::Ignored;
    EXPECT_EQ(f.AddShips(kMaxCount, kMaxCount, 0, 1, QStringLiteral("A"), 0, 0, 0, &edit), 0);
    EXPECT_EQ(edit, FleetEdit::Done);
    EXPECT_EQ(f.AddShips(kMaxCount, kMaxCount, 0, 1, QStringLiteral("B"), 0, 0, 0, &edit), 1);
    EXPECT_EQ(edit, FleetEdit::Done);
    EXPECT_EQ(f.TotalAS, 2 * m * m);

    // A third full type: refused as a whole, not cut down to what fits.
    const Fleet two = f;
    EXPECT_EQ(f.AddShips(kMaxCount, kMaxCount, 0, 1, QStringLiteral("C"), 0, 0, 0, &edit), -1);
    EXPECT_EQ(edit, FleetEdit::TooLarge);
    expectSameFleet(f, two);
    EXPECT_EQ(f.AddShips(5, kMaxCount, 0, 1, QStringLiteral("C"), 0, 0, 0, &edit), -1);
    EXPECT_EQ(edit, FleetEdit::TooLarge);
    expectSameFleet(f, two);

    // Four ships fit exactly as before.
    EXPECT_EQ(f.AddShips(4, kMaxCount, 0, 1, QStringLiteral("C"), 0, 0, 0, &edit), 2);
    EXPECT_EQ(edit, FleetEdit::Done);
    EXPECT_EQ(f.Classes[2].Count, 4);
    EXPECT_EQ(f.TotalAS, 2 * m * m + 4 * m);
    EXPECT_EQ(f.TotalAS, kMaxTotal - 1);
    EXPECT_EQ(f.TotalStability, 2 * m + 4);
    const Fleet full = f;

    // One more ship of C by "+", by adding its name, by a new type: refused.
    EXPECT_EQ(f.IncreaseCount(2, &edit), 4);
    EXPECT_EQ(edit, FleetEdit::TooLarge);
    expectSameFleet(f, full);
    EXPECT_EQ(f.AddShip(1, 0, 1, QStringLiteral("c"), 0, 0, 0, &edit), 2);
    EXPECT_EQ(edit, FleetEdit::TooLarge);
    expectSameFleet(f, full);
    EXPECT_EQ(f.AddShips(3, 9, 9, 9, QStringLiteral("C"), 0, 0, 0, &edit), 2);
    EXPECT_EQ(edit, FleetEdit::TooLarge);
    expectSameFleet(f, full);
    EXPECT_EQ(f.AddShip(2, 0, 1, QStringLiteral("D"), 0, 0, 0, &edit), -1);
    EXPECT_EQ(edit, FleetEdit::TooLarge);
    expectSameFleet(f, full);
    // Without an outcome asked for, the same refusal.
    EXPECT_EQ(f.IncreaseCount(2), 4);
    EXPECT_EQ(f.AddShip(2, 0, 1, QStringLiteral("D"), 0, 0, 0), -1);
    expectSameFleet(f, full);

    // A type without attack still fits beside them, and fewer ships always do.
    EXPECT_EQ(f.AddShip(0, 7, 1, QStringLiteral("D"), 0, 0, 0, &edit), -1);
    EXPECT_EQ(edit, FleetEdit::Done);
    EXPECT_EQ(f.LastIndex, 3);
    EXPECT_EQ(f.DecreaseCount(2), 3);
    EXPECT_EQ(f.IncreaseCount(2, &edit), 4);
    EXPECT_EQ(edit, FleetEdit::Done);
    expectTotalsAreSums(f);
}

TEST(Fleet, ATargetIsRefusedOnlyWhenItsCountWouldLeave64Bits)
{
    const int64_t m = kMaxCount;
    Fleet f;
    f.AddShips(kMaxCount, kMaxCount, 0, 1, QStringLiteral("A"), 0, 0, 0);
    f.AddShips(kMaxCount, kMaxCount, 0, 1, QStringLiteral("B"), 0, 0, 0);
    f.AddShips(2, kMaxCount, 0, 1, QStringLiteral("C"), 0, 0, 0);

    // The attack total itself never passes its target: rest 2m², (2^63 - 1 - 2m²) / m = 4.
    EXPECT_EQ(f.SetAttackTarget(kMaxTotal, 2), FleetEdit::Done);
    EXPECT_EQ(f.Classes[2].Count, 4);
    EXPECT_EQ(f.TotalAS, 2 * m * m + 4 * m);
    EXPECT_EQ(f.SetAttackTarget(2 * m * m + 3 * m, 2), FleetEdit::Done);
    EXPECT_EQ(f.Classes[2].Count, 3);

    // Stability: rest 2m (A and B), per ship 1. A target of 2m + 14 asks for 14
    // ships of C, whose attack would leave 64 bits: refused, the count stays at 3.
    const Fleet before = f;
    EXPECT_EQ(f.SetStabilityTarget(2 * m + 14, 2), FleetEdit::TooLarge);
    expectSameFleet(f, before);
    EXPECT_EQ(f.SetStabilityTarget(kMaxTotal, 2), FleetEdit::CountTooLarge);
    expectSameFleet(f, before);
    // Fewer ships always fit: a target below the rest gives the rule's one ship,
    // a target of 2m + 2 gives two.
    EXPECT_EQ(f.SetStabilityTarget(0, 2), FleetEdit::Done);
    EXPECT_EQ(f.Classes[2].Count, 1);
    EXPECT_EQ(f.SetStabilityTarget(2 * m + 2, 2), FleetEdit::Done);
    EXPECT_EQ(f.Classes[2].Count, 2);
    EXPECT_EQ(f.SetCostTarget(5, 7), FleetEdit::Ignored);
    EXPECT_EQ(f.SetArmorTarget(5, -1), FleetEdit::Ignored);
    expectTotalsAreSums(f);
}

TEST(Fleet, CostlyTypesAreRefusedWhenTheCostTotalWouldLeave64Bits)
{
    // Ten types of 2,147,483,647 ships with costs near 2,147,483,647 Solar do not
    // fit: the third type is refused, and the first two stay as they were added.
    const int64_t m = kMaxCount;
    Fleet f;
    FleetEdit edits[10];
    for (int i = 0; i < 10; ++i)
        f.AddShips(kMaxCount, 1, 1, 1, QStringLiteral("T%1").arg(i), kMaxCount - i, 0, 0, &edits[i]);
    EXPECT_EQ(edits[0], FleetEdit::Done);
    EXPECT_EQ(edits[1], FleetEdit::Done);
    for (int i = 2; i < 10; ++i)
        EXPECT_EQ(edits[i], FleetEdit::TooLarge) << i;
    ASSERT_EQ(f.LastIndex, 1);
    EXPECT_EQ(f.Classes[0].Count, kMaxCount);
    EXPECT_EQ(f.Classes[1].Count, kMaxCount);
    EXPECT_EQ(f.TotalAS, 2 * m);
    expectTotalsAreSums(f);

    // Three costs of m together: m · 79/15 Solar a ship; no more than
    // (2^63 - 1) / cost ships of them fit, and one ship more is refused.
    Fleet costly;
    const int64_t cost = SolarCost(kMaxCount, kMaxCount, kMaxCount);
    const int32_t most = int32_t(kMaxTotal / cost);
    EXPECT_EQ(costly.AddShips(kMaxCount, 1, 1, 1, QStringLiteral("Gold"), kMaxCount, kMaxCount, kMaxCount), -1);
    EXPECT_TRUE(costly.isEmpty());
    EXPECT_EQ(costly.AddShips(most, 1, 1, 1, QStringLiteral("Gold"), kMaxCount, kMaxCount, kMaxCount), 0);
    FleetEdit edit = FleetEdit::Done;
    EXPECT_EQ(costly.IncreaseCount(0, &edit), most);
    EXPECT_EQ(edit, FleetEdit::TooLarge);
    EXPECT_EQ(costly.AddShip(1, 1, 1, QStringLiteral("Silber"), kMaxCount, kMaxCount, kMaxCount, &edit), -1);
    EXPECT_EQ(edit, FleetEdit::TooLarge);
    EXPECT_EQ(costly.LastIndex, 0);
    expectTotalsAreSums(costly);
}

TEST(Fleet, EveryOutcomeIsToldApart)
{
    Fleet f;
    FleetEdit edit = FleetEdit::TooLarge;
    // Added, and added to a present name.
    EXPECT_EQ(f.AddShip(1, 0, 5, QStringLiteral("A"), 1, 0, 0, &edit), -1);
    EXPECT_EQ(edit, FleetEdit::Done);
    EXPECT_EQ(f.AddShip(1, 0, 5, QStringLiteral("a"), 1, 0, 0, &edit), 0);
    EXPECT_EQ(edit, FleetEdit::Done);
    EXPECT_EQ(f.IncreaseCount(0, &edit), 3);
    EXPECT_EQ(edit, FleetEdit::Done);
    // Nothing to do.
    for (int count : {0, -3}) {
        edit = FleetEdit::Done;
        EXPECT_EQ(f.AddShips(count, 1, 0, 5, QStringLiteral("A"), 1, 0, 0, &edit), -1);
        EXPECT_EQ(edit, FleetEdit::Ignored);
    }
    EXPECT_EQ(f.AddShip(-1, 0, 5, QStringLiteral("Minus"), 1, 0, 0, &edit), -1);
    EXPECT_EQ(edit, FleetEdit::Ignored);
    EXPECT_EQ(f.IncreaseCount(4, &edit), -1);
    EXPECT_EQ(edit, FleetEdit::Ignored);
    // A full fleet.
    for (int i = 1; i < 10; ++i)
        f.AddShip(1, 0, 5, QStringLiteral("T%1").arg(i), 1, 0, 0);
    EXPECT_EQ(f.AddShips(2, 1, 0, 5, QStringLiteral("Elfter"), 1, 0, 0, &edit), -1);
    EXPECT_EQ(edit, FleetEdit::FleetFull);

    // Only a refusal has a text for the player.
    EXPECT_EQ(FleetRefusalText(FleetEdit::TooLarge),
              QStringLiteral("Die Summen der Flotte passen nicht mehr in 64 Bit; die Flotte bleibt unverändert."));
    for (FleetEdit other : {FleetEdit::Done, FleetEdit::Ignored, FleetEdit::FleetFull})
        EXPECT_TRUE(FleetRefusalText(other).isEmpty());
}

TEST(Fleet, SetCountSetsOneEntryExactly)
{
    Fleet f;
    f.AddShips(3, 10, 1, 100, QStringLiteral("A"), 50, 0, 0);
    f.AddShips(2, 25, 2, 40, QStringLiteral("B"), 20, 0, 0);
    EXPECT_EQ(f.SetCount(1, 7), FleetEdit::Done);
    EXPECT_EQ(f.Classes[0].Count, 3);
    EXPECT_EQ(f.Classes[1].Count, 7);
    EXPECT_EQ(f.TotalAS, 3 * 10 + 7 * 25);
    EXPECT_EQ(f.TotalArmor, 3 * 1 + 7 * 2);
    EXPECT_EQ(f.TotalStability, 3 * 100 + 7 * 40);
    EXPECT_EQ(f.TotalCost, 3 * 50 + 7 * 20);
    EXPECT_EQ(f.SetCount(0, 1), FleetEdit::Done); // down as well as up
    EXPECT_EQ(f.Classes[0].Count, 1);
    EXPECT_EQ(f.SetCount(0, kMaxCount), FleetEdit::Done);
    EXPECT_EQ(f.Classes[0].Count, kMaxCount);
    expectTotalsAreSums(f);

    // A count below 1 and a position outside the fleet change nothing.
    const Fleet before = f;
    const std::pair<int, int32_t> refused[] = {{0, 0}, {1, -5}, {2, 4}, {-1, 4}, {10, 4}};
    for (const auto &[index, count] : refused)
        EXPECT_EQ(f.SetCount(index, count), FleetEdit::Ignored) << index << " " << count;
    EXPECT_EQ(f.Classes[0].Count, before.Classes[0].Count);
    EXPECT_EQ(f.Classes[1].Count, before.Classes[1].Count);
    EXPECT_EQ(f.LastIndex, 1);
    EXPECT_EQ(f.TotalStability, before.TotalStability);
}

TEST(Fleet, SetCountRefusesTotalsPastThe64BitRange)
{
    // One ship costs a third of the 64-bit range (rounded down): three fit, four do not.
    Fleet f;
    f.AddShip(40, 0, 100, QStringLiteral("Gold"), 0, 0, 0);
    f.Classes[0].Cost = 3074457345618258602; // (2^63 - 1) / 3
    f.Recalculate();
    EXPECT_EQ(f.SetCount(0, 3), FleetEdit::Done);
    EXPECT_EQ(f.TotalCost, 9223372036854775806);
    EXPECT_EQ(f.SetCount(0, 4), FleetEdit::TooLarge);
    EXPECT_EQ(f.Classes[0].Count, 3);
    EXPECT_EQ(f.TotalCost, 9223372036854775806);
    EXPECT_EQ(f.TotalAS, 120);
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

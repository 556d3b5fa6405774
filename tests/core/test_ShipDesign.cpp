#include "model/ShipDesign.h"

#include <gtest/gtest.h>

using namespace qf;

namespace {
struct Expected {
    int sbe, free, stability, storage, armor, as, acceleration, fe, si, c, crew, h2o, o2;
};

void expectFigures(const ShipDesign &d, const Expected &e)
{
    EXPECT_EQ(d.GetSBE(), e.sbe);
    EXPECT_EQ(d.GetFreeSBE(), e.free);
    EXPECT_EQ(d.GetStability(), e.stability);
    EXPECT_EQ(d.GetStorageCapacity(), e.storage);
    EXPECT_EQ(d.GetArmor(), e.armor);
    EXPECT_EQ(d.GetAS(), e.as);
    EXPECT_EQ(d.GetAcceleration(), e.acceleration);
    EXPECT_EQ(d.GetFE(), e.fe);
    EXPECT_EQ(d.GetSI(), e.si);
    EXPECT_EQ(d.GetC(), e.c);
    EXPECT_EQ(d.GetCrew(), e.crew);
    EXPECT_EQ(d.GetH2O(), e.h2o);
    EXPECT_EQ(d.GetO2(), e.o2);
}
} // namespace

TEST(ShipDesign, NewDesign)
{
    const ShipDesign d;
    EXPECT_EQ(d.GetName(), "Neues Schiff");
    EXPECT_EQ(d.GetStorageBays(), 1);
    EXPECT_EQ(d.GetFusi(), 1);
    EXPECT_EQ(d.GetThruster(), 0);
    expectFigures(d, {1, 7, 109, 327, 0, 0, 54500, 333, 291, 138, 0, 0, 0});
    EXPECT_EQ(d.GetFlightTimePercent(), 100.0f);
    EXPECT_FALSE(d.IsChanged());
}

TEST(ShipDesign, FusionZeroWithoutThrusterRaisesTheThruster)
{
    ShipDesign d;
    d.SetFusi(0);
    EXPECT_EQ(d.GetFusi(), 0);
    EXPECT_EQ(d.GetThruster(), 1);
    EXPECT_EQ(d.GetAcceleration(), 10900);
    EXPECT_EQ(d.GetFE(), 249);
    EXPECT_EQ(d.GetSI(), 208);
    EXPECT_EQ(d.GetC(), 97);
    EXPECT_EQ(d.GetFreeSBE(), 8);
    d.SetThruster(0);
    EXPECT_EQ(d.GetThruster(), 0);
    EXPECT_EQ(d.GetFusi(), 1);
}

TEST(ShipDesign, CrewedChangesStabilityInhabitantsAndSilicon)
{
    ShipDesign d;
    d.SetCrewed(true);
    expectFigures(d, {1, 7, 218, 327, 0, 0, 54500, 333, 235, 138, 5, 0, 0});
    EXPECT_TRUE(d.IsChanged());
}

TEST(ShipDesign, ColonisationNeedsACrew)
{
    ShipDesign d;
    d.SetKolo(true);
    EXPECT_TRUE(d.GetCrewed());
    expectFigures(d, {3, 7, 300, 327, 0, 0, 54500, 2134, 1287, 401, 83, 30, 60});
    d.SetKolo(false);
    EXPECT_TRUE(d.GetCrewed());
    d.SetKolo(true);
    d.SetCrewed(false);
    EXPECT_TRUE(d.GetCrewed());
    for (auto setter : {&ShipDesign::SetInva, &ShipDesign::SetRaid, &ShipDesign::SetSabo}) {
        ShipDesign e;
        (e.*setter)(true);
        EXPECT_TRUE(e.GetCrewed());
        e.SetCrewed(false);
        EXPECT_TRUE(e.GetCrewed());
    }
}

TEST(ShipDesign, ArmourWeaponsAndZva)
{
    ShipDesign d;
    d.SetArmorLevel(1);
    d.SetMissles(1);
    d.SetLaser(1);
    d.SetPlasma(1);
    d.SetZVA(2);
    EXPECT_EQ(d.GetSBE(), 2);
    EXPECT_EQ(d.GetFreeSBE(), 4);
    EXPECT_EQ(d.GetArmor(), 8);
    EXPECT_EQ(d.GetAS(), 72);
    EXPECT_FLOAT_EQ(d.GetFlightTimePercent(), 82.81f);
    EXPECT_EQ(d.GetStability(), 128);
}

// The acceleration adds the whole parts of the two drive values. These levels have
// fractional parts that add up to one or more, so truncating the sum would show one more.
TEST(ShipDesign, AccelerationAddsTheWholePartsOfBothDrives)
{
    struct Case {
        int thruster, fusion, acceleration;
    };
    const Case cases[] = {
        {3, 3, 90002},   // 75002.90 + 15000.58
        {4, 5, 116693},  // 99362.40 + 17331.63
        {9, 4, 119195},  // 86658.16 + 32537.87
        {7, 12, 252426}, // 226766.48 + 25660.78
    };
    for (const Case &c : cases) {
        ShipDesign d;
        d.SetThruster(c.thruster);
        d.SetFusi(c.fusion);
        EXPECT_EQ(d.GetAcceleration(), c.acceleration)
            << "thruster " << c.thruster << ", fusion " << c.fusion;
    }
}

TEST(ShipDesign, LevelsAboveHundredCountInFullForTheBaseElements)
{
    ShipDesign d;
    ShipDesign capped;
    d.SetStorageBays(150);
    capped.SetStorageBays(100);
    EXPECT_EQ(d.GetSBE(), 16);
    EXPECT_EQ(d.GetFreeSBE(), 8);
    EXPECT_EQ(d.GetStorageCapacity(), capped.GetStorageCapacity());
}

TEST(ShipDesign, RefusedValuesChangeNothing)
{
    ShipDesign d;
    d.SetArmorLevel(3);
    const ShipDesign before = d;
    d.SetStorageBays(0);
    d.SetStorageBays(-4);
    d.SetArmorLevel(-1);
    d.SetThruster(-1);
    d.SetFusi(-1);
    d.SetMissles(-1);
    d.SetLaser(-1);
    d.SetPlasma(-1);
    d.SetZVA(-1);
    d.SetName("");
    EXPECT_EQ(d.GetStorageBays(), before.GetStorageBays());
    EXPECT_EQ(d.GetArmorLevel(), 3);
    EXPECT_EQ(d.GetFE(), before.GetFE());
    EXPECT_EQ(d.GetName(), before.GetName());
    EXPECT_EQ(d.IsChanged(), before.IsChanged());
}

TEST(ShipDesign, BaseElementSumNeverOverflows)
{
    ShipDesign d;
    d.SetStorageBays(2000000000);
    EXPECT_EQ(d.GetStorageBays(), 2000000000);
    const int sbe = d.GetSBE();
    d.SetPlasma(2000000000); // would pass the 32-bit range: refused
    EXPECT_EQ(d.GetPlasma(), 0);
    EXPECT_EQ(d.GetSBE(), sbe);
    d.SetInva(true);
    EXPECT_GE(d.GetFreeSBE(), 0);
    EXPECT_LE(d.GetFreeSBE(), 9);
}

// The largest level a component accepts on a new design (storage 1, fusion 1, raw 3):
// the base-element sum plus the 110 points of every special action may reach
// 2,147,483,647 but not pass it, so raw may be at most 2,147,483,537.
TEST(ShipDesign, LargestAcceptedLevelKeepsRoomForEverySpecialAction)
{
    struct Case {
        const char *component;
        void (ShipDesign::*set)(int);
        int (ShipDesign::*get)() const;
        int largest;   // the level that brings raw closest to 2,147,483,537
        int rawThere;  // raw at that level
    };
    const Case cases[] = {
        // weight 1: raw = 3 + level
        {"storage bays", &ShipDesign::SetStorageBays, &ShipDesign::GetStorageBays, 2147483535, 2147483537},
        {"armour", &ShipDesign::SetArmorLevel, &ShipDesign::GetArmorLevel, 2147483534, 2147483537},
        {"thruster", &ShipDesign::SetThruster, &ShipDesign::GetThruster, 2147483534, 2147483537},
        {"missiles", &ShipDesign::SetMissles, &ShipDesign::GetMissles, 2147483534, 2147483537},
        // weight 2: raw = 3 + 2 level
        {"laser", &ShipDesign::SetLaser, &ShipDesign::GetLaser, 1073741767, 2147483537},
        // weight 2, the fusion drive itself: raw = 1 + 2 level
        {"fusion", &ShipDesign::SetFusi, &ShipDesign::GetFusi, 1073741768, 2147483537},
        // weight 3: raw = 3 + 3 level; one more level would reach 2,147,483,538
        {"plasma", &ShipDesign::SetPlasma, &ShipDesign::GetPlasma, 715827844, 2147483535},
        {"zva", &ShipDesign::SetZVA, &ShipDesign::GetZVA, 715827844, 2147483535},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.component);
        ShipDesign d;
        const int start = (d.*c.get)();
        (d.*c.set)(c.largest + 1);
        EXPECT_EQ((d.*c.get)(), start);
        EXPECT_EQ(d.GetSBE(), 1);

        (d.*c.set)(c.largest);
        ASSERT_EQ((d.*c.get)(), c.largest);
        const int sbe = c.rawThere / 10 + (c.rawThere % 10 != 0 ? 1 : 0);
        EXPECT_EQ(d.GetSBE(), sbe);
        EXPECT_EQ(d.GetFreeSBE(), sbe * 10 - c.rawThere);

        (d.*c.set)(c.largest + 1);
        EXPECT_EQ((d.*c.get)(), c.largest);
        EXPECT_EQ(d.GetSBE(), sbe);

        // Every special action still fits: raw reaches at most 2,147,483,647.
        d.SetKolo(true);
        d.SetInva(true);
        d.SetRecy(true);
        d.SetSpy(true);
        d.SetCloak(true);
        d.SetRaid(true);
        d.SetSabo(true);
        const int64_t raw = int64_t(c.rawThere) + 110;
        EXPECT_EQ(d.GetSBE(), (raw + 9) / 10);
        EXPECT_EQ(d.GetFreeSBE(), (raw + 9) / 10 * 10 - raw);
    }
}

TEST(ShipDesign, ChangedMarkerComparesValuesNotHistory)
{
    ShipDesign d;
    d.SetLaser(0);
    EXPECT_FALSE(d.IsChanged());
    d.SetLaser(4);
    EXPECT_TRUE(d.IsChanged());
    d.SetLaser(0);
    EXPECT_FALSE(d.IsChanged());
    d.SetName(d.GetName());
    EXPECT_TRUE(d.IsChanged());
    d.MarkSaved();
    EXPECT_FALSE(d.IsChanged());
    d.SetSpy(true);
    EXPECT_TRUE(d.IsChanged());
    d.SetSpy(false);
    EXPECT_FALSE(d.IsChanged());
}

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

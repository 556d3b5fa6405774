#include "model/DesignerFigures.h"
#include "model/Formulas.h"
#include "model/Production.h"

#include <gtest/gtest.h>

using namespace qf;

TEST(DesignerFigures, NewDesignAtDistance2000)
{
    const ShipDesign d;
    const DesignerFigures f = ComputeDesignerFigures(d, "2000", QLocale::c());
    EXPECT_EQ(f.fullFlightTime, "15:42:48");
    EXPECT_EQ(f.flightTimePercent, "100.00");
    EXPECT_EQ(f.sbe, "1");
    EXPECT_EQ(f.freeSBE, "7");
    EXPECT_EQ(f.acceleration, "54500");
    EXPECT_EQ(f.fe, "333");
    EXPECT_EQ(ComputeDesignerFigures(d, "2000", QLocale(QLocale::German)).flightTimePercent, "100,00");
}

TEST(DesignerFigures, PercentageHasTwoDecimals)
{
    ShipDesign d;
    d.SetZVA(3);
    EXPECT_EQ(ComputeDesignerFigures(d, "2000", QLocale::c()).flightTimePercent, "75.36");
    d.SetZVA(1);
    const DesignerFigures f = ComputeDesignerFigures(d, "2000", QLocale::c());
    EXPECT_EQ(f.flightTimePercent, "91.00");
    EXPECT_EQ(f.fullFlightTime, "14:17:57");
}

TEST(DesignerFigures, DistanceThatIsNoNumberCountsAsZero)
{
    const ShipDesign d;
    EXPECT_EQ(ComputeDesignerFigures(d, "", QLocale::c()).fullFlightTime, "00:00:00");
    EXPECT_EQ(ComputeDesignerFigures(d, "abc", QLocale::c()).fullFlightTime, "00:00:00");
}

TEST(Production, NewDesignWithFactoriesAtOne)
{
    const ShipDesign d;
    EXPECT_NEAR(ProductionMinutes(d, 1, 1), 90.909 + 75.758 + 181.818, 0.001);
    const ProductionFigures p = ComputeProduction(d, 1, 1, d.GetFE(), d.GetSI(), d.GetC());
    EXPECT_EQ(p.productionTime, "05:48:29");
    EXPECT_EQ(p.feMine, "5");
    EXPECT_EQ(p.siMine, "9");
    EXPECT_EQ(p.cMine, "6");
}

TEST(Production, FactoriesScaleTheirOwnTerms)
{
    ShipDesign d;
    d.SetLaser(2);
    const float base = ProductionMinutes(d, 1, 1);
    const float ship2 = ProductionMinutes(d, 2, 1);
    const float war2 = ProductionMinutes(d, 1, 2);
    const double laser = double(BuildTime(2, 1, 150));
    EXPECT_NEAR(ship2, (base - laser) * 0.91 + laser, 0.01);
    EXPECT_NEAR(war2, base - laser * 0.09, 0.01);
    // Factory levels of 0 or below count as 1.
    EXPECT_EQ(ProductionMinutes(d, 0, -3), base);
}

TEST(Production, SpecialActionsAddShipFactoryTime)
{
    ShipDesign d;
    const float base = ProductionMinutes(d, 1, 1);
    d.SetKolo(true);
    EXPECT_NEAR(ProductionMinutes(d, 1, 1) - base, 1200 * 0.91 + (BuildTime(3, 1, 90) - BuildTime(1, 1, 90)), 0.01);
    ShipDesign crewed;
    crewed.SetCrewed(true);
    EXPECT_EQ(ProductionMinutes(crewed, 1, 1), base);
}

TEST(Production, FactoryLevelsFarBeyondTheGameRaiseAnErrorNotGarbage)
{
    const ShipDesign d;
    // The production time underflows to 0: no mine level exists.
    EXPECT_EQ(ProductionMinutes(d, 100000, 1), 0.0f);
    EXPECT_THROW(ComputeProduction(d, 100000, 1, 333, 291, 138), ArithmeticError);
}

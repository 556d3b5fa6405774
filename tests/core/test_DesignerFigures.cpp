#include "model/DesignerFigures.h"

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

// The page's flight time uses the acceleration, the sum of the two truncated drive
// values; one unit more (the sum truncated as a whole) shows one second less here.
TEST(DesignerFigures, FlightTimeFollowsTheTruncatedDriveValues)
{
    struct Case {
        int thruster, fusion;
        const char *distance, *acceleration, *stability, *flightTime;
    };
    const Case cases[] = {
        {3, 3, "20000", "90002", "109", "38:40:02"},
        {4, 5, "2000", "116693", "128", "11:38:13"},
        {4, 5, "7623", "116693", "128", "22:43:08"},
        {9, 4, "2000", "119195", "128", "11:30:51"},
    };
    for (const Case &c : cases) {
        ShipDesign d;
        d.SetThruster(c.thruster);
        d.SetFusi(c.fusion);
        const DesignerFigures f = ComputeDesignerFigures(d, c.distance, QLocale::c());
        EXPECT_EQ(f.acceleration, c.acceleration) << c.thruster << "/" << c.fusion;
        EXPECT_EQ(f.stability, c.stability) << c.thruster << "/" << c.fusion;
        EXPECT_EQ(f.fullFlightTime, c.flightTime) << c.thruster << "/" << c.fusion << " at " << c.distance;
    }
}

TEST(DesignerFigures, DistanceThatIsNoNumberCountsAsZero)
{
    const ShipDesign d;
    EXPECT_EQ(ComputeDesignerFigures(d, "", QLocale::c()).fullFlightTime, "00:00:00");
    EXPECT_EQ(ComputeDesignerFigures(d, "abc", QLocale::c()).fullFlightTime, "00:00:00");
}

// The flight calculator's formulas and its recomputation.
#include "calc/FlightCalc.h"
#include "model/Formulas.h"

#include <gtest/gtest.h>
#include <cmath>

using namespace qf;

namespace {
const QString kIncomplete = QStringLiteral("unvollständig");

FlightResults flight(std::initializer_list<std::pair<const char *, const char *>> changes)
{
    FlightInputs in;
    for (const auto &[name, text] : changes) {
        const QString value = QString::fromUtf8(text);
        const QString key = QString::fromLatin1(name);
        if (key == QLatin1String("start")) in.startPlanet = value;
        else if (key == QLatin1String("target")) in.targetPlanet = value;
        else if (key == QLatin1String("thruster")) in.thruster = value;
        else if (key == QLatin1String("fusi")) in.fusi = value;
        else if (key == QLatin1String("zva")) in.zva = value;
        else if (key == QLatin1String("stability")) in.stability = value;
        else if (key == QLatin1String("spaceport")) in.spaceport = value;
        else ADD_FAILURE() << "unknown field " << name;
    }
    return ComputeFlight(in);
}
} // namespace

TEST(FlightCalcDistance, InitialCoordinates)
{
    // X = 4405, 4400, 4400.
    EXPECT_EQ(PlanetDistance("444:111:a", "666:999:f"), 7623);
    EXPECT_EQ(PlanetDistance("666:999:f", "444:111:a"), 7623);
}

TEST(FlightCalcDistance, IdenticalCoordinatesGiveZero)
{
    EXPECT_EQ(PlanetDistance("555:555:c", "555:555:c"), 0);
}

TEST(FlightCalcDistance, LetterOnlyAddsToTheFirstPosition)
{
    EXPECT_EQ(PlanetDistance("444:111:a", "444:111:c"), 2);
    // Only the hundreds digit of the systems differs: X1 = 50 * 2.
    EXPECT_EQ(PlanetDistance("444:111:a", "444:311:a"), 100);
    // Units digits: X3 = 2000 * 1 + 50 * 1, X1 = 1.
    EXPECT_EQ(PlanetDistance("444:111:a", "445:112:b"), 2050);
}

TEST(FlightCalcDistance, InvalidDigitsGiveMinusOne)
{
    EXPECT_EQ(PlanetDistance("444:101:a", "666:999:f"), -1); // zero digit in the system
    EXPECT_EQ(PlanetDistance("744:111:a", "666:999:f"), -1); // a 7 in the galaxy group
    EXPECT_EQ(PlanetDistance("444:111:a", "636:999:f"), -1); // a 3 in the target's group
    EXPECT_EQ(PlanetDistance("444:111:a", "666:990:f"), -1);
}

TEST(FlightCalcDistance, UnreadableGroupsGiveMinusOne)
{
    EXPECT_EQ(PlanetDistance("4a4:111:a", "666:999:f"), -1);
    EXPECT_EQ(PlanetDistance("444:1x1:a", "666:999:f"), -1);
    EXPECT_EQ(PlanetDistance("444:111:a", "666"), -1);
    EXPECT_EQ(PlanetDistance("", "666:999:f"), -1);
    EXPECT_EQ(PlanetDistance("444:111:a", "   "), -1);
}

TEST(FlightCalcDistance, CaseAndSurroundingBlanksDoNotMatter)
{
    EXPECT_EQ(PlanetDistance("444:111:A", "666:999:F"), 7623);
    EXPECT_EQ(PlanetDistance("  444:111:a", "666:999:f  "), 7623);
    EXPECT_EQ(PlanetDistance("\t444:111:a\r\n", "\x01" "666:999:f"), 7623);
    EXPECT_EQ(NormalizedCoordinate(" \t444:111:A \n"), QStringLiteral("444:111:a"));
}

TEST(FlightCalcDistance, SeparatorsAreNotExamined)
{
    EXPECT_EQ(PlanetDistance("444x111ya", "666-999-f"), 7623);
}

TEST(FlightCalcDistance, SevenCharactersTakeTheLastDigitAsLetter)
{
    // Letter '1' (49) against 'f' (102): X1 = 4400 + 53.
    const int expected = int(std::sqrt(4453.0 * 4453.0 + 2 * 4400.0 * 4400.0));
    EXPECT_EQ(expected, 7651);
    EXPECT_EQ(PlanetDistance("444:111", "666:999:f"), 7651);
}

TEST(FlightCalcConsumption, Oxygen)
{
    EXPECT_EQ(std::trunc(O2Consumption(1, 4115)), 19);
    EXPECT_EQ(O2Consumption(0, 4115), 0);
    EXPECT_EQ(O2Consumption(-3, 4115), 0);
    // 0.555 * t * m / 120, t not clamped.
    EXPECT_EQ(std::trunc(O2Consumption(200, 1200)), 1110);
    EXPECT_EQ(std::trunc(O2Consumption(1, 49)), 0);
}

TEST(FlightCalcConsumption, Hydrogen)
{
    EXPECT_EQ(std::trunc(H2Consumption(1, 0, 0, 4115)), 38);
    // m * 0.812631 / 60 and m * 0.6771 / 60.
    EXPECT_EQ(std::trunc(H2Consumption(0, 1, 0, 60000)), 812);
    EXPECT_EQ(std::trunc(H2Consumption(0, 0, 1, 60000)), 677);
    EXPECT_EQ(std::trunc(H2Consumption(0, 1, 0, 1000)), 13);
    EXPECT_EQ(H2Consumption(0, 0, 0, 1000), 0);
    EXPECT_EQ(H2Consumption(-1, -1, -1, 1000), 0);
    // The sum is a 4-byte float: 0.555 + 0.812631 + 0.6771 = 2.044731.
    EXPECT_EQ(std::trunc(H2Consumption(1, 1, 1, 60000)), 2044);
    EXPECT_EQ(std::trunc(H2Consumption(1, 0, 0, 49)), 0);
}

TEST(FlightCalcTakeoff, SpaceportLevels)
{
    const float level1 = toFloat(TakeoffTime(1, 109));
    EXPECT_NEAR(level1, 49.595, 1e-4);
    EXPECT_EQ(DurationText(level1), QStringLiteral("00:49:35"));
    EXPECT_EQ(TakeoffTime(0, 109), TakeoffTime(1, 109));
    EXPECT_EQ(TakeoffTime(-20, 109), TakeoffTime(1, 109));
    EXPECT_LT(TakeoffTime(2, 109), TakeoffTime(1, 109));
    // Levels above 100 are not capped.
    EXPECT_LT(TakeoffTime(150, 109), TakeoffTime(100, 109));
    EXPECT_EQ(TakeoffTime(1, 0), 0);
}

TEST(FlightCalcCompute, InitialInputs)
{
    const FlightResults r = ComputeFlight(FlightInputs());
    EXPECT_NEAR(FlightMinutes(7623, 109, 1, 0, 0), 4115.82, 0.01);
    EXPECT_EQ(r.distance, QStringLiteral("7623"));
    EXPECT_EQ(r.flightTime, QStringLiteral("68:35:49"));
    EXPECT_EQ(r.flightO2, QStringLiteral("19"));
    EXPECT_EQ(r.flightH2, QStringLiteral("38"));
    EXPECT_EQ(r.takeoffTime, QStringLiteral("00:49:35"));
    EXPECT_EQ(r.takeoffO2, QStringLiteral("0"));
    EXPECT_EQ(r.takeoffH2, QStringLiteral("0"));
}

TEST(FlightCalcCompute, IdenticalCoordinates)
{
    const FlightResults r = flight({{"target", "444:111:a"}});
    EXPECT_EQ(r.distance, QStringLiteral("0"));
    EXPECT_EQ(r.flightTime, QStringLiteral("00:00:00"));
    EXPECT_EQ(r.flightO2, QStringLiteral("0"));
    EXPECT_EQ(r.flightH2, QStringLiteral("0"));
}

TEST(FlightCalcCompute, InvalidCoordinateKeepsConsumptionAndComputesTakeoff)
{
    for (const char *start : {"444:101:a", "744:111:a", "", "abc"}) {
        const FlightResults r = flight({{"start", start}});
        EXPECT_EQ(r.distance, kIncomplete) << start;
        EXPECT_EQ(r.flightTime, kIncomplete) << start;
        EXPECT_FALSE(r.flightO2.has_value()) << start;
        EXPECT_FALSE(r.flightH2.has_value()) << start;
        EXPECT_EQ(r.takeoffTime, QStringLiteral("00:49:35")) << start;
        EXPECT_EQ(r.takeoffO2, QStringLiteral("0")) << start;
        EXPECT_EQ(r.takeoffH2, QStringLiteral("0")) << start;
    }
}

TEST(FlightCalcCompute, UpperCaseAndBlanksAreTheSame)
{
    const FlightResults plain = ComputeFlight(FlightInputs());
    const FlightResults other = flight({{"start", " 444:111:A "}, {"target", "666:999:F\t"}});
    EXPECT_EQ(other.distance, plain.distance);
    EXPECT_EQ(other.flightTime, plain.flightTime);
}

TEST(FlightCalcCompute, FusionDriveAndZva)
{
    // FlightMinutes(2000, 109, 0, 1, 0) = 942.80902 minutes; with ZVA 1 857.95624.
    const FlightResults r = flight({{"start", "444:111:a"}, {"target", "444:111:a"}});
    EXPECT_EQ(r.distance, QStringLiteral("0"));
    const FlightResults f = flight({{"thruster", "0"}, {"fusi", "1"}});
    EXPECT_EQ(f.flightTime, DurationText(FlightMinutes(7623, 109, 0, 1, 0)));
    const int64_t m = int64_t(FlightMinutes(7623, 109, 0, 1, 0));
    EXPECT_EQ(f.flightO2, QStringLiteral("0")); // no thruster, no oxygen
    EXPECT_EQ(f.flightH2, QString::number(int64_t(H2Consumption(0, 1, 0, m))));
    const FlightResults z = flight({{"zva", "1"}});
    EXPECT_EQ(z.flightTime, DurationText(FlightMinutes(7623, 109, 1, 0, 1)));
    EXPECT_LT(FlightMinutes(7623, 109, 1, 0, 1), FlightMinutes(7623, 109, 1, 0, 0));
}

TEST(FlightCalcCompute, TextThatIsNotAWholeNumberCountsAsZero)
{
    const FlightResults a = flight({{"spaceport", "x"}});
    const FlightResults b = flight({{"spaceport", "0"}});
    EXPECT_EQ(a.takeoffTime, b.takeoffTime);
    EXPECT_EQ(a.takeoffTime, QStringLiteral("00:49:35"));
    const FlightResults c = flight({{"zva", "1.5"}});
    EXPECT_EQ(c.flightTime, QStringLiteral("68:35:49"));
}

TEST(FlightCalcCompute, NoDrivePowerShowsIncomplete)
{
    // Both drives 0, or negative levels typed in: no finite flight time.
    for (auto drives : {std::pair{"0", "0"}, std::pair{"-3", "0"}, std::pair{"-1", "-1"}}) {
        const FlightResults r = flight({{"thruster", drives.first}, {"fusi", drives.second}});
        EXPECT_EQ(r.distance, QStringLiteral("7623"));
        EXPECT_EQ(r.flightTime, kIncomplete);
        EXPECT_FALSE(r.flightO2.has_value());
        EXPECT_FALSE(r.flightH2.has_value());
        EXPECT_EQ(r.takeoffTime, QStringLiteral("00:49:35"));
    }
}

TEST(FlightCalcCompute, NegativeStability)
{
    const FlightResults r = flight({{"stability", "-109"}});
    EXPECT_EQ(r.flightTime, kIncomplete);
    EXPECT_FALSE(r.flightO2.has_value());
    // The take-off time is finite (negative) and shown by the duration text's rules.
    EXPECT_EQ(r.takeoffTime, QStringLiteral("00:0-49:0-35"));
    EXPECT_EQ(r.takeoffO2, QStringLiteral("0"));
    EXPECT_EQ(r.takeoffH2, QStringLiteral("0"));
}

TEST(FlightCalcCompute, ExtremeInputsNeverFail)
{
    const char *const extremes[] = {"2147483647", "-2147483648", "0", "100", "101", "-100"};
    for (const char *s : extremes) {
        for (const char *t : extremes) {
            for (const char *z : extremes) {
                FlightResults r;
                EXPECT_NO_THROW(r = flight({{"stability", s}, {"thruster", t}, {"fusi", t},
                                            {"zva", z}, {"spaceport", z}}))
                    << s << " " << t << " " << z;
                EXPECT_FALSE(r.flightTime.isEmpty());
                EXPECT_FALSE(r.takeoffTime.isEmpty());
            }
        }
    }
    const FlightResults big = flight({{"stability", "2147483647"}});
    EXPECT_NE(big.flightTime, kIncomplete);
    EXPECT_EQ(big.flightTime, DurationText(FlightMinutes(7623, 2147483647, 1, 0, 0)));
    EXPECT_EQ(big.takeoffTime, DurationText(toFloat(TakeoffTime(1, 2147483647))));
    const FlightResults far = flight({{"spaceport", "2147483647"}});
    EXPECT_EQ(far.takeoffTime, QStringLiteral("00:00:00"));
}

TEST(FlightCalcDriveGuard, TheOtherDriveBecomesOneWhenBothReadZero)
{
    using D = DriveField;
    EXPECT_EQ(DriveToRaise(D::Thruster, "0", "0"), D::Fusion);
    EXPECT_EQ(DriveToRaise(D::Fusion, "0", "0"), D::Thruster);
    EXPECT_EQ(DriveToRaise(D::Thruster, "", "abc"), D::Fusion); // text that is no number reads as 0
    EXPECT_EQ(DriveToRaise(D::Thruster, "0", "1"), std::nullopt);
    EXPECT_EQ(DriveToRaise(D::Fusion, "2", "0"), std::nullopt);
    // A negative level is not 0: the guard leaves it to the flight time to say "unvollständig".
    EXPECT_EQ(DriveToRaise(D::Fusion, "-3", "0"), std::nullopt);
}

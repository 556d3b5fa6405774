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

// Oxygen and hydrogen come from the whole minutes of the flight and of the take-off.
// Every case has a fraction of a minute of 0.5 or more, so rounding the minutes
// instead would show a higher consumption (the figure after "not").
TEST(FlightCalcCompute, ConsumptionUsesTheTruncatedMinutes)
{
    struct Case {
        const char *target, *thruster, *fusi, *zva, *stability, *spaceport;
        const char *distance, *flightTime, *flightO2, *flightH2;
        const char *takeoffTime, *takeoffO2, *takeoffH2;
    };
    const Case cases[] = {
        // 60.54 minutes: H2 = 60 * (0.555 + 3 * 0.812631) / 60 = 2.99, not 3.
        {"444:111:n", "1", "3", "0", "109", "1", "13", "01:00:32", "0", "2", "00:49:35", "0", "2"},
        // 144.89 minutes: O2 1 and H2 3, not 2 and 4.
        {"444:111:n", "3", "0", "0", "109", "1", "13", "02:24:53", "1", "3", "00:49:35", "0", "1"},
        // 54.83 minutes: O2 0 and H2 3, not 1 and 4.
        {"444:111:n", "4", "1", "2", "109", "1", "13", "00:54:49", "0", "3", "00:49:35", "0", "3"},
        // 1297.52 minutes: O2 5, not 6.
        {"666:999:f", "1", "2", "2", "109", "1", "7623", "21:37:31", "5", "76", "00:49:35", "0", "2"},
        // 5030.71 minutes: H2 343, not 344.
        {"445:112:b", "3", "3", "0", "5000", "1", "2050", "83:50:42", "69", "343", "37:55:00", "31", "155"},
        // 4108.87 minutes: O2 56, not 57.
        {"666:999:f", "3", "0", "2", "218", "1", "7623", "68:28:52", "56", "206", "01:39:11", "1", "4"},
        // Take-off 49.595 minutes: H2 1, not 2.
        {"666:999:f", "0", "3", "0", "109", "1", "7623", "26:09:02", "0", "63", "00:49:35", "0", "1"},
        // Take-off 4702.53 minutes: O2 86 and H2 173, not 87 and 174.
        {"666:999:f", "4", "0", "0", "20000", "8", "7623", "736:54:00", "817", "1635", "78:22:31", "86", "173"},
    };
    for (const Case &c : cases) {
        FlightInputs in;
        in.targetPlanet = QString::fromLatin1(c.target);
        in.thruster = QString::fromLatin1(c.thruster);
        in.fusi = QString::fromLatin1(c.fusi);
        in.zva = QString::fromLatin1(c.zva);
        in.stability = QString::fromLatin1(c.stability);
        in.spaceport = QString::fromLatin1(c.spaceport);
        SCOPED_TRACE(QStringLiteral("target %1, drives %2/%3/%4, stability %5, spaceport %6")
                         .arg(in.targetPlanet, in.thruster, in.fusi, in.zva, in.stability, in.spaceport)
                         .toStdString());
        const FlightResults r = ComputeFlight(in);
        EXPECT_EQ(r.distance, QString::fromLatin1(c.distance));
        EXPECT_EQ(r.flightTime, QString::fromLatin1(c.flightTime));
        EXPECT_EQ(r.flightO2, QString::fromLatin1(c.flightO2));
        EXPECT_EQ(r.flightH2, QString::fromLatin1(c.flightH2));
        EXPECT_EQ(r.takeoffTime, QString::fromLatin1(c.takeoffTime));
        EXPECT_EQ(r.takeoffO2, QString::fromLatin1(c.takeoffO2));
        EXPECT_EQ(r.takeoffH2, QString::fromLatin1(c.takeoffH2));
    }
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

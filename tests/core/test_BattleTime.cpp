// The battle time summed over many equal rounds: exactly the 32-bit float sum
// of the rounds added one at a time.
#include "battle/engine/BattleTime.h"
#include "support/RandomCases.h"

#include <gtest/gtest.h>
#include <cmath>
#include <cstdint>
#include <random>

using namespace qf;
using qf::test::chance;
using qf::test::pick;

namespace {

// The rounds added one at a time, each sum stored as a float.
float oneAtATime(float start, float t, uint64_t count)
{
    float sum = start;
    for (uint64_t i = 0; i < count; ++i)
        sum = float((long double)sum + (long double)t);
    return sum;
}

} // namespace

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
        const float expected = oneAtATime(start, t, count);
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

// Sums that cross a power of two, where the unit in the last place doubles:
// the first sum beyond it may be an odd multiple of the new unit, and from
// there a round time of a unit and a half moves the sum by one unit and then by
// two (ties go to the even neighbour). Starting at 8388607.5 with 1.5: 8388609,
// 8388610, 8388612, 8388614, ...
TEST(AddRoundTimes, EqualsOneAdditionAtATimeAcrossPowersOfTwo)
{
    EXPECT_EQ(AddRoundTimes(8388607.5f, 1.5f, 1), 8388609.0f);
    EXPECT_EQ(AddRoundTimes(8388607.5f, 1.5f, 2), 8388610.0f);
    EXPECT_EQ(AddRoundTimes(8388607.5f, 1.5f, 5), 8388616.0f);
    // 8388610 + 2 · 99,998 = 8588606.
    EXPECT_EQ(AddRoundTimes(8388607.5f, 1.5f, 100000), 8588606.0f);

    const float starts[] = {8388607.5f,  4194303.75f, 2097151.875f, 16777213.0f, 16777215.0f,
                            8388609.0f,  33554430.0f, 1.0f,         0.0f,        1048575.9375f,
                            12582911.5f, 6291455.25f};
    const float times[] = {1.5f, 0.75f, 3.0f, 1.25f, 0.5f, 2.0f, 2.5f, 1.3f, 0.375f, 1.0f / 3.0f};
    const uint64_t counts[] = {3, 4, 7, 1000, 100000};
    for (const float start : starts) {
        for (const float t : times) {
            for (const uint64_t count : counts) {
                ASSERT_EQ(AddRoundTimes(start, t, count), oneAtATime(start, t, count))
                    << "start " << start << " t " << t << " count " << count;
            }
        }
    }
}

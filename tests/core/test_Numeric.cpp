#include "model/Numeric.h"
#include "model/WholeNumber.h"

#include <gtest/gtest.h>
#include <cmath>
#include <limits>

using namespace qf;

TEST(PowInt, RepeatedSquaringMatchesExactPowers)
{
    EXPECT_EQ(powInt(10.0L, 8), 100000000.0L);
    EXPECT_EQ(powInt(1.5L, 0), 1.0L);
    EXPECT_EQ(powInt(2.0L, 10), 1024.0L);
    EXPECT_EQ(powInt(2.0L, -2), 0.25L);
    EXPECT_EQ(powIntDouble(3.0, 3), 27.0);
}

TEST(Truncation, TowardZeroAndRefusingWhatDoesNotFit)
{
    EXPECT_EQ(truncInt32(2.9L), 2);
    EXPECT_EQ(truncInt32(-2.9L), -2);
    EXPECT_EQ(truncInt32(2147483647.5L), 2147483647);
    EXPECT_THROW(truncInt32(2147483648.0L), ArithmeticError);
    EXPECT_THROW(truncInt32(std::numeric_limits<long double>::quiet_NaN()), ArithmeticError);
    EXPECT_THROW(truncInt64(std::numeric_limits<long double>::infinity()), ArithmeticError);
    EXPECT_EQ(truncInt64(1e15L), 1000000000000000LL);
    EXPECT_EQ(ceilInt32(4.18L), 5);
    EXPECT_EQ(ceilInt32(-2.5L), -2);
}

TEST(WholeNumber, DecimalIntegersOnly)
{
    EXPECT_EQ(readWholeNumber("42"), 42);
    EXPECT_EQ(readWholeNumber("-7"), -7);
    EXPECT_EQ(readWholeNumber("+7"), 7);
    EXPECT_EQ(readWholeNumber("05"), 5);
    EXPECT_EQ(readWholeNumber(""), 0);
    EXPECT_EQ(readWholeNumber("abc"), 0);
    EXPECT_EQ(readWholeNumber("1.5"), 0);
    EXPECT_EQ(readWholeNumber("-"), 0);
    EXPECT_EQ(readWholeNumber("2147483647"), 2147483647);
    EXPECT_EQ(readWholeNumber("-2147483648"), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(readWholeNumber("2147483648"), 0);
    EXPECT_EQ(readWholeNumber("99999999999999999999"), 0);
    EXPECT_EQ(readWholeNumber("x", 1), 1);
}

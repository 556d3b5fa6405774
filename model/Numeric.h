#pragma once
// Numeric conventions of the game: 80-bit extended arithmetic, decimal constants
// taken as the nearest double, 32-bit float storage points, truncation toward zero.
#include <cstdint>
#include <limits>
#include <stdexcept>

namespace qf {

using ext = long double;

// Every figure depends on extended precision with a 64-bit mantissa (the x87
// format); where long double is anything else the digits would differ.
static_assert(std::numeric_limits<ext>::digits == 64,
              "long double must be the 80-bit extended format with a 64-bit mantissa");

// A signed integer wider than 64 bits, for sums and products of 64-bit values
// that must not overflow.
using wide = __int128;

// A decimal constant as the game uses it: the nearest double, widened.
constexpr ext widen(double d) { return static_cast<ext>(d); }

// Raised where a computed value cannot become an integer or a text
// (not finite, or outside the target range). Handlers show it in the error box.
class ArithmeticError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Rounds to a 32-bit float (round to nearest).
inline float toFloat(ext v) { return static_cast<float>(v); }

// Truncation toward zero, refusing values that do not fit.
int32_t truncInt32(ext v);
int64_t truncInt64(ext v);
bool fitsInt64(ext v);

// Smallest integer not below v, refusing values that do not fit.
int32_t ceilInt32(ext v);

// b^n by repeated squaring, every product rounded to extended. b^0 is exactly 1;
// a negative exponent gives 1 / b^|n|.
ext powInt(ext b, int n);

// The same in double precision.
double powIntDouble(double b, int n);

} // namespace qf

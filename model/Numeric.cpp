#include "model/Numeric.h"

#include <cmath>

namespace qf {

namespace {
const char *const kInvalidOperation = "Ungültige Gleitkommaoperation: der Wert ist keine endliche Zahl.";
const char *const kOverflow = "Gleitkommaüberlauf: der Wert ist zu groß für eine ganze Zahl.";

void requireFinite(ext v)
{
    if (std::isnan(v) || std::isinf(v))
        throw ArithmeticError(kInvalidOperation);
}
} // namespace

int32_t truncInt32(ext v)
{
    requireFinite(v);
    const ext t = std::trunc(v);
    if (t < -2147483648.0L || t > 2147483647.0L)
        throw ArithmeticError(kOverflow);
    return static_cast<int32_t>(t);
}

bool fitsInt64(ext v)
{
    if (std::isnan(v) || std::isinf(v))
        return false;
    const ext t = std::trunc(v);
    return t >= -9223372036854775808.0L && t < 9223372036854775808.0L;
}

int64_t truncInt64(ext v)
{
    requireFinite(v);
    if (!fitsInt64(v))
        throw ArithmeticError(kOverflow);
    return static_cast<int64_t>(std::trunc(v));
}

int32_t ceilInt32(ext v)
{
    requireFinite(v);
    return truncInt32(std::ceil(v));
}

namespace {
template <typename T>
T powBySquaring(T b, uint64_t n)
{
    T result = 1;
    T x = b;
    while (n != 0) {
        if (n & 1u)
            result = result * x;
        n >>= 1;
        if (n != 0)
            x = x * x;
    }
    return result;
}

uint64_t magnitude(int n) { return n < 0 ? uint64_t(-int64_t(n)) : uint64_t(n); }
} // namespace

ext powInt(ext b, int n)
{
    const ext p = powBySquaring<ext>(b, magnitude(n));
    return n < 0 ? 1.0L / p : p;
}

double powIntDouble(double b, int n)
{
    const double p = powBySquaring<double>(b, magnitude(n));
    return n < 0 ? 1.0 / p : p;
}

} // namespace qf

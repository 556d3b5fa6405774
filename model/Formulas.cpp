#include "model/Formulas.h"

#include <cmath>
#include <limits>

namespace qf {

namespace {
int clampLevel(int level) { return level > 100 ? 100 : level; }

ext curve(int level, int factor, double base, double offset)
{
    level = clampLevel(level);
    if (level <= 0)
        return 0;
    return (powInt(widen(base), level) - widen(offset)) * static_cast<ext>(factor);
}

QString twoDigits(int64_t part)
{
    const QString digits = QString::number(part);
    return part < 10 ? QStringLiteral("0") + digits : digits;
}

// 10^8 * (2 * distance) * stability / divisor, rounded to double, square root, / 30.
float rawFlightMinutes(int distance, int stability, int divisor)
{
    const ext doubled = static_cast<ext>(2 * static_cast<int64_t>(distance));
    const ext n = powInt(10.0L, 8) * doubled * static_cast<ext>(stability)
                  / static_cast<ext>(divisor);
    const ext root = std::sqrt(static_cast<ext>(static_cast<double>(n)));
    return toFloat(root * widen(1.0 / 30.0));
}
} // namespace

ext CostCurve(int level, int factor) { return curve(level, factor, 1.11, 0.555); }

ext ValueCurve(int level, int factor) { return curve(level, factor, 1.09, 0.545); }

ext ZvaPercent(int level)
{
    level = clampLevel(level);
    if (level == 0)
        return 100;
    return powInt(widen(0.91), level) * 100;
}

QString FullFlightTimeText(int distance, int stability, int acceleration, float percent)
{
    if (acceleration == 0)
        throw ArithmeticError("Gleitkommadivision durch Null: die Beschleunigung ist 0.");
    float t = rawFlightMinutes(distance, stability, acceleration);
    if (percent <= 99)
        t = toFloat((static_cast<ext>(t) * percent) * widen(0.01));
    return DurationText(t);
}

float FlightMinutes(int distance, int stability, int thruster, int fusion, int zva)
{
    const int64_t s = int64_t(truncInt32(ValueCurve(fusion, 100000)))
                      + truncInt32(ValueCurve(thruster, 20000));
    if (s == 0)
        return std::numeric_limits<float>::infinity();
    float t = rawFlightMinutes(distance, stability, static_cast<int>(s));
    if (zva > 0)
        t = toFloat(powInt(widen(0.91), zva) * t);
    return t;
}

bool DurationTextFits(float minutes) { return fitsInt64(minutes); }

QString DurationText(float minutes)
{
    const ext x = minutes;
    const int64_t w = truncInt64(x);
    const int64_t seconds = truncInt64((x - static_cast<ext>(w)) * 60);
    const int64_t hours = w / 60;
    const int64_t mins = w % 60;
    return twoDigits(hours) + u':' + twoDigits(mins) + u':' + twoDigits(seconds);
}

ext BuildTime(int level, int factory, float base)
{
    level = clampLevel(level);
    if (factory < 1)
        factory = 1;
    if (level <= 0)
        return 0;
    const ext product = powInt(widen(1.11), level) * static_cast<ext>(base);
    return product * powInt(widen(0.91), factory);
}

ext ScaleByLevel(int level, float base)
{
    if (level < 1)
        level = 1;
    return powInt(widen(0.91), level) * static_cast<ext>(base);
}

int32_t MineLevel(int rate, int amount, float minutes)
{
    const ext perMinute = static_cast<ext>(rate) * static_cast<ext>(minutes);
    const float q = toFloat(static_cast<ext>(amount) / perMinute * 60);
    const float l = toFloat(std::log(static_cast<ext>(q)) / std::log(widen(1.09)));
    if (!std::isfinite(l))
        throw ArithmeticError("Ungültige Gleitkommaoperation: die Minenstufe lässt sich nicht berechnen.");
    return ceilInt32(l);
}

} // namespace qf

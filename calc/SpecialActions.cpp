#include "calc/SpecialActions.h"

#include "calc/CalcTexts.h"
#include "model/WholeNumber.h"

#include <cmath>
#include <cstdlib>

namespace qf {

namespace {
// Beyond this exponent 1.11^n overflows extended precision (from about 109000 on),
// so a larger exponent gives the same chance.
constexpr int64_t kExponentCap = int64_t(1) << 20;

// q of one ship: attacker level a (64 bits, as levels below the 32-bit range
// occur for later ships) against defender level d.
float singleChance(int64_t attacker, int64_t defender)
{
    const int64_t difference = attacker - defender;
    const int64_t magnitude = difference < 0 ? -difference : difference;
    const int exponent = int(magnitude < kExponentCap ? magnitude : kExponentCap);
    float q = toFloat(0.5L / powInt(widen(1.11), exponent));
    if (defender < attacker)
        q = toFloat(1.0L - static_cast<ext>(q));
    return q;
}
} // namespace

float ActionDuration(float baseMinutes, int attacker, int defender)
{
    const double defenderPower = powIntDouble(1.11, defender);
    const double attackerPower = powIntDouble(0.91, attacker);
    return toFloat(static_cast<ext>(defenderPower) * static_cast<ext>(baseMinutes)
                   * static_cast<ext>(attackerPower));
}

ext ActionChance(int attacker, int defender, int ships)
{
    if (ships < 1)
        return 0;
    // Ship k (0 = first) counts as attacker level A - k; the recursion gives
    //   R(n-1) = q(n-1),  R(k) = q(k) + R(k+1) * (1 - q(k)).
    // Behind the defender's level q falls and, once it is 0 as a 4-byte float,
    // stays 0 for every later ship, so all R(k) from there on are exactly 0: start
    // at that ship instead of the last one. (float(0.5 / 1.11^n) is 0 from n = 991
    // on; 2000 leaves room.)
    const int64_t lastShip = int64_t(ships) - 1;
    const int64_t lead = int64_t(attacker) - defender;
    const int64_t zeroFrom = (lead > 0 ? lead : 0) + 2000;
    const int64_t first = lastShip < zeroFrom ? lastShip : zeroFrom;

    ext result = singleChance(int64_t(attacker) - first, defender);
    for (int64_t k = first - 1; k >= 0; --k) {
        const float q = singleChance(int64_t(attacker) - k, defender);
        if (q == 1.0f) {
            // q = 1 here and for every ship before this one: each step gives
            // 1 + R * 0 = 1 exactly.
            return 1;
        }
        const ext qx = static_cast<ext>(q);
        result = qx + result * (1 - qx);
    }
    return result;
}

QString ShortNumberText(ext value, const QLocale &locale)
{
    // From 10^15 on the whole part alone needs more than 15 digits and the text
    // would turn to an exponent form: no sound text.
    if (!(std::fabs(value) < 1e15L))
        return IncompleteText();
    QLocale l = locale;
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    return l.toString(static_cast<double>(value), 'g', 15);
}

QString ChancePercentText(ext chance, const QLocale &locale)
{
    const ext k = std::trunc(chance * 10000.0L);
    return ShortNumberText(k * widen(0.01), locale);
}

QString UncloakPercentText(float chance, int attempts, const QLocale &locale)
{
    const double power = std::pow(static_cast<double>(chance), static_cast<double>(attempts));
    const ext scaled = static_cast<ext>(power) * 10000.0L;
    if (!fitsInt64(scaled))
        return IncompleteText();
    // The power is not negative, so 10000 - u fits as well.
    const int64_t u = truncInt64(scaled);
    return ShortNumberText(static_cast<ext>(10000 - u) * widen(0.01), locale);
}

SpecialActionResults ComputeSpecialActions(const SpecialActionInputs &in, const QLocale &locale)
{
    SpecialActionResults r;
    const int a = readWholeNumber(in.attackerLevel);
    const int d = readWholeNumber(in.defenderLevel);
    const int n = readWholeNumber(in.numberOfShips);
    const int k = readWholeNumber(in.actionCount);

    r.levelDifference = QString::number(int64_t(a) - d);
    r.spyTime = DurationOrIncomplete(ActionDuration(kSpyMinutes, a, d));
    r.sabotageTime = DurationOrIncomplete(ActionDuration(kSabotageMinutes, a, d));
    const ext one = ActionChance(a, d, 1);
    r.successPercent = ChancePercentText(one, locale);
    r.raidTime = DurationOrIncomplete(ActionDuration(kRaidMinutes, a, d));
    r.kolonisationTime = DurationOrIncomplete(ActionDuration(kColonisationMinutes, a, d));
    r.invasionTime = DurationOrIncomplete(ActionDuration(kInvasionMinutes, a, d));
    r.successPercent2 = ChancePercentText(ActionChance(a, d, n), locale);
    r.uncloakChance = UncloakPercentText(toFloat(one), k, locale);
    return r;
}

} // namespace qf

#include "calc/BattleCalc.h"

#include "calc/CalcTexts.h"
#include "model/Formulas.h"
#include "model/WholeNumber.h"

#include <cmath>
#include <optional>

namespace qf {

namespace {
const QString kSeparators = QStringLiteral(":_ .,;");

int lastSeparator(const QString &text)
{
    for (int i = int(text.size()) - 1; i >= 0; --i)
        if (kSeparators.contains(text.at(i)))
            return i;
    return -1;
}

// A part converted strictly as a whole number, held as a 4-byte float.
std::optional<ext> part(const QString &text)
{
    const std::optional<int32_t> n = parseWholeNumber(text);
    if (!n)
        return std::nullopt;
    return static_cast<ext>(static_cast<float>(*n));
}

ext sixtieth() { return widen(1.0 / 60.0); }

// x - 1440 * whole part of (x / 1440): the remainder with the sign of x.
ext wrapDay(ext x) { return x - 1440 * std::trunc(x / 1440); }
} // namespace

ext TimeTextMinutes(const QString &text)
{
    int sep = lastSeparator(text);
    if (sep < 0) {
        const std::optional<ext> s = part(text);
        if (!s)
            return -1;
        return *s * sixtieth();
    }
    const std::optional<ext> s = part(text.mid(sep + 1));
    if (!s)
        return -1;
    const ext seconds = *s * sixtieth();
    const QString rest = text.left(sep);

    sep = lastSeparator(rest);
    if (sep < 0) {
        const std::optional<ext> m = part(rest);
        if (!m)
            return seconds;
        return seconds + *m;
    }
    const std::optional<ext> m = part(rest.mid(sep + 1));
    if (!m)
        return seconds;
    const std::optional<ext> h = part(rest.left(sep));
    if (!h)
        return seconds + *m;
    return *h * 60 + *m + seconds;
}

ext BattleDuration(const QString &beginText, const QString &endText)
{
    const ext b = wrapDay(TimeTextMinutes(beginText));
    const ext e = wrapDay(TimeTextMinutes(endText));
    if (b < 0 || e < 0)
        return -1;
    if (b == e)
        return static_cast<ext>(0.0166f);
    if (e > b)
        return e - b;
    return (1440 - b) + e;
}

ext OldASEstimate(int stabilityDestroyed, int armorDestroyed, float minutes)
{
    const int64_t product = (int64_t(stabilityDestroyed) + armorDestroyed) * 60;
    return static_cast<ext>(product) / static_cast<ext>(minutes);
}

ext NewASEstimate(int stabilityDestroyed, int armorDestroyed, float minutes)
{
    const int64_t product = int64_t(stabilityDestroyed) * 60;
    return (static_cast<ext>(product) / static_cast<ext>(minutes)
            + static_cast<ext>(armorDestroyed))
           * widen(1.3333333333333333);
}

QStringList BattleCalcResults::debugLines() const
{
    if (!estimated)
        return {};
    return {QStringLiteral(" Alte AS-Formel:") + oldEstimate,
            QStringLiteral(" Neue AS-Formel:") + newEstimate};
}

BattleCalcResults ComputeBattleCalc(const BattleCalcInputs &in)
{
    BattleCalcResults r;
    const float x = toFloat(BattleDuration(in.begin, in.end));
    if (!(x > 0)) {
        r.battleDuration = IncompleteDurationText();
        r.enemyAS = IncompleteText();
        return r;
    }
    r.battleDuration = DurationOrIncomplete(x);
    const int s = readWholeNumber(in.stabilityDestroyed);
    const int a = readWholeNumber(in.armorDestroyed);
    r.estimated = true;
    r.oldEstimate = WholePartText(OldASEstimate(s, a, x));
    r.newEstimate = WholePartText(NewASEstimate(s, a, x));
    r.enemyAS = r.newEstimate;
    return r;
}

} // namespace qf

#include "battle/BattleSimulation.h"

#include "model/Formulas.h"
#include "model/Numeric.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace qf {

namespace {

constexpr int64_t kInt64Max = std::numeric_limits<int64_t>::max();
constexpr float kAttackMultiplier = 1.5f;
constexpr float kRoundCap = 2.0f;

// The whole part of a value, toward zero. A value well inside the 64-bit range
// is converted directly (this runs for every round); anything else goes through
// truncInt64, which refuses what does not fit.
int64_t wholePart(ext value)
{
    if (value > -static_cast<ext>(kInt64Max) && value < static_cast<ext>(kInt64Max))
        return static_cast<int64_t>(value);
    return truncInt64(value);
}

// A damage as a whole number. Damage beyond the 64-bit range is held at its
// largest value: it destroys every ship of the target just the same, because
// the target's stability never passes that value.
int64_t damageValue(ext value)
{
    if (value >= static_cast<ext>(kInt64Max))
        return kInt64Max;
    return wholePart(value);
}

bool hasShipsLeft(const Fleet &fleet, const BattleSide &side, int index)
{
    return index <= fleet.LastIndex && side.lost[size_t(index)] < fleet.Classes[size_t(index)].Count;
}

void destroyShips(const Fleet::ShipClass &entry, BattleSide &side, size_t index, int64_t ships)
{
    side.lost[index] += ships;
    side.stabilityLeft -= ships * entry.Stability;
    side.attackLeft -= ships * entry.AS;
    side.armorLeft -= ships * entry.Armor;
}

// Whole round-robin passes over the target, done at once. A pass starting with
// damage d destroys one ship of every type with ships left exactly when, for
// every such type i in fleet order, d minus the stability of the types before
// it exceeds half of its stability, and d covers the stability of the whole
// pass (so the damage never turns negative within it). Passes are taken while
// that holds and while every type keeps at least one ship, so no type runs out
// and the target cannot be wiped out within them; the ship-by-ship steps after
// them continue exactly where the passes left off.
int64_t wholePasses(const Fleet &target, BattleSide &side, int64_t damage, bool &noShipsLeft)
{
    int64_t passStability = 0;
    int64_t needed = 0;
    int64_t fewestLeft = kInt64Max;
    noShipsLeft = true;
    for (int i = 0; i <= target.LastIndex; ++i) {
        if (!hasShipsLeft(target, side, i))
            continue;
        noShipsLeft = false;
        const Fleet::ShipClass &entry = target.Classes[size_t(i)];
        needed = std::max(needed, passStability + entry.Stability / 2 + 1);
        passStability += entry.Stability;
        fewestLeft = std::min(fewestLeft, int64_t(entry.Count) - side.lost[size_t(i)]);
    }
    if (noShipsLeft || passStability < 1)
        return damage;
    needed = std::max(needed, passStability);
    if (damage < needed)
        return damage;
    const int64_t passes = std::min((damage - needed) / passStability + 1, fewestLeft - 1);
    if (passes < 1)
        return damage;
    for (int i = 0; i <= target.LastIndex; ++i) {
        if (hasShipsLeft(target, side, i))
            destroyShips(target.Classes[size_t(i)], side, size_t(i), passes);
    }
    return damage - passes * passStability;
}

bool anyLost(const BattleSide &side)
{
    return std::any_of(side.lost.begin(), side.lost.end(), [](int64_t n) { return n > 0; });
}

int64_t lostSum(const BattleSide &side)
{
    int64_t sum = 0;
    for (int64_t n : side.lost)
        sum += n;
    return sum;
}

// The time side X needs to wear down the stability and armour of side Y.
float roundTime(const BattleSide &x, float random, const BattleSide &y, int64_t &effective)
{
    const float p = toFloat(static_cast<ext>(x.attackLeft) * static_cast<ext>(kAttackMultiplier));
    effective = wholePart(static_cast<ext>(x.attackLeft) * static_cast<ext>(random));
    const ext s = static_cast<ext>(y.stabilityLeft) + static_cast<ext>(y.armorLeft);
    if (s >= static_cast<ext>(kRoundCap) * static_cast<ext>(p))
        return kRoundCap;
    if (effective == 0)
        return kRoundCap;
    return toFloat(s / static_cast<ext>(effective));
}

void appendLossBlock(QStringList &lines, const Fleet &fleet, const BattleSide &side, bool home,
                     bool opponentNoAttack)
{
    if (!anyLost(side)) {
        lines << QStringLiteral(" ");
        if (opponentNoAttack)
            lines << (home ? QStringLiteral("Es wurden keine Schiffe zerstört, weil die Fremdflotte keinen Angriff starten konnte.")
                           : QStringLiteral("Es wurden keine Schiffe zerstört, weil die Heimatflotte keinen Angriff starten konnte."));
        else
            lines << QStringLiteral("Es wurden keine Schiffe zerstört.");
        return;
    }
    lines << QStringLiteral("Schiffstyp \tAnzahl \tStabilität \tAS \tPanzerung");
    int64_t cost = 0;
    for (int i = 0; i <= fleet.LastIndex; ++i) {
        const int64_t lost = side.lost[size_t(i)];
        if (lost <= 0)
            continue;
        const Fleet::ShipClass &entry = fleet.Classes[size_t(i)];
        lines << entry.Name + NameSeparator(entry.Name) + QString::number(lost) + u'\t'
                     + QString::number(entry.Stability) + u'\t' + QString::number(entry.AS) + u'\t'
                     + QString::number(entry.Armor);
        cost += lost * entry.Cost;
    }
    lines << QStringLiteral("Gesamt \t\t") + QString::number(lostSum(side)) + u'\t'
                 + QString::number(fleet.TotalStability - side.stabilityLeft) + u'\t'
                 + QString::number(fleet.TotalAS - side.attackLeft)
                 + (home ? QStringLiteral("\t") : QStringLiteral("\t\t"))
                 + QString::number(fleet.TotalArmor - side.armorLeft);
    if (side.wipedOut)
        lines << QStringLiteral("Die Flotte wurd vollständig zerstört.");
    lines << QStringLiteral("Kosten in Solar: ") + QString::number(cost);
}

} // namespace

float AverageRandom(bool) { return 0.75f; }

BattleSide BattleSide::Start(const Fleet &fleet)
{
    BattleSide side;
    side.stabilityLeft = fleet.TotalStability;
    side.attackLeft = fleet.TotalAS;
    side.armorLeft = fleet.TotalArmor;
    return side;
}

int64_t FireVolley(const Fleet &target, BattleSide &side, int64_t damage)
{
    int position = -1;
    bool fires = true;
    while (fires && !side.wipedOut) {
        if (position == -1) {
            bool noShipsLeft = false;
            damage = wholePasses(target, side, damage, noShipsLeft);
            if (noShipsLeft) {
                // Every ship is gone, so the stability left is 0: wiped out.
                side.wipedOut = true;
                break;
            }
        }
        ++position;
        if (hasShipsLeft(target, side, position)) {
            const Fleet::ShipClass &entry = target.Classes[size_t(position)];
            const int64_t half = entry.Stability / 2;
            if (damage > half) {
                destroyShips(entry, side, size_t(position), 1);
                damage -= entry.Stability;
                if (damage < 0)
                    fires = false;
            } else {
                fires = false;
            }
        }
        if (position >= target.LastIndex)
            position = -1;
        if (side.stabilityLeft < 1)
            side.wipedOut = true;
    }
    return damage;
}

namespace {

using wide = __int128;

constexpr int kHome = 0;
constexpr int kForeign = 1;
constexpr int64_t kUnbounded = kInt64Max;
// Carries and damages of stretches taken as a whole stay far inside 64 bits.
constexpr int64_t kLinearLimit = int64_t(1) << 62;
// The longest repeating pattern of steps looked for, and the most steps kept.
constexpr size_t kLongestPattern = 512;
constexpr size_t kHistoryLength = 2048; // below SeenKeys::kSlots
// Patterns are looked for only after this many rounds played one by one: most
// battles are over before.
constexpr int64_t kFirstLook = 16;

float addTime(float battleTime, float t)
{
    return toFloat(static_cast<ext>(battleTime) + static_cast<ext>(t));
}

// `reps` times the additions of `once`, which adds values of at least 0 to a
// battle time one at a time. Inside one binade every float addition moves the
// sum by a fixed number of units in the last place, except that a value of
// exactly half a unit goes to the even neighbour, so the move depends on the
// parity of the sum. Three passes are done one by one; if the last two stayed
// in one binade and brought the parity back, every further two passes move the
// sum by the same amount for as long as the sum stays in that binade.
template <typename Once>
float repeatAdditions(float battleTime, uint64_t reps, const Once &once)
{
    constexpr int digits = std::numeric_limits<float>::digits;
    while (reps > 0) {
        if (reps < 3) {
            battleTime = once(battleTime);
            --reps;
            continue;
        }
        const float t1 = once(battleTime);
        const float t2 = once(t1);
        const float t3 = once(t2);
        reps -= 3;
        battleTime = t3;
        if (t3 == t1) // from here on t1, t2, t1, t2, ...
            return reps % 2 == 0 ? t3 : t2;
        if (!std::isnormal(t1))
            continue;
        int e1 = 0;
        int e3 = 0;
        std::frexp(t1, &e1);
        std::frexp(t3, &e3);
        if (e1 != e3)
            continue;
        const double unit = std::ldexp(1.0, e1 - digits);
        const int64_t at = static_cast<int64_t>(double(t3) / unit);
        const int64_t move = static_cast<int64_t>((double(t3) - double(t1)) / unit);
        if (move <= 0 || move % 2 != 0)
            continue;
        const int64_t top = (int64_t(1) << digits) - 1;
        const uint64_t pairs = std::min<uint64_t>(reps / 2, uint64_t((top - at) / move));
        battleTime = static_cast<float>(double(at + int64_t(pairs) * move) * unit);
        reps -= 2 * pairs;
    }
    return battleTime;
}

// The largest n in [1, most] for which `passes(n)` holds, where passes(n)
// implies passes(m) for every m < n; 0 if it fails already for 1.
template <typename Check>
int64_t largestPassing(int64_t most, const Check &passes)
{
    if (most < 1 || !passes(1))
        return 0;
    int64_t good = 1;
    int64_t bad = 0;
    while (bad == 0) {
        if (good == most)
            return good;
        const int64_t next = good > most / 2 ? most : good * 2;
        if (passes(next))
            good = next;
        else
            bad = next;
    }
    while (bad - good > 1) {
        const int64_t middle = good + (bad - good) / 2;
        if (passes(middle))
            good = middle;
        else
            bad = middle;
    }
    return good;
}

int64_t effectiveAttack(int64_t attack, float random)
{
    return wholePart(static_cast<ext>(attack) * static_cast<ext>(random));
}

// What a side's attack does in a round of length t before carry and armour:
// the home side multiplies its attack by the random factor and the time, the
// foreign side its truncated effective attack by the time.
ext homeStrike(int64_t attack, float random, float t)
{
    return static_cast<ext>(attack) * static_cast<ext>(random) * static_cast<ext>(t);
}

ext foreignStrike(int64_t effective, float t)
{
    return static_cast<ext>(effective) * static_cast<ext>(t);
}

ext strike(int x, int64_t attack, float random, float t)
{
    if (x == kHome)
        return homeStrike(attack, random, t);
    return foreignStrike(effectiveAttack(attack, random), t);
}

int64_t damageFrom(ext strikeValue, int64_t carry, int64_t armor)
{
    return damageValue(strikeValue + static_cast<ext>(carry) - static_cast<ext>(armor));
}

// The largest carry c for which strike + c is exact in extended precision, so
// that the damage grows by exactly one for every one of carry; -1 if none.
// The sum is exact while it is a multiple of the lowest bit of the strike (or
// of 1) below 2^64 of those bits.
int64_t exactCarryLimit(ext strikeValue)
{
    if (!(strikeValue >= 0) || !std::isfinite(strikeValue))
        return -1;
    int lowest = 0;
    if (strikeValue != 0) {
        int e = 0;
        const ext mantissa = std::frexp(strikeValue, &e);
        const uint64_t bits = static_cast<uint64_t>(std::ldexp(mantissa, 64));
        lowest = std::min(e - 64 + __builtin_ctzll(bits), 0);
    }
    const ext room = std::ldexp(static_cast<ext>(1), 64 + lowest) - strikeValue;
    if (room <= 2)
        return -1;
    if (room > static_cast<ext>(kLinearLimit))
        return kLinearLimit;
    return static_cast<int64_t>(room) - 2;
}

// The damages of one volley that destroy exactly `kills` ships, while no type of
// the target runs out. The volley goes round the types with ships left, and a
// larger damage destroys the same ships and perhaps more, so they form a range.
struct KillRange {
    wide low = 0;
    wide high = 0;
};

bool killRange(const Fleet &target, const std::array<int64_t, Fleet::Capacity> &lost,
               int64_t kills, KillRange &range)
{
    std::array<int64_t, Fleet::Capacity> stability{};
    std::array<wide, Fleet::Capacity + 1> before{}; // stability of the types before position n
    int n = 0;
    for (int i = 0; i <= target.LastIndex; ++i) {
        if (lost[size_t(i)] < target.Classes[size_t(i)].Count) {
            stability[size_t(n)] = target.Classes[size_t(i)].Stability;
            before[size_t(n) + 1] = before[size_t(n)] + stability[size_t(n)];
            ++n;
        }
    }
    const wide pass = before[size_t(n)];
    if (n == 0 || pass < 1)
        return false;
    // Stability of the first l ships in the volley's order, and half the stability of the l-th.
    const auto reach = [&](wide l) { return (l / n) * pass + before[size_t(l % n)]; };
    const auto half = [&](wide l) { return wide(stability[size_t((l - 1) % n)] / 2); };
    range.high = reach(kills) + half(wide(kills) + 1);
    range.low = kills == 0 ? -(wide(1) << 100) : reach(wide(kills) - 1) + half(kills) + 1;
    return true;
}

// How much the totals of each side fall: per round of a step, or per pass of a pattern.
struct Shift {
    std::array<int64_t, 2> attack{};
    std::array<int64_t, 2> armor{};
    std::array<int64_t, 2> stability{};
};

struct RoundResult {
    RoundResult() {} // every member is set by the round (a battle plays millions of them)
    float t = 0.0f;
    std::array<int64_t, 2> effective;
    std::array<int64_t, 2> damage;   // before the home side's "no shot" makes it 0
    std::array<bool, 2> fires;
    std::array<int64_t, 2> leftover; // after the volley; the damage itself without one
    std::array<std::array<int64_t, Fleet::Capacity>, 2> kills; // ships each side lost
    bool anyKills = false;
};

// A stretch of rounds that all play alike: the values at the start of its first
// round, what that round did, and how the values move from round to round.
struct Step {
    Step() {} // filled by beginStep and extendStep, once for every step
    float t = 0.0f;
    int64_t rounds = 1;
    std::array<int64_t, 2> attack;
    std::array<int64_t, 2> armor;
    std::array<int64_t, 2> stability;
    std::array<int64_t, 2> carry;
    std::array<float, 2> pace; // attack × 1.5 as a float, against which the time is measured
    std::array<int64_t, 2> effective;
    std::array<int64_t, 2> damage;
    std::array<int64_t, 2> slope; // change of the carry per round
    Shift perRound;
    std::array<std::array<int64_t, Fleet::Capacity>, 2> lost;
};

// What a pattern of steps must start from to repeat: the carries and which types have ships left.
struct PatternKey {
    std::array<int64_t, 2> carry{};
    std::array<uint32_t, 2> alive{};
    bool operator==(const PatternKey &other) const
    {
        return carry == other.carry && alive == other.alive;
    }
};

// The step at which each key was last seen, in a small open-addressing table
// that is emptied at once by starting a new generation.
class SeenKeys {
public:
    // The step last seen with the key, or -1.
    int64_t find(const PatternKey &key) const
    {
        if (slots_.empty())
            return -1;
        for (size_t i = hash(key);; i = (i + 1) & (kSlots - 1)) {
            const Slot &slot = slots_[i];
            if (slot.generation != generation_)
                return -1;
            if (slot.key == key)
                return int64_t(slot.step);
        }
    }
    void remember(const PatternKey &key, size_t step)
    {
        if (slots_.empty())
            slots_.resize(kSlots); // only battles of more than a few steps come here
        for (size_t i = hash(key);; i = (i + 1) & (kSlots - 1)) {
            Slot &slot = slots_[i];
            if (slot.generation != generation_ || slot.key == key) {
                slot.generation = generation_;
                slot.key = key;
                slot.step = step;
                return;
            }
        }
    }
    void clear() { ++generation_; }

    // More slots than steps are ever kept, so the table never fills.
    static constexpr size_t kSlots = 4096;

private:
    struct Slot {
        PatternKey key;
        size_t step = 0;
        uint64_t generation = 0;
    };
    static size_t hash(const PatternKey &key)
    {
        uint64_t h = uint64_t(key.carry[0]) * 0x9E3779B97F4A7C15ull;
        h ^= uint64_t(key.carry[1]) + 0x7F4A7C159E3779B9ull + (h << 6) + (h >> 2);
        h ^= ((uint64_t(key.alive[0]) << 32) | key.alive[1]) * 0xC2B2AE3D27D4EB4Full;
        h ^= h >> 29;
        return size_t(h) & (kSlots - 1);
    }
    std::vector<Slot> slots_;
    uint64_t generation_ = 1;
};

// The first round j ≥ 1 of a quiet stretch after which both carries are 0 (the
// battle is broken off there), when carry x after round j is carry[x] + (j+1)·slope[x].
int64_t firstStandstill(const std::array<int64_t, 2> &carry, const std::array<int64_t, 2> &slope)
{
    constexpr int64_t every = -1;
    std::array<int64_t, 2> at{};
    for (int x = 0; x < 2; ++x) {
        if (slope[x] == 0) {
            if (carry[x] != 0)
                return kUnbounded;
            at[x] = every;
            continue;
        }
        if (carry[x] % slope[x] != 0)
            return kUnbounded;
        at[x] = -carry[x] / slope[x];
        if (at[x] < 2)
            return kUnbounded;
    }
    int64_t after = 0;
    if (at[0] == every)
        after = at[1];
    else if (at[1] == every || at[0] == at[1])
        after = at[0];
    else
        return kUnbounded;
    return after == every ? 1 : after - 1;
}

class Battle {
public:
    Battle(const Fleet &home, const Fleet &foreign, int64_t roundLimit)
        : fleet_{&home, &foreign}, roundLimit_(roundLimit)
    {
        out_.home = BattleSide::Start(home);
        out_.foreign = BattleSide::Start(foreign);
    }
    Battle(const Battle &) = delete;
    Battle &operator=(const Battle &) = delete;

    BattleOutcome fight();

private:
    BattleSide &side(int x) { return x == kHome ? out_.home : out_.foreign; }
    const BattleSide &side(int x) const { return x == kHome ? out_.home : out_.foreign; }
    bool hasShips(int x, int i) const
    {
        return side(x).lost[size_t(i)] < fleet_[x]->Classes[size_t(i)].Count;
    }
    bool over() const { return out_.home.wipedOut || out_.foreign.wipedOut; }

    void beginStep(Step &step) const;
    RoundResult playRound();
    void extendStep(Step &step, const RoundResult &round);
    bool holds(const Step &step, int64_t rounds, const Shift &pass, int64_t passes) const;
    void lookForPattern();
    bool jumpPattern(size_t first);
    void forget();

    const Fleet *fleet_[2];
    BattleOutcome out_;
    int64_t roundLimit_;
    int64_t played_ = 0; // rounds played one by one
    std::vector<Step> history_;
    SeenKeys seen_;
    size_t nextAttempt_ = 0;
    size_t patternBackoff_ = 1;
    int64_t skipRuns_ = 0;
    int64_t runBackoff_ = 1;
};

void Battle::beginStep(Step &step) const
{
    for (int x = 0; x < 2; ++x) {
        const BattleSide &s = side(x);
        step.attack[x] = s.attackLeft;
        step.armor[x] = s.armorLeft;
        step.stability[x] = s.stabilityLeft;
        step.carry[x] = s.carry;
        step.pace[x] = toFloat(static_cast<ext>(s.attackLeft) * static_cast<ext>(kAttackMultiplier));
        step.lost[x] = s.lost;
    }
}

// One round by the rules, ship by ship.
RoundResult Battle::playRound()
{
    BattleSide &h = side(kHome);
    BattleSide &f = side(kForeign);
    RoundResult r;
    const float rH = AverageRandom(true);
    const float rF = AverageRandom(true);
    const float tH = roundTime(h, rH, f, r.effective[kHome]);
    const float tF = roundTime(f, rF, h, r.effective[kForeign]);
    r.t = std::min(std::min(tH, tF), kRoundCap);

    r.damage[kHome] = damageFrom(homeStrike(h.attackLeft, rH, r.t), h.carry, f.armorLeft);
    r.fires[kHome] = r.damage[kHome] >= 1;
    if (r.fires[kHome])
        h.noAttack = false;
    // The foreign side's effective attack is 0 whenever it is below 1.
    r.fires[kForeign] = r.effective[kForeign] >= 1;
    if (r.fires[kForeign])
        f.noAttack = false;
    r.damage[kForeign] = damageFrom(foreignStrike(r.effective[kForeign], r.t), f.carry, h.armorLeft);

    out_.battleTime = addTime(out_.battleTime, r.t);
    ++out_.rounds;

    const auto lostH = h.lost;
    const auto lostF = f.lost;
    r.leftover = r.damage;
    if (r.fires[kHome])
        r.leftover[kHome] = FireVolley(*fleet_[kForeign], f, r.damage[kHome]);
    if (r.fires[kForeign])
        r.leftover[kForeign] = FireVolley(*fleet_[kHome], h, r.damage[kForeign]);
    h.carry = std::max<int64_t>(r.leftover[kHome], 0);
    f.carry = std::max<int64_t>(r.leftover[kForeign], 0);
    for (size_t i = 0; i < size_t(Fleet::Capacity); ++i) {
        r.kills[kHome][i] = h.lost[i] - lostH[i];
        r.kills[kForeign][i] = f.lost[i] - lostF[i];
        r.anyKills = r.anyKills || r.kills[kHome][i] != 0 || r.kills[kForeign][i] != 0;
    }
    return r;
}

// Whether `rounds` rounds of the step, shifted by `passes` passes of a pattern
// that lowers the totals by `pass`, all play as the step's first round did:
// the same round time and, for a side whose attack or whose opponent's armour
// moves, the same damage (or no damage at all); a side whose values stay gets
// the damage its carry gives, as in the first round. The values move in one
// direction only and every rule is monotone in them, so the extremes decide.
bool Battle::holds(const Step &step, int64_t rounds, const Shift &pass, int64_t passes) const
{
    const float random = AverageRandom(true);
    const wide inner = wide(rounds) - 1;
    for (int x = 0; x < 2; ++x) {
        const int y = 1 - x;
        const wide attackLow = step.attack[x] - inner * step.perRound.attack[x]
                               - wide(passes) * pass.attack[x];
        const wide armorLow = step.armor[y] - inner * step.perRound.armor[y]
                              - wide(passes) * pass.armor[y];
        const wide stabilityLow = step.stability[y] - inner * step.perRound.stability[y]
                                  - wide(passes) * pass.stability[y];
        const bool attackMoves = attackLow != step.attack[x];
        const bool armorMoves = armorLow != step.armor[y];
        if ((attackMoves || armorMoves || stabilityLow != step.stability[y])
            && step.effective[x] != 0) {
            // The side's time stays 2.0 only while s ≥ 2·p: s falls, p never rises.
            const ext s = static_cast<ext>(stabilityLow + armorLow);
            if (!(s >= static_cast<ext>(kRoundCap) * static_cast<ext>(step.pace[x])))
                return false;
        }
        if (attackMoves || armorMoves) {
            if (step.slope[x] != 0)
                return false;
            // The foreign side fires while its effective attack is at least 1.
            if (x == kForeign && step.effective[x] >= 1
                && effectiveAttack(int64_t(attackLow), random) < 1)
                return false;
            const int64_t high = damageFrom(strike(x, step.attack[x], random, step.t),
                                            step.carry[x], int64_t(armorLow));
            if (step.damage[x] <= 0) {
                if (high > 0)
                    return false;
                continue;
            }
            const int64_t low = damageFrom(strike(x, int64_t(attackLow), random, step.t),
                                           step.carry[x], step.armor[y]);
            if (low != step.damage[x] || high != step.damage[x])
                return false;
        }
    }
    return true;
}

// After the step's first round: how many rounds in a row play exactly like it,
// with each carry moving by the same amount every round, and those rounds taken
// at once.
void Battle::extendStep(Step &step, const RoundResult &r)
{
    step.t = r.t;
    step.effective = r.effective;
    step.damage = r.damage;
    for (int x = 0; x < 2; ++x) {
        step.slope[x] = side(x).carry - step.carry[x];
        const Fleet &fleet = *fleet_[x];
        for (int i = 0; i <= fleet.LastIndex; ++i) {
            const Fleet::ShipClass &entry = fleet.Classes[size_t(i)];
            const int64_t k = r.kills[x][size_t(i)];
            if (k == 0)
                continue;
            step.perRound.attack[x] += k * entry.AS;
            step.perRound.armor[x] += k * entry.Armor;
            step.perRound.stability[x] += k * entry.Stability;
        }
    }
    if (over())
        return;
    // Where every round differs from the last (both fleets losing armed ships,
    // say), looking for a stretch fails again and again; after each failure in
    // a row the next few steps do not look (up to 64), which costs nothing but
    // a few single rounds when a stretch begins.
    if (skipRuns_ > 0) {
        --skipRuns_;
        return;
    }
    for (int x = 0; x < 2; ++x) {
        for (int i = 0; i <= fleet_[x]->LastIndex; ++i) {
            if (step.lost[x][size_t(i)] < fleet_[x]->Classes[size_t(i)].Count && !hasShips(x, i))
                return; // a type ran out: the next round differs
        }
    }

    // Limits that follow from the carries alone.
    int64_t longest = kUnbounded;
    const float random = AverageRandom(true);
    for (int x = 0; x < 2; ++x) {
        const int y = 1 - x;
        const int64_t slope = step.slope[x];
        if (slope == 0)
            continue; // the same damage every round (checked below where values move)
        if (step.perRound.attack[x] != 0 || step.perRound.armor[y] != 0)
            return;
        if (r.leftover[x] < 0)
            return; // the carry fell to 0 from a carry above 0: the next round differs
        KillRange range;
        range.low = -(wide(1) << 100);
        range.high = wide(1) << 100;
        if (x == kHome || r.fires[kForeign]) {
            int64_t kills = 0;
            for (int64_t k : r.kills[y])
                kills += k;
            if (!killRange(*fleet_[y], step.lost[y], kills, range))
                return;
        }
        const int64_t exactUpTo = exactCarryLimit(strike(x, step.attack[x], random, r.t));
        const int64_t d0 = r.damage[x];
        const int64_t c0 = step.carry[x];
        if (c0 > exactUpTo || d0 > kLinearLimit)
            return;
        wide last = 0; // the last round, counted from 0, that still plays alike
        if (slope > 0) {
            last = std::min({(range.high - d0) / slope, wide(exactUpTo - c0) / slope,
                             wide(kLinearLimit - d0) / slope});
        } else {
            last = std::min((wide(d0) - range.low) / -slope, wide(r.leftover[x]) / -slope);
        }
        if (last < 1)
            return;
        longest = int64_t(std::min<wide>(longest, last + 1));
    }
    if (!r.anyKills)
        longest = std::min(longest, firstStandstill(step.carry, step.slope));

    // Limits from the ships and the stability left.
    for (int x = 0; x < 2; ++x) {
        const Fleet &fleet = *fleet_[x];
        for (int i = 0; i <= fleet.LastIndex; ++i) {
            const int64_t k = r.kills[x][size_t(i)];
            if (k > 0) {
                const int64_t left = fleet.Classes[size_t(i)].Count - step.lost[x][size_t(i)];
                longest = std::min(longest, (left - 1) / k);
            }
        }
        if (step.perRound.stability[x] > 0)
            longest = std::min(longest, (step.stability[x] - 1) / step.perRound.stability[x]);
    }
    longest = std::min(longest, kInt64Max - out_.rounds);
    if (longest <= 1)
        return;

    const Shift none;
    const int64_t rounds = largestPassing(longest, [&](int64_t n) {
        if (n == 1)
            return true; // the first round itself
        return holds(step, n, none, 0);
    });
    if (rounds <= 1) {
        // Only a failed look at the rounds counts, not a stretch that is cut
        // short by the carries or the ships left.
        skipRuns_ = runBackoff_;
        runBackoff_ = std::min<int64_t>(runBackoff_ * 2, 64);
        return;
    }
    runBackoff_ = 1;
    const int64_t extra = rounds - 1;
    for (int x = 0; x < 2; ++x) {
        BattleSide &s = side(x);
        for (size_t i = 0; i < size_t(Fleet::Capacity); ++i)
            s.lost[i] += extra * r.kills[x][i];
        s.attackLeft -= extra * step.perRound.attack[x];
        s.armorLeft -= extra * step.perRound.armor[x];
        s.stabilityLeft -= extra * step.perRound.stability[x];
        s.carry = step.carry[x] + rounds * step.slope[x];
    }
    out_.battleTime = AddRoundTimes(out_.battleTime, r.t, uint64_t(extra));
    out_.rounds += extra;
    step.rounds = rounds;
}

void Battle::forget()
{
    history_.clear();
    seen_.clear();
    nextAttempt_ = 0;
}

// When the carries and the types with ships left are back where they were some
// steps ago, those steps may repeat: take as many repetitions at once as play
// exactly alike.
void Battle::lookForPattern()
{
    if (played_ < kFirstLook)
        return;
    PatternKey key;
    for (int x = 0; x < 2; ++x) {
        key.carry[x] = side(x).carry;
        for (int i = 0; i <= fleet_[x]->LastIndex; ++i) {
            if (hasShips(x, i))
                key.alive[x] |= 1u << i;
        }
    }
    const int64_t found = seen_.find(key);
    if (found >= 0) {
        const size_t first = size_t(found);
        const size_t now = history_.size();
        if (now >= nextAttempt_ && now - first <= kLongestPattern) {
            if (jumpPattern(first)) {
                forget();
                patternBackoff_ = 1;
            } else {
                // Not again before the pattern has passed a few more times.
                nextAttempt_ = now + (now - first) * patternBackoff_;
                patternBackoff_ = std::min<size_t>(patternBackoff_ * 2, 64);
            }
        }
    }
    if (history_.size() >= kHistoryLength)
        forget();
    seen_.remember(key, history_.size());
}

bool Battle::jumpPattern(size_t first)
{
    const Step &start = history_[first];
    Shift pass;
    std::array<std::array<int64_t, Fleet::Capacity>, 2> lostPass{};
    bool anyLoss = false;
    for (int x = 0; x < 2; ++x) {
        const BattleSide &s = side(x);
        pass.attack[x] = start.attack[x] - s.attackLeft;
        pass.armor[x] = start.armor[x] - s.armorLeft;
        pass.stability[x] = start.stability[x] - s.stabilityLeft;
        for (size_t i = 0; i < size_t(Fleet::Capacity); ++i) {
            lostPass[x][i] = s.lost[i] - start.lost[x][i];
            anyLoss = anyLoss || lostPass[x][i] > 0;
        }
    }
    if (!anyLoss)
        return false;
    int64_t roundsPerPass = 0;
    for (size_t m = first; m < history_.size(); ++m)
        roundsPerPass += history_[m].rounds;
    int64_t most = (kInt64Max - out_.rounds) / roundsPerPass;
    for (int x = 0; x < 2; ++x) {
        const BattleSide &s = side(x);
        for (int i = 0; i <= fleet_[x]->LastIndex; ++i) {
            const int64_t k = lostPass[x][size_t(i)];
            if (k > 0)
                most = std::min(most, (fleet_[x]->Classes[size_t(i)].Count - s.lost[size_t(i)] - 1) / k);
        }
        if (pass.stability[x] > 0)
            most = std::min(most, (s.stabilityLeft - 1) / pass.stability[x]);
    }
    const int64_t passes = largestPassing(most, [&](int64_t n) {
        for (size_t m = first; m < history_.size(); ++m) {
            if (!holds(history_[m], history_[m].rounds, pass, n))
                return false;
        }
        return true;
    });
    if (passes < 1)
        return false;

    for (int x = 0; x < 2; ++x) {
        BattleSide &s = side(x);
        for (size_t i = 0; i < size_t(Fleet::Capacity); ++i)
            s.lost[i] += passes * lostPass[x][i];
        s.attackLeft -= passes * pass.attack[x];
        s.armorLeft -= passes * pass.armor[x];
        s.stabilityLeft -= passes * pass.stability[x];
    }
    out_.battleTime = repeatAdditions(out_.battleTime, uint64_t(passes), [&](float battleTime) {
        for (size_t m = first; m < history_.size(); ++m)
            battleTime = AddRoundTimes(battleTime, history_[m].t, uint64_t(history_[m].rounds));
        return battleTime;
    });
    out_.rounds += passes * roundsPerPass;
    return true;
}

BattleOutcome Battle::fight()
{
    while (!over()) {
        if (played_ >= roundLimit_) {
            out_.capped = true;
            break;
        }
        lookForPattern();
        Step &step = history_.emplace_back();
        beginStep(step);
        const RoundResult r = playRound();
        ++played_;
        // A round that destroyed nothing leaves every value but the carries as it
        // was; if the carries stand still too, every later round repeats it.
        const BattleSide &h = side(kHome);
        const BattleSide &f = side(kForeign);
        if (!over() && !r.anyKills
            && ((h.carry == 0 && f.carry == 0)
                || (h.carry == step.carry[kHome] && f.carry == step.carry[kForeign])))
            out_.aborted = true;
        if (over() || out_.aborted) {
            history_.pop_back();
            break;
        }
        extendStep(step, r);
    }
    // A fleet counts as wiped out once its stability left is below 1; ships
    // without stability may still be listed then. They go down with it, so
    // that the report never calls a fleet destroyed while it has ships.
    for (int x = 0; x < 2; ++x) {
        BattleSide &s = side(x);
        if (!s.wipedOut)
            continue;
        for (int i = 0; i <= fleet_[x]->LastIndex; ++i)
            s.lost[size_t(i)] = fleet_[x]->Classes[size_t(i)].Count;
        s.stabilityLeft = 0;
        s.attackLeft = 0;
        s.armorLeft = 0;
    }
    return out_;
}

} // namespace

float AddRoundTimes(float battleTime, float roundTime, uint64_t count)
{
    return repeatAdditions(battleTime, count, [roundTime](float t) { return addTime(t, roundTime); });
}

BattleOutcome FightBattle(const Fleet &home, const Fleet &foreign, int64_t roundLimit)
{
    Battle battle(home, foreign, roundLimit);
    return battle.fight();
}

QString NameSeparator(const QString &name)
{
    const qsizetype characters = name.toUcs4().size();
    if (characters <= 10)
        return QStringLiteral("\t\t");
    if (characters <= 20)
        return QStringLiteral("\t");
    return QStringLiteral(" ");
}

QStringList BattleReport(const Fleet &home, const Fleet &foreign, const BattleOutcome &outcome)
{
    QStringList lines;
    const float minutes = toFloat(static_cast<ext>(outcome.battleTime) * 60);
    lines << QStringLiteral("Dauer des Kampfes: ") + DurationText(minutes) + QStringLiteral(" (")
                 + QString::number(outcome.rounds) + QStringLiteral(" Runden)");
    if (outcome.aborted)
        lines << QStringLiteral("Kampf abgebrochen: keine Flotte kann die andere zerstören.");
    else if (outcome.capped)
        lines << QStringLiteral("Kampf abgebrochen: nach ") + QString::number(outcome.rounds)
                     + QStringLiteral(" Runden ist noch keine Flotte zerstört.");
    lines << QStringLiteral(" ");
    lines << QStringLiteral("In der Heimatflotte wurden bei dem Kampf folgende Schiffe zerstört:");
    appendLossBlock(lines, home, outcome.home, true, outcome.foreign.noAttack);
    lines << QStringLiteral(" ");
    lines << QStringLiteral("In der Fremdflotte wurden bei dem Kampf folgende Schiffe zerstört:");
    appendLossBlock(lines, foreign, outcome.foreign, false, outcome.home.noAttack);
    return lines;
}

void SimulateBattle(const Fleet &home, const Fleet &foreign, QStringList &lines)
{
    lines << BattleReport(home, foreign, FightBattle(home, foreign));
}

} // namespace qf

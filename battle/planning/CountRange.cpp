#include "battle/planning/CountRange.h"

#include "battle/engine/BattleRound.h"
#include "battle/planning/RangeCorners.h"

#include <algorithm>
#include <initializer_list>
#include <array>
#include <cmath>
#include <limits>
#include <numeric>
#include <optional>

// Why a verdict holds for every count of the range.
//
// Let the home entry have the count K, low <= K <= high, all else unchanged.
// The battles are followed together round by round. Claim: as long as the
// range is neither won nor lost, in every one of those battles so far
//   - the ships left of each type of each side lie between those of two corner
//     states of that side, a weak one and a strong one (for the home side they
//     start with `low` and `high` entry ships, for the foreign side both are
//     the whole fleet), no fleet is wiped out, and
//   - the carries lie within the bounds kept (homeCarry_, foreignCarry_).
// Every per-ship value is 0 or more, so each battle's attack, armour and
// stability lie between those of the corners of its side.
//
// Every rule of a round is monotone in these values:
// - A side's effective attack, pace, and its time capped at 2.0 (the round
//   cap): a side's capped time does not rise as its own attack grows and does
//   not fall as its opponent's stability and armour grow (2.0 once that
//   strength is at least twice the pace, else strength / effective attack). So
//   the round time, the smaller of the two, lies between bounds taken from the
//   corners.
// - A strike (attack x 0.75 x time, or effective attack x time) and a damage
//   (strike + carry - armour, truncated) are products, sums and a truncation,
//   each monotone in extended precision; so each damage lies between the
//   damages of the bounds.
// - A volley: a fleet with at least as many ships of every type, hit by no
//   more damage, keeps at least as many ships of every type, and is not wiped
//   out where the other is not. (Follow both volleys position by position: the
//   stronger fleet has a ship wherever the weaker one has, meets it with no
//   more damage left, so destroys it only if the weaker one does too, and may
//   spend damage on ships the weaker one no longer has; its stability left is
//   never below the other's.) So the weak corner hit by the largest damage and
//   the strong corner hit by the least bound every battle's fleet after the
//   volley: they are the new corners. If the strong corner is wiped out, every
//   battle's fleet is; if the weak one is not, none is.
// - Where every type whose ships left differ between the battles keeps ships
//   through the volley at the weak corner, every battle's volley meets the
//   same ships in the same order (the other types have the same ships left in
//   all battles) and destroys more the larger its damage: the ships met
//   before a battle's volley stops lie within those the weak corner's volley
//   met, and none of those types runs out there. Equal losses at the corners
//   are then every battle's losses, and its leftover damage lies between
//   theirs. Otherwise a leftover is at most half the stability of the ship the
//   volley stopped at (or it is spent: 0).
// - Whether a round changes nothing (no ship lost and both carries 0, or both
//   carries unchanged) is decided only where the bounds settle it for every
//   battle at once.
//
// Where the round time is a side's own time (strength / effective attack,
// below 2.0), that side's damage is not monotone in the count: more ships
// shorten the time, and its float rounding moves the product either way. Its
// strike is then the opponent's stability and armour S to within the float
// rounding of the time (a relative 2^-23, taken generously as 2^-21) and, for
// the home side, S f / e for the fraction f its truncated effective attack e
// dropped; those bounds are narrow however wide the range. They bound the
// damage less the opponent's stability left, and a volley whose damage is at
// least the target's stability left less ceil(s / 2) + 1 for the smallest
// positive ship stability s present wipes the target out: every ship up to
// the last meets more than half its stability.
//
// The range is won as soon as the home volley wipes the foreign fleet out in
// every battle (whatever the foreign volley does); it is lost when the foreign
// fleet survives every battle's home volley and the home fleet is wiped out in
// every battle, or every battle ends for lack of progress, or the home side
// can never destroy another foreign ship in any battle. Any decision that may
// differ between the battles leaves the range open, with one exception: where
// some battles may end in a round the foreign fleet survives in all of them
// (the home fleet wiped out, or no progress), those battles are lost, and the
// others go on within the same bounds (the weak home corner, where wiped out,
// becomes a fleet without any ship, below every battle still going). From
// then on the range can still be lost as a whole, but no longer won. (Near
// the round time's own-time regime the float rounding of the time decides
// whether a few ships outlive the first volley, for counts scattered over the
// range; without this, every such count would have to be fought by itself.)

namespace qf::battle {

namespace {

// Values below this keep every extended-precision sum of the bounds exact to
// within a quarter.
constexpr int64_t kSafe = int64_t(1) << 60;

// The precondition of every bound that adds or multiplies values: all of them below kSafe.
bool allSafe(std::initializer_list<int64_t> values)
{
    return std::all_of(values.begin(), values.end(), [](int64_t v) { return v < kSafe; });
}

// Rounds a range goes on after some of its battles are lost before it is split.
constexpr int64_t kRoundsAfterSomeLost = 8;

float capped(float time) { return std::min(time, kRoundCap); }

ext strength(const BattleSide &side)
{
    return static_cast<ext>(side.stabilityLeft) + static_cast<ext>(side.armorLeft);
}

int64_t clampToInt64(wide v)
{
    if (v > kInt64Max)
        return kInt64Max;
    if (v < std::numeric_limits<int64_t>::min())
        return std::numeric_limits<int64_t>::min();
    return int64_t(v);
}

// 1 + 2^-21 (or 1 - 2^-21): the float rounding of a round time (at most 2^-24
// relative, and 2^-64 for the extended quotient before it) and the extended
// products after it, taken generously.
ext roundingSlack(int sign) { return 1 + sign * std::ldexp(static_cast<ext>(1), -21); }

class RangeBattle {
public:
    RangeBattle(const Fleet &home, const Fleet &foreign, int entry, int32_t low, int32_t high)
        : lowFleet_(home), highFleet_(home), foreign_(foreign), entry_(entry)
    {
        lowFleet_.SetCount(entry, low);
        highFleet_.SetCount(entry, high);
        home_ = {&lowFleet_, &highFleet_, BattleSide::Start(lowFleet_), BattleSide::Start(highFleet_)};
        const BattleSide f = BattleSide::Start(foreign_);
        foreignCorners_ = {&foreign_, &foreign_, f, f};
    }

    RangeVerdict fight(int64_t maxRounds, int64_t &rounds)
    {
        int64_t lostAt = 0;
        for (rounds = 0; rounds < maxRounds;) {
            ++rounds;
            switch (round()) {
            case Step::Next: break;
            case Step::Win: return RangeVerdict::Win;
            case Step::Loss: return RangeVerdict::Loss;
            case Step::Differ: return RangeVerdict::Differ;
            }
            // Once some battles are lost, the range can only still be lost as a
            // whole; where that is not clear soon, splitting it is quicker.
            if (someLost_ && lostAt == 0)
                lostAt = rounds;
            if (someLost_ && rounds - lostAt >= kRoundsAfterSomeLost)
                return RangeVerdict::Differ;
        }
        return someLost_ ? RangeVerdict::Differ : RangeVerdict::TooLong;
    }

private:
    enum class Step { Next, Win, Loss, Differ };

    // What a round is made of, as bounds over every battle of the range.
    struct Times {
        int64_t effectiveHomeWeak = 0;
        int64_t effectiveForeignWeak = 0;
        int64_t effectiveForeignStrong = 0;
        float lo = 0;
        float hi = 0;
        bool homeTimes = false;    // the home side's own time is the round's in every battle
        bool foreignTimes = false; // likewise the foreign side's
    };
    struct DamageBounds {
        Bounds bounds;
        std::optional<Bounds> excess; // over the target's stability left, where the side's own time rules
        void narrowTo(const Corners &target);
    };

    Step round();
    Times roundTimes() const;
    DamageBounds homeDamage(const Times &t) const;
    DamageBounds foreignDamage(const Times &t) const;
    static bool wipesOutEverywhere(const Corners &target, const CornerVolleys &at, const DamageBounds &d);
    Step foreignVolley(const Times &t, const DamageBounds &foreign, CornerVolleys &atHome);
    bool standsStill(const Times &t, const DamageBounds &home, const DamageBounds &foreign,
                     const CornerVolleys &atForeign,
                     const CornerVolleys &atHome, const Bounds &homeCarryAfter, const Bounds &foreignCarryAfter);
    int64_t homeFractionDropped() const;
    int64_t anyFractionDropped() const;
    ext largestHomeStrike() const;
    bool homeIsSpent() const;
    std::optional<Bounds> homeOwnTimeDamage(int64_t effectiveWeak) const;
    std::optional<Bounds> ownTimeExcess(const Corners &attacker, const Corners &target, const Bounds &carry,
                                        int64_t fractionDropped) const;
    bool carryMoves(Side side, const Bounds &before, const Bounds &after, const Bounds &damage, float tLo,
                    float tHi) const;

    Fleet lowFleet_;  // the home fleet with the lowest count of the range
    Fleet highFleet_; // and with the highest
    const Fleet &foreign_;
    int entry_;
    Corners home_;
    Corners foreignCorners_;
    Bounds homeCarry_;    // the sides' carries lie within these in every battle
    Bounds foreignCarry_; // (the sides' own carry members are not used)
    bool someLost_ = false; // some battles ended lost (home fleet wiped out, or no progress)
};

// The largest fraction, in quarters, that 0.75 A drops for the home attacks A
// of the battles (0.75 A modulo 1 follows A modulo 4). Where only the entry's
// ships left differ, its attack repeats every 4 ships; else the attacks of the
// types with ships left decide which remainders modulo 4 can occur.
int64_t RangeBattle::homeFractionDropped() const
{
    bool onlyEntry = true;
    for (int i = 0; i < home_.types(); ++i) {
        if (i != entry_
            && Corners::left(*home_.weakFleet, home_.weak, i) != Corners::left(*home_.strongFleet, home_.strong, i))
            onlyEntry = false;
    }
    if (onlyEntry) {
        int64_t dropped = 0;
        const int64_t perShip = highFleet_.Classes[size_t(entry_)].AS;
        const int64_t fewest = Corners::left(*home_.weakFleet, home_.weak, entry_);
        const int64_t most = Corners::left(*home_.strongFleet, home_.strong, entry_);
        for (int64_t n = 0; n < 4 && fewest + n <= most; ++n)
            dropped = std::max(dropped, (3 * ((home_.weak.attackLeft + n * perShip) % 4)) % 4);
        return dropped;
    }
    return anyFractionDropped();
}

// The largest fraction, in quarters, that 0.75 A drops for any home attack A
// the types with ships left can make up: which remainders modulo 4 occur
// follows from their attacks modulo 4.
int64_t RangeBattle::anyFractionDropped() const
{
    int64_t step = 4;
    for (int i = 0; i < home_.types(); ++i) {
        if (home_.alive(i))
            step = std::gcd(step, int64_t(highFleet_.Classes[size_t(i)].AS) % 4);
    }
    int64_t dropped = 0;
    for (int64_t r = 0; r < 4; r += step)
        dropped = std::max(dropped, (3 * r) % 4);
    return dropped;
}

// The largest strike the home side can have in this round or any later one,
// in any battle of the range, while no foreign ship falls (so each battle's
// foreign stability and armour stay, at most S). A round's time is at most 2.0
// and at most the home side's own time, so with attack A (e = A x 0.75
// truncated, f the fraction dropped) the strike is at most 1.5 A and, where
// the own time is S / e, at most S (1 + f / e) within the rounding slack. The
// attack never grows; the first bound rises with it, the second falls, so the
// largest of the smaller one is found where they cross. The fractions f that
// can occur follow from the attacks of the home types with ships left, modulo 4.
ext RangeBattle::largestHomeStrike() const
{
    const BattleSide &f = foreignCorners_.strong;
    const int64_t attack = home_.strong.attackLeft;
    const auto capStrike = [](int64_t a) { return Strike(Side::Home, a, kRoundCap); };
    if (!allSafe({attack, f.stabilityLeft, f.armorLeft}))
        return capStrike(attack);
    const int64_t dropped = anyFractionDropped(); // the largest fraction, in quarters
    const ext s = static_cast<ext>(f.stabilityLeft + f.armorLeft);
    const auto ownStrike = [&](int64_t a) {
        const int64_t e = EffectiveAttack(a);
        if (e < 1)
            return std::numeric_limits<ext>::infinity();
        return s * (1 + static_cast<ext>(dropped) / 4 / static_cast<ext>(e)) * roundingSlack(1);
    };
    if (capStrike(attack) <= ownStrike(attack))
        return capStrike(attack);
    int64_t below = 0; // capStrike(a) <= ownStrike(a) here
    int64_t above = attack;
    while (above - below > 1) {
        const int64_t middle = below + (above - below) / 2;
        if (capStrike(middle) <= ownStrike(middle))
            below = middle;
        else
            above = middle;
    }
    return std::max(capStrike(below), ownStrike(above));
}

// Whether the home side will never destroy another foreign ship in any battle
// of the range. With its largest strike U (above) and largest carry C, no
// damage exceeds D = damage(U, C) against the least foreign armour: if D is
// below 1, it never fires again (its carry is 0 from then on). Where the
// foreign fleet is the same in every battle and U stays below its armour +
// 0.5, a volley that destroys nothing leaves a carry of at most the one
// before, so D stays the largest damage; if D is at most half the stability
// of the first foreign ship a volley meets, nothing falls, ever, and the
// foreign stability left (1 or more) keeps that fleet from being wiped out.
// Only home volleys destroy foreign ships, and while none falls, S stays as U
// assumes.
bool RangeBattle::homeIsSpent() const
{
    const BattleSide &f = foreignCorners_.weak;
    const ext strike = largestHomeStrike();
    const int64_t damage = Damage(strike, homeCarry_.hi, f.armorLeft);
    if (damage < 1)
        return true;
    if (!foreignCorners_.exact() || f.stabilityLeft < 1 || !allSafe({f.armorLeft, homeCarry_.hi})
        || !(strike < static_cast<ext>(f.armorLeft) + static_cast<ext>(0.5)))
        return false;
    for (int i = 0; i < foreignCorners_.types(); ++i) {
        if (foreignCorners_.alive(i))
            return damage <= foreignCorners_.stability(i) / 2;
    }
    return false;
}

// The home damage where the home side's own time is the round's time in every
// battle and the foreign fleet is the same in all: t = float(S / e) with S the
// foreign stability and armour and e the effective attack (at least
// `effectiveWeak`). With e <= 0.75 A = e + f, the strike (0.75 A) t lies
// between S and S (1 + f / e), each within the rounding slack; the damages of
// those strikes bound every battle's.
std::optional<Bounds> RangeBattle::homeOwnTimeDamage(int64_t effectiveWeak) const
{
    const BattleSide &f = foreignCorners_.weak;
    if (!foreignCorners_.exact() || effectiveWeak < 1
        || !allSafe({home_.strong.attackLeft, f.stabilityLeft, f.armorLeft, homeCarry_.hi})
        || f.stabilityLeft + f.armorLeft < 1)
        return std::nullopt;
    const ext s = static_cast<ext>(f.stabilityLeft + f.armorLeft);
    const ext least = s * roundingSlack(-1);
    const ext largest = s * (1 + static_cast<ext>(homeFractionDropped()) / 4 / static_cast<ext>(effectiveWeak))
                        * roundingSlack(1);
    return Bounds{Damage(least, homeCarry_.lo, f.armorLeft), Damage(largest, homeCarry_.hi, f.armorLeft)};
}

// Where a side's own time is the round's time in every battle: its strike,
// (e + f) x float(S / e) for its effective attack e (at least that of its weak
// corner) and the fraction f it dropped (at most `fractionDropped` quarters;
// 0.75 A is exact below 2^60), is its target's stability and armour S to
// within S 2^-21 and, above, S f / e. So its damage less the target's
// stability left lies within these bounds; adding the carry and taking the
// armour off stays exact to within a quarter below 2^60.
std::optional<Bounds> RangeBattle::ownTimeExcess(const Corners &attacker, const Corners &target,
                                                 const Bounds &carry, int64_t fractionDropped) const
{
    const int64_t effective = EffectiveAttack(attacker.weak.attackLeft);
    const BattleSide &weak = target.weak;
    const BattleSide &strong = target.strong;
    if (effective < 1 || weak.stabilityLeft + weak.armorLeft < 1
        || !allSafe({attacker.strong.attackLeft, strong.stabilityLeft, strong.armorLeft, carry.hi}))
        return std::nullopt;
    const int64_t s = strong.stabilityLeft + strong.armorLeft;
    const int64_t rounding = (s >> 21) + 1;
    const int64_t fraction = int64_t(wide(s) * fractionDropped / (4 * wide(effective))) + 1;
    return Bounds{carry.lo - rounding - 1, carry.hi + fraction + ((s + fraction) >> 21) + 2};
}

// For every battle the carry of side x after a round without losses differs
// from the one before: it grows where the side fires and its strike passes
// the armour by 2 or more (a volley that destroys nothing leaves its damage),
// and shrinks where the strike stays 1 or more below the armour and every
// carry is positive.
bool RangeBattle::carryMoves(Side side, const Bounds &before, const Bounds &after, const Bounds &damage,
                             float tLo, float tHi) const
{
    if (before.point() && after.point())
        return before.lo != after.lo;
    const Corners &own = side == Side::Home ? home_ : foreignCorners_;
    const Corners &target = side == Side::Home ? foreignCorners_ : home_;
    if (!allSafe({own.strong.attackLeft, target.strong.armorLeft, before.hi}))
        return false;
    // The foreign side fires whenever its effective attack is 1 or more; its
    // damage is its leftover either way when nothing falls.
    const bool firesEverywhere = side == Side::Home ? damage.lo >= 1 : true;
    if (firesEverywhere
        && Strike(side, own.weak.attackLeft, tLo) - static_cast<ext>(target.strong.armorLeft) >= 2)
        return true;
    return before.lo > 0 && Strike(side, own.strong.attackLeft, tHi) - static_cast<ext>(target.weak.armorLeft) <= -1;
}

// The smallest and largest time each side can need, and so the round's.
RangeBattle::Times RangeBattle::roundTimes() const
{
    const Corners &h = home_;
    const Corners &f = foreignCorners_;
    Times t;
    t.effectiveHomeWeak = EffectiveAttack(h.weak.attackLeft);
    t.effectiveForeignWeak = EffectiveAttack(f.weak.attackLeft);
    t.effectiveForeignStrong = EffectiveAttack(f.strong.attackLeft);
    const int64_t effectiveHomeStrong = EffectiveAttack(h.strong.attackLeft);
    const float homeLeast = capped(SideTime(effectiveHomeStrong, Pace(h.strong.attackLeft), strength(f.weak)));
    const float homeMost = capped(SideTime(t.effectiveHomeWeak, Pace(h.weak.attackLeft), strength(f.strong)));
    const float foreignLeast =
        capped(SideTime(t.effectiveForeignStrong, Pace(f.strong.attackLeft), strength(h.weak)));
    const float foreignMost = capped(SideTime(t.effectiveForeignWeak, Pace(f.weak.attackLeft), strength(h.strong)));
    t.lo = std::min(homeLeast, foreignLeast);
    t.hi = std::min(homeMost, foreignMost);
    // A side's own time below 2.0 is the round's time in every battle.
    t.homeTimes = homeMost <= foreignLeast && homeMost < kRoundCap;
    t.foreignTimes = foreignMost <= homeLeast && foreignMost < kRoundCap;
    return t;
}

// The home damage in every battle, narrowed where its own time is the round's.
RangeBattle::DamageBounds RangeBattle::homeDamage(const Times &t) const
{
    const Corners &f = foreignCorners_;
    DamageBounds d{{Damage(Strike(Side::Home, home_.weak.attackLeft, t.lo), homeCarry_.lo, f.strong.armorLeft),
                    Damage(Strike(Side::Home, home_.strong.attackLeft, t.hi), homeCarry_.hi, f.weak.armorLeft)},
             std::nullopt};
    if (!t.homeTimes)
        return d;
    if (const std::optional<Bounds> own = homeOwnTimeDamage(t.effectiveHomeWeak)) {
        d.bounds.lo = std::max(d.bounds.lo, own->lo);
        d.bounds.hi = std::min(d.bounds.hi, own->hi);
    }
    d.excess = ownTimeExcess(home_, f, homeCarry_, homeFractionDropped());
    if (d.excess)
        d.narrowTo(f);
    return d;
}

// The foreign damage in every battle, likewise.
RangeBattle::DamageBounds RangeBattle::foreignDamage(const Times &t) const
{
    const Corners &h = home_;
    const Corners &f = foreignCorners_;
    DamageBounds d{{Damage(Strike(Side::Foreign, f.weak.attackLeft, t.lo), foreignCarry_.lo, h.strong.armorLeft),
                    Damage(Strike(Side::Foreign, f.strong.attackLeft, t.hi), foreignCarry_.hi, h.weak.armorLeft)},
             std::nullopt};
    if (!t.foreignTimes)
        return d;
    // The foreign strike multiplies its truncated effective attack: nothing dropped.
    d.excess = ownTimeExcess(foreignCorners_, h, foreignCarry_, 0);
    if (d.excess)
        d.narrowTo(h);
    return d;
}

// The damage less the target's stability left lies within the excess.
void RangeBattle::DamageBounds::narrowTo(const Corners &target)
{
    bounds.lo = std::max(bounds.lo, clampToInt64(wide(target.weak.stabilityLeft) + excess->lo));
    bounds.hi = std::min(bounds.hi, clampToInt64(wide(target.strong.stabilityLeft) + excess->hi));
}

// Whether the volley wipes out a side in every battle: its strong corner falls,
// or the least damage reaches the strong corner's stability less the least
// ceil(s / 2) of a ship there, directly or through the own-time excess.
bool RangeBattle::wipesOutEverywhere(const Corners &target, const CornerVolleys &at, const DamageBounds &d)
{
    const int64_t halfUp = target.leastHalfUp();
    if (at.strong.wipedOut || halfUp == kInt64Max)
        return at.strong.wipedOut;
    return wide(d.bounds.lo) >= wide(target.strong.stabilityLeft) - halfUp + 1
           || (d.excess && d.excess->lo >= 1 - halfUp);
}

RangeBattle::Step RangeBattle::round()
{
    if (homeIsSpent())
        return Step::Loss;
    const Times t = roundTimes();
    const DamageBounds home = homeDamage(t);
    const DamageBounds foreign = foreignDamage(t);
    if (home.bounds.lo > home.bounds.hi || foreign.bounds.lo > foreign.bounds.hi)
        return Step::Differ; // bounds that contradict each other: never settle anything on them

    // The home volley, fired first; the foreign one uses the damage computed before it.
    const CornerVolleys atForeign = fireAtCorners(foreignCorners_, home.bounds, [](int64_t d) { return d >= 1; });
    if (home.bounds.lo >= 1 ? wipesOutEverywhere(foreignCorners_, atForeign, home) : atForeign.strong.wipedOut)
        return someLost_ ? Step::Differ : Step::Win;
    if (atForeign.weak.wipedOut)
        return Step::Differ;

    // The foreign fleet survives this round in every battle: the range is lost
    // if the home fleet does not, whatever the home volley destroyed.
    CornerVolleys atHome{home_.weak, home_.strong};
    const Step foreignStep = foreignVolley(t, foreign, atHome);
    if (foreignStep != Step::Next)
        return foreignStep;

    const Bounds homeCarryAfter = carriesAfter(foreignCorners_, atForeign, home.bounds);
    const Bounds foreignCarryAfter = t.effectiveForeignWeak >= 1
                                         ? carriesAfter(home_, atHome, foreign.bounds)
                                         : Bounds{std::max<int64_t>(foreign.bounds.lo, 0),
                                                  std::max<int64_t>(foreign.bounds.hi, 0)};
    if (standsStill(t, home, foreign, atForeign, atHome, homeCarryAfter, foreignCarryAfter))
        return Step::Loss;

    foreignCorners_.weak = atForeign.weak;
    foreignCorners_.strong = atForeign.strong;
    home_.weak = atHome.weak;
    home_.strong = atHome.strong;
    homeCarry_ = homeCarryAfter;
    foreignCarry_ = foreignCarryAfter;
    return Step::Next;
}

// The foreign volley at the home corners. Lost where it wipes out every
// battle's home fleet; where only the weak corner falls, those battles are
// lost and the others go on.
RangeBattle::Step RangeBattle::foreignVolley(const Times &t, const DamageBounds &foreign, CornerVolleys &atHome)
{
    const bool firesEverywhere = t.effectiveForeignWeak >= 1;
    const bool firesSomewhere = t.effectiveForeignStrong >= 1;
    if (firesSomewhere != firesEverywhere)
        return Step::Differ;
    if (!firesEverywhere) {
        atHome.sameCourse = true;
        atHome.lossesNowhere = true;
        return Step::Next;
    }
    atHome = fireAtCorners(home_, foreign.bounds, [](int64_t) { return true; });
    if (home_.leastHalfUp() == kInt64Max || wipesOutEverywhere(home_, atHome, foreign))
        return Step::Loss;
    if (atHome.weak.wipedOut) {
        atHome.weak = noShipsLeft(*home_.weakFleet);
        someLost_ = true;
    }
    return Step::Next;
}

// A round in which nothing is destroyed may end the battle for lack of
// progress. The foreign fleet survives this round in every battle, so a
// battle that ends here is lost: true where every battle ends; where only
// some may, the others go on.
bool RangeBattle::standsStill(const Times &t, const DamageBounds &home, const DamageBounds &foreign,
                              const CornerVolleys &atForeign, const CornerVolleys &atHome,
                              const Bounds &homeCarryAfter, const Bounds &foreignCarryAfter)
{
    if (atForeign.lossesEverywhere || atHome.lossesEverywhere)
        return false;
    if (!atForeign.lossesNowhere || !atHome.lossesNowhere) {
        someLost_ = true;
        return false;
    }
    const bool bothZero = homeCarryAfter.hi == 0 && foreignCarryAfter.hi == 0;
    const bool standStill = homeCarry_.point() && homeCarryAfter.point() && foreignCarry_.point()
                            && foreignCarryAfter.point() && homeCarry_.lo == homeCarryAfter.lo
                            && foreignCarry_.lo == foreignCarryAfter.lo;
    if (bothZero || standStill)
        return true;
    const bool neverBothZero = homeCarryAfter.lo > 0 || foreignCarryAfter.lo > 0;
    const bool neverStill = carryMoves(Side::Home, homeCarry_, homeCarryAfter, home.bounds, t.lo, t.hi)
                            || carryMoves(Side::Foreign, foreignCarry_, foreignCarryAfter, foreign.bounds, t.lo, t.hi);
    if (!neverBothZero || !neverStill)
        someLost_ = true;
    return false;
}

} // namespace

RangeVerdict FightCountRange(const Fleet &home, const Fleet &foreign, int entry, int32_t low,
                             int32_t high, int64_t maxRounds, int64_t &rounds)
{
    RangeBattle battle(home, foreign, entry, low, high);
    return battle.fight(maxRounds, rounds);
}

} // namespace qf::battle

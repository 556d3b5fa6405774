#include "battle/engine/BattleRound.h"

#include <algorithm>

namespace qf::battle {

namespace {

static_assert(kAverageRandom == 0.75f, "effectiveAttack multiplies by 3/4 in integers");

// A value well inside the 64-bit range is converted directly (this runs for
// every round); anything else goes through truncInt64, which refuses what does
// not fit.
inline int64_t wholePart(ext value)
{
    if (value > -static_cast<ext>(kInt64Max) && value < static_cast<ext>(kInt64Max))
        return static_cast<int64_t>(value);
    return truncInt64(value);
}

inline int64_t damageValue(ext value)
{
    if (value >= static_cast<ext>(kInt64Max))
        return kInt64Max;
    if (value > -static_cast<ext>(kInt64Max))
        return static_cast<int64_t>(value);
    return truncInt64(value);
}

// attack × 0.75 in extended precision is exact for an attack up to 2^62 (the
// product 3·attack has at most 64 bits), so its whole part is 3·attack / 4
// rounded down, which integers give faster.
inline int64_t effectiveAttack(int64_t attack)
{
    if (attack >= 0 && attack <= (int64_t(1) << 62))
        return static_cast<int64_t>((static_cast<uint64_t>(attack) * 3) >> 2);
    return wholePart(static_cast<ext>(attack) * static_cast<ext>(kAverageRandom));
}

inline float pace(int64_t attack)
{
    return toFloat(static_cast<ext>(attack) * static_cast<ext>(kAttackMultiplier));
}

inline float sideTime(int64_t effective, float paceValue, ext opponentStrength)
{
    if (opponentStrength >= static_cast<ext>(kRoundCap) * static_cast<ext>(paceValue))
        return kRoundCap;
    if (effective == 0)
        return kRoundCap;
    return toFloat(opponentStrength / static_cast<ext>(effective));
}

// The opponent's stability and armour together; both are below 2^63, so the
// sum is exact in extended precision.
inline ext strength(const BattleSide &side)
{
    return static_cast<ext>(side.stabilityLeft) + static_cast<ext>(side.armorLeft);
}

inline ext homeStrike(int64_t attack, float t)
{
    return static_cast<ext>(attack) * static_cast<ext>(kAverageRandom) * static_cast<ext>(t);
}

inline ext foreignStrike(int64_t effective, float t)
{
    return static_cast<ext>(effective) * static_cast<ext>(t);
}

inline int64_t damage(ext strikeValue, int64_t carry, int64_t armor)
{
    return damageValue(strikeValue + static_cast<ext>(carry) - static_cast<ext>(armor));
}

inline bool hasShipsLeft(const Fleet &fleet, const BattleSide &side, int index)
{
    return side.lost[size_t(index)] < fleet.Classes[size_t(index)].Count;
}

inline void destroyShips(const Fleet::ShipClass &entry, BattleSide &side, size_t index, int64_t ships)
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
int64_t wholePasses(const Fleet &target, BattleSide &side, int64_t damage, bool &noShipsLeft,
                    int64_t &destroyed, int64_t &steps)
{
    steps += 2 * (int64_t(target.LastIndex) + 1);
    int64_t passStability = 0;
    int64_t needed = 0;
    int64_t fewestLeft = kInt64Max;
    int64_t types = 0;
    noShipsLeft = true;
    for (int i = 0; i <= target.LastIndex; ++i) {
        if (!hasShipsLeft(target, side, i))
            continue;
        noShipsLeft = false;
        ++types;
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
    destroyed += passes * types;
    return damage - passes * passStability;
}

// Ship by ship as the rules say, in passes over the types: a ship falls while
// the damage exceeds half its stability, the volley stops at the first ship it
// does not destroy or once the damage is negative, and after every type looked
// at the target is wiped out if its stability left is below 1. When the damage
// left after a pass covers the stability of the ships met in it, whole passes
// are taken at once (a volley of a few ships never gets there).
inline int64_t volley(const Fleet &target, BattleSide &side, int64_t damage, int64_t &destroyed,
                      int64_t &steps)
{
    destroyed = 0;
    if (side.wipedOut)
        return damage;
    if (target.LastIndex < 0) {
        side.wipedOut = side.stabilityLeft < 1;
        return damage;
    }
    for (;;) {
        int64_t passStability = 0; // of the types with ships met in this pass
        for (int i = 0; i <= target.LastIndex; ++i) {
            ++steps;
            bool fires = true;
            if (hasShipsLeft(target, side, i)) {
                const Fleet::ShipClass &entry = target.Classes[size_t(i)];
                passStability += entry.Stability;
                if (damage > entry.Stability / 2) {
                    destroyShips(entry, side, size_t(i), 1);
                    ++destroyed;
                    damage -= entry.Stability;
                    fires = damage >= 0;
                } else {
                    fires = false;
                }
            }
            if (side.stabilityLeft < 1) {
                side.wipedOut = true;
                return damage;
            }
            if (!fires)
                return damage;
        }
        if (damage >= passStability) {
            bool noShipsLeft = false;
            damage = wholePasses(target, side, damage, noShipsLeft, destroyed, steps);
            if (noShipsLeft) {
                // Every ship is gone, so the stability left is 0: wiped out.
                side.wipedOut = true;
                return damage;
            }
        }
    }
}

// The values are worked on in locals and written to the facts once, element by
// element: copying a freshly written array as a whole stalls the processor.
// Forced inline: the loops of PlayRounds are where the time goes.
[[gnu::always_inline]] inline void playRound(BattleState &state, RoundFacts &r)
{
    BattleSide &h = state.of(Side::Home);
    BattleSide &f = state.of(Side::Foreign);
    const int64_t effectiveH = effectiveAttack(h.attackLeft);
    const int64_t effectiveF = effectiveAttack(f.attackLeft);
    const float timeH = sideTime(effectiveH, pace(h.attackLeft), strength(f));
    const float timeF = sideTime(effectiveF, pace(f.attackLeft), strength(h));
    const float t = std::min(std::min(timeH, timeF), kRoundCap);

    const int64_t damageH = damage(homeStrike(h.attackLeft, t), h.carry, f.armorLeft);
    const bool firesH = damageH >= 1;
    if (firesH)
        h.noAttack = false;
    // The foreign side's effective attack is 0 whenever it is below 1.
    const bool firesF = effectiveF >= 1;
    if (firesF)
        f.noAttack = false;
    const int64_t damageF = damage(foreignStrike(effectiveF, t), f.carry, h.armorLeft);

    state.battleTime = AddRoundTime(state.battleTime, t);
    ++state.rounds;

    // Both damages were computed from the values at the start of the round, so a
    // side destroyed by the first volley still fires its own.
    int64_t lostF = 0;
    int64_t lostH = 0;
    int64_t steps = 0;
    const int64_t leftoverH = firesH ? volley(state.fleetOf(Side::Foreign), f, damageH, lostF, steps) : damageH;
    const int64_t leftoverF = firesF ? volley(state.fleetOf(Side::Home), h, damageF, lostH, steps) : damageF;
    h.carry = std::max<int64_t>(leftoverH, 0);
    f.carry = std::max<int64_t>(leftoverF, 0);

    r.t = t;
    r.sideTime[Index(Side::Home)] = timeH;
    r.sideTime[Index(Side::Foreign)] = timeF;
    r.effective[Index(Side::Home)] = effectiveH;
    r.effective[Index(Side::Foreign)] = effectiveF;
    r.damage[Index(Side::Home)] = damageH;
    r.damage[Index(Side::Foreign)] = damageF;
    r.fires[Index(Side::Home)] = firesH;
    r.fires[Index(Side::Foreign)] = firesF;
    r.leftover[Index(Side::Home)] = leftoverH;
    r.leftover[Index(Side::Foreign)] = leftoverF;
    r.shipsLost[Index(Side::Home)] = lostH;
    r.shipsLost[Index(Side::Foreign)] = lostF;
    // A round with volleys of a few ships is one unit of work.
    r.work = 1 + steps / 8;
}

[[gnu::always_inline]] inline bool changesNothing(const BattleState &state, const RoundFacts &r,
                           const std::array<int64_t, 2> &before)
{
    if (state.over() || r.shipsLost[Index(Side::Home)] != 0 || r.shipsLost[Index(Side::Foreign)] != 0)
        return false;
    const int64_t h = state.of(Side::Home).carry;
    const int64_t f = state.of(Side::Foreign).carry;
    return (h == 0 && f == 0) || (h == before[Index(Side::Home)] && f == before[Index(Side::Foreign)]);
}

} // namespace

int64_t WholePart(ext value) { return wholePart(value); }

int64_t DamageValue(ext value) { return damageValue(value); }

int64_t EffectiveAttack(int64_t attack) { return effectiveAttack(attack); }

float Pace(int64_t attack) { return pace(attack); }

float SideTime(int64_t effective, float paceValue, ext opponentStrength)
{
    return sideTime(effective, paceValue, opponentStrength);
}

ext Strike(Side side, int64_t attack, float t)
{
    if (side == Side::Home)
        return homeStrike(attack, t);
    return foreignStrike(effectiveAttack(attack), t);
}

int64_t Damage(ext strikeValue, int64_t carry, int64_t armor)
{
    return damage(strikeValue, carry, armor);
}

int64_t Volley(const Fleet &target, BattleSide &side, int64_t damage, int64_t &shipsDestroyed,
               int64_t &steps)
{
    return volley(target, side, damage, shipsDestroyed, steps);
}

RoundFacts PlayRound(BattleState &state)
{
    RoundFacts r;
    playRound(state, r);
    return r;
}

bool ChangesNothing(const BattleState &state, const RoundFacts &round,
                    const std::array<int64_t, 2> &carriesBefore)
{
    return changesNothing(state, round, carriesBefore);
}

namespace {

template <bool Watched>
RoundsEnd playRounds(BattleState &state, int64_t count, int64_t workBudget, int64_t &played, int64_t &work,
                     TypeWatch *watch)
{
    RoundFacts r;
    for (played = 0, work = 0; played < count && work < workBudget;) {
        const std::array<int64_t, 2> before = {state.of(Side::Home).carry, state.of(Side::Foreign).carry};
        playRound(state, r);
        ++played;
        work += r.work;
        if (state.over())
            return RoundsEnd::FleetGone;
        if (changesNothing(state, r, before))
            return RoundsEnd::NoProgress;
        if constexpr (Watched) {
            if (watch->typeRanOut(state, r.shipsLost))
                return RoundsEnd::TypeGone;
        }
    }
    return RoundsEnd::Played;
}

} // namespace

RoundsEnd PlayRounds(BattleState &state, int64_t count, int64_t workBudget, int64_t &played,
                     int64_t &work, TypeWatch *watch)
{
    if (watch)
        return playRounds<true>(state, count, workBudget, played, work, watch);
    return playRounds<false>(state, count, workBudget, played, work, nullptr);
}

uint32_t TypesAlive(const Fleet &fleet, const BattleSide &side)
{
    uint32_t alive = 0;
    for (int i = 0; i <= fleet.LastIndex; ++i) {
        if (hasShipsLeft(fleet, side, i))
            alive |= 1u << i;
    }
    return alive;
}

void TypeWatch::look(const BattleState &state)
{
    for (Side s : kBothSides) {
        const size_t x = Index(s);
        const Fleet &fleet = state.fleetOf(s);
        const BattleSide &side = state.of(s);
        alive_[x] = TypesAlive(fleet, side);
        fewestLeft_[x] = kInt64Max;
        for (int i = 0; i <= fleet.LastIndex; ++i) {
            const int64_t left = fleet.Classes[size_t(i)].Count - side.lost[size_t(i)];
            if (left > 0)
                fewestLeft_[x] = std::min(fewestLeft_[x], left);
        }
        lostSince_[x] = 0;
    }
}

} // namespace qf::battle

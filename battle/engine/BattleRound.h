#pragma once
// One battle round by the rules: each side's time, the round's time, the two
// damages and the two volleys. Used by the battle engine, which plays rounds
// one by one with these functions and takes stretches of equal rounds at once.
#include "battle/BattleSimulation.h"
#include "battle/Side.h"
#include "model/Numeric.h"

#include <array>
#include <cstdint>
#include <limits>

namespace qf::battle {

constexpr int64_t kInt64Max = std::numeric_limits<int64_t>::max();

// The random factor of both sides in every round, its average.
constexpr float kAverageRandom = 0.75f;
constexpr float kAttackMultiplier = 1.5f;
constexpr float kRoundCap = 2.0f;

// Both fleets and their working values during one battle.
struct BattleState {
    std::array<const Fleet *, 2> fleet{};
    std::array<BattleSide, 2> side;
    float battleTime = 0.0f; // hours
    int64_t rounds = 0;

    BattleSide &of(Side s) { return side[Index(s)]; }
    const BattleSide &of(Side s) const { return side[Index(s)]; }
    const Fleet &fleetOf(Side s) const { return *fleet[Index(s)]; }
    bool over() const { return of(Side::Home).wipedOut || of(Side::Foreign).wipedOut; }
};

// What one round did.
struct RoundFacts {
    float t;                            // the round's time
    std::array<float, 2> sideTime;      // the time each side needs, before the cap
    std::array<int64_t, 2> effective;   // attack × random, truncated
    std::array<int64_t, 2> damage;      // as computed, before "no shot" makes the home damage 0
    std::array<bool, 2> fires;
    std::array<int64_t, 2> leftover;    // after the volley; the damage itself without one
    std::array<int64_t, 2> shipsLost;   // ships each side lost in the round
    int64_t work;                       // 1, and more for volleys over many ships
};

// The whole part of a value, toward zero; a value outside the 64-bit range is refused.
int64_t WholePart(ext value);

// A damage as a whole number. Damage beyond the 64-bit range is held at its
// largest value: it destroys every ship of the target just the same, because
// the target's stability never passes that value.
int64_t DamageValue(ext value);

// A side's effective attack: its attack left × the random factor, truncated.
int64_t EffectiveAttack(int64_t attack);

// A side's attack left × 1.5, stored as a 32-bit float: the time 2.0 holds while
// the opponent's stability and armour are at least twice this.
float Pace(int64_t attack);

// The time a side needs to wear down the opponent's stability and armour
// (`opponentStrength`), given its effective attack and pace.
float SideTime(int64_t effective, float pace, ext opponentStrength);

// What a side's attack does in a round of length t before carry and armour:
// the home side multiplies its attack by the random factor and the time, the
// foreign side its truncated effective attack by the time.
ext Strike(Side side, int64_t attack, float t);

// The damage of a strike with the side's carry, less the opponent's armour.
int64_t Damage(ext strike, int64_t carry, int64_t armor);

// The volley of FireVolley, also counting the ships destroyed and adding its
// steps (ships looked at, and types for every look at whole passes) to `steps`.
int64_t Volley(const Fleet &target, BattleSide &side, int64_t damage, int64_t &shipsDestroyed,
               int64_t &steps);

// Plays one round.
RoundFacts PlayRound(BattleState &state);

// Whether the round just played leaves the battle where every later round
// repeats it: it destroyed nothing and the carries (given as they were before
// it) stand still or are both 0.
bool ChangesNothing(const BattleState &state, const RoundFacts &round,
                    const std::array<int64_t, 2> &carriesBefore);

enum class RoundsEnd {
    Played,     // all rounds asked for
    FleetGone,  // a fleet was wiped out
    NoProgress, // a round changed nothing that matters
    TypeGone,   // a ship type lost its last ship (only looked for with a TypeWatch)
};

// Tells, at the cost of an addition a round, after which round a ship type
// ran out: no type can have before the ships lost since the last look reach
// the fewest any type then had left.
class TypeWatch {
public:
    // Takes the ships left now as the start.
    void look(const BattleState &state);
    // After a round: whether a type lost its last ship in it.
    bool typeRanOut(const BattleState &state, const std::array<int64_t, 2> &shipsLost)
    {
        lostSince_[0] += shipsLost[0];
        lostSince_[1] += shipsLost[1];
        if (lostSince_[0] < fewestLeft_[0] && lostSince_[1] < fewestLeft_[1])
            return false;
        const std::array<uint32_t, 2> before = alive_;
        look(state);
        return alive_ != before;
    }

private:
    std::array<uint32_t, 2> alive_{};
    std::array<int64_t, 2> fewestLeft_{};
    std::array<int64_t, 2> lostSince_{};
};

// The types of a side that have ships left, one bit each in fleet order.
uint32_t TypesAlive(const Fleet &fleet, const BattleSide &side);

// Plays up to `count` rounds one by one, and no more once their work reaches
// `workBudget`, stopping after a round that wipes out a fleet or changes
// nothing; `played` and `work` tell how many were played and their work.
// With a `watch`, it also stops after a round in which a type ran out.
RoundsEnd PlayRounds(BattleState &state, int64_t count, int64_t workBudget, int64_t &played,
                     int64_t &work, TypeWatch *watch = nullptr);

} // namespace qf::battle

#include "battle/planning/MinCount.h"

#include "battle/engine/BattleRound.h"
#include "battle/engine/LargestPassing.h"
#include "battle/planning/CountRange.h"

#include <algorithm>
#include <vector>

// Why the count found is the smallest that wins.
//
// More ships of an entry do not always do better: they shorten the round
// time (the faster side's time is its opponent's strength over its own
// attack), the float rounding of that time moves the damage either way, the
// losses fall on other ships of the round-robin, and the carries change. So
// whether a count wins is not monotone in the count, and no bisection over the
// outcome alone can be trusted. The search never assumes it:
//
// 1. The counts are examined from 1 upwards, range by range. A range is passed
//    over only when it is proven that no count in it wins; the first count
//    that wins by its own battle, or the lowest count of a range proven to win
//    at every count, is the answer. So the answer is the true smallest count
//    as long as each verdict is right.
// 2. A single count is decided by its battle, fought to its end.
// 3. A range of counts is decided by fighting all of its battles together
//    (FightCountRange): it wins or loses as a whole only while every rule of
//    every round decides alike for all of its counts (where some of its
//    battles may end lost sooner than others, it can still be lost as a
//    whole, but no longer won). Within one course of battle the home values
//    rise with the count and the foreign ones do not depend on it, and every
//    rule is monotone in them (the round time is the smaller of a falling and
//    a rising time; damages, volleys and carries rise with attack, time and
//    carry and fall with armour), so agreeing decisions at the bounds hold
//    for every count between. The one rule that is not
//    monotone, the damage of the side whose own time is the round's time, is
//    bounded by the opponent's strength and the float rounding of the time.
//    The proof is written out in CountRange.cpp. A range that may differ is
//    split in halves, and a narrow one is fought count by count; that is where
//    the outcome really is irregular, and there every count is fought.
// 4. An entry without attack does not change the home attack, so from some
//    count on the battles do not depend on its count at all (see
//    sameCourseFrom): where a range of battles runs long, one battle with its
//    largest count settles the counts from there up.
//
// A count whose fleet totals would leave the 64-bit range cannot be set, so
// the search ends at Fleet::CountLimit. Fleets with values below 0 (which no
// design has) are searched one count at a time.

namespace qf {

namespace {

// How often the caller hears from the search: about every few milliseconds of
// work, counting a round of a single battle as one unit, a round of a range of
// battles as four, and each battle or range as eight more.
constexpr int64_t kCheckInWork = int64_t(1) << 14;
constexpr int64_t kRangeRoundWork = 4;
constexpr int64_t kBattleWork = 8;

// Rounds a range of battles may take before it is tried again with more, or,
// being small, its counts are fought one at a time. A range gets at most
// kFirstRangeRounds rounds per count in it (and kLongestRange in all): where the
// battles run longer, fighting its counts one by one, each battle with the
// engine's fast paths, costs less than following them all together.
constexpr int64_t kFirstRangeRounds = int64_t(1) << 10;
constexpr int64_t kLongestRange = int64_t(1) << 20;
constexpr int32_t kSmallRange = 64;
// A range this narrow that cannot be decided as a whole is fought count by count.
constexpr int32_t kFewCounts = 16;

int64_t roundsAllowed(int32_t low, int32_t high)
{
    return std::min(kLongestRange, kFirstRangeRounds * (int64_t(high) - low + 1));
}

bool valuesNotNegative(const Fleet &fleet)
{
    for (int i = 0; i <= fleet.LastIndex; ++i) {
        const Fleet::ShipClass &entry = fleet.Classes[size_t(i)];
        if (entry.AS < 0 || entry.Armor < 0 || entry.Stability < 0 || entry.Cost < 0)
            return false;
    }
    return true;
}

// The largest d in [0, most] for which `holds(d)` is true, where holds(d)
// implies holds(d') for every d' < d; -1 if it fails already for 0.
template <typename Holds>
int64_t largestHolding(int64_t most, const Holds &holds)
{
    if (most < 0 || !holds(0))
        return -1;
    return battle::LargestPassing(most, holds);
}

// An entry without attack (and every value 0 or more): the lowest count K such
// that every count from K to `high` fights exactly the battle of `high`
// (`atHigh`); high + 1 where there is none.
//
// With K ships in place of `high`, the home attack is the same; suppose the
// courses agree up to some round. The home side's time, damage and volley are
// then the same. The foreign side's capped time is 2.0 in every round if it is
// 2.0 for its starting attack against the home strength at the end of the
// battle with K ships (its time falls with its attack and rises with the
// strength, which only fall during a battle), and then the round times agree.
// The foreign damage is the same where the entry has no armour; where it has,
// the foreign side is required never to get through the armour left at the
// end with K ships (its strike is at most that of its starting attack over
// 2.0; at most the armour, its damage is at most 0), so it never carries or
// destroys anything with either count. Its volley meets the same ships while
// the entry has ships left with K (more than `high` lost of it), and wipes out
// neither fleet while the home stability left at the end with K is at least 1.
// So the next round agrees as well.
int32_t sameCourseFrom(const Fleet &foreign, const Fleet::ShipClass &entry, int index, int32_t high,
                       const BattleOutcome &atHigh)
{
    if (!atHigh.hasResult() || atHigh.home.wipedOut)
        return high + 1;
    const int64_t s = entry.Stability;
    const int64_t r = entry.Armor;
    // Fewer ships by d: the values at the end fall by d times the entry's.
    const int64_t most = int64_t(high) - 1;
    const int64_t lostOfEntry = atHigh.home.lost[size_t(index)];
    const int64_t effectiveF = battle::EffectiveAttack(foreign.TotalAS);
    const float paceF = battle::Pace(foreign.TotalAS);
    const ext strikeF = battle::Strike(Side::Foreign, foreign.TotalAS, battle::kRoundCap);
    const auto holds = [&](int64_t d) {
        if (int64_t(high) - d <= lostOfEntry)
            return false;
        const wide stability = wide(atHigh.home.stabilityLeft) - wide(d) * s;
        const wide armor = wide(atHigh.home.armorLeft) - wide(d) * r;
        if (s > 0 && stability < 1)
            return false;
        const ext strength = static_cast<ext>(stability + armor);
        if (std::min(battle::SideTime(effectiveF, paceF, strength), battle::kRoundCap) < battle::kRoundCap)
            return false;
        return r == 0 || strikeF <= static_cast<ext>(armor);
    };
    const int64_t fewer = largestHolding(most, holds);
    if (fewer < 0)
        return high + 1;
    return int32_t(int64_t(high) - fewer);
}

// Counts still to be decided, latest first.
struct Pending {
    int32_t low = 0;
    int32_t high = 0;
    int64_t rounds = 0;        // the rounds a range may take
    bool oneByOne = false;     // fight every count by itself
    bool settledAbove = false; // its highest count's battle was tried for the counts below it

    // Fought together as a range, with at most `rounds` rounds.
    static Pending Together(int32_t low, int32_t high, int64_t rounds) { return {low, high, rounds, false, false}; }
    // The same, where the battle of `high` no longer settles the counts below it.
    static Pending BelowSettled(int32_t low, int32_t high, int64_t rounds) { return {low, high, rounds, false, true}; }
    // Every count by its own battle.
    static Pending OneByOne(int32_t low, int32_t high) { return {low, high, 0, true, false}; }
};

class Search {
public:
    Search(const Fleet &home, const Fleet &foreign, int entry, const MinCountControl &control)
        : home_(home), original_(home), foreign_(foreign), entry_(entry), control_(control)
    {
    }

    MinCountResult run(int32_t top);

private:
    enum class Step { Next, Found, Cancelled };

    Step lowestCount(const Pending &p);
    Step range(const Pending &p);
    Step tooLong(const Pending &p);
    Step settleFromHighest(const Pending &p);
    void split(const Pending &p);
    Step foundAt(int32_t count, const BattleOutcome &outcome)
    {
        answer_ = {count, outcome};
        return Step::Found;
    }

    // Fights the battle with `count` ships. False when it was cancelled.
    bool fight(int32_t count, BattleOutcome &outcome);
    // Tells the caller where the search stands; false when it is to stop.
    bool checkIn(int32_t count);
    void addWork(int64_t work) { work_ += work; }

    MinCountResult found(int32_t count, const BattleOutcome &outcome) const
    {
        MinCountResult r;
        r.end = MinCountEnd::Found;
        r.count = count;
        r.outcome = outcome;
        r.battles = battles_;
        return r;
    }
    MinCountResult ended(MinCountEnd end) const
    {
        MinCountResult r;
        r.end = end;
        r.battles = battles_;
        return r;
    }

    Fleet home_; // the entry's count is set for each battle
    const Fleet &original_;
    const Fleet &foreign_;
    int entry_;
    const MinCountControl &control_;
    int64_t work_ = 0;
    int64_t battles_ = 0;
    std::vector<Pending> pending_;
    struct {
        int32_t count = 0;
        BattleOutcome outcome;
    } answer_;
};

bool Search::checkIn(int32_t count)
{
    if (work_ < kCheckInWork)
        return true;
    work_ = 0;
    if (control_.progress)
        control_.progress(MinCountProgress{count, battles_});
    return !(control_.cancel && control_.cancel->load(std::memory_order_relaxed));
}

bool Search::fight(int32_t count, BattleOutcome &outcome)
{
    if (home_.SetCount(entry_, count) != FleetEdit::Done) {
        // A count the fleet refuses (only where values below 0 make the
        // lowest counts leave 64 bits) cannot win.
        outcome = BattleOutcome();
        return true;
    }
    BattleControl battle;
    battle.cancel = control_.cancel;
    if (control_.progress) {
        battle.progress = [this, count](const BattleProgress &) {
            control_.progress(MinCountProgress{count, battles_});
        };
    }
    outcome = FightBattle(home_, foreign_, battle);
    ++battles_;
    addWork(kBattleWork + std::min<int64_t>(outcome.rounds, kCheckInWork));
    return outcome.end != BattleEnd::Cancelled;
}

MinCountResult Search::run(int32_t top)
{
    const bool together = valuesNotNegative(original_) && valuesNotNegative(foreign_);
    pending_.push_back(together ? Pending::Together(1, top, kFirstRangeRounds) : Pending::OneByOne(1, top));
    while (!pending_.empty()) {
        const Pending p = pending_.back();
        pending_.pop_back();
        if (!checkIn(p.low))
            return ended(MinCountEnd::Cancelled);
        const Step step = p.low == p.high || p.oneByOne ? lowestCount(p) : range(p);
        if (step != Step::Next)
            return step == Step::Found ? found(answer_.count, answer_.outcome) : ended(MinCountEnd::Cancelled);
    }
    return ended(MinCountEnd::Unreachable);
}

// The lowest count of `p` by its own battle; the others follow one by one.
Search::Step Search::lowestCount(const Pending &p)
{
    BattleOutcome outcome;
    if (!fight(p.low, outcome))
        return Step::Cancelled;
    if (outcome.foreign.wipedOut)
        return foundAt(p.low, outcome);
    if (p.low < p.high)
        pending_.push_back(Pending::OneByOne(p.low + 1, p.high));
    return Step::Next;
}

// The battles of a range fought together, and what their verdict leaves to do.
Search::Step Search::range(const Pending &p)
{
    int64_t rounds = 0;
    const battle::RangeVerdict verdict = battle::FightCountRange(
        original_, foreign_, entry_, p.low, p.high, std::min(p.rounds, roundsAllowed(p.low, p.high)), rounds);
    ++battles_;
    addWork(kBattleWork + kRangeRoundWork * rounds);
    switch (verdict) {
    case battle::RangeVerdict::Loss: return Step::Next;
    case battle::RangeVerdict::Win: return lowestCount(p); // the battle of its lowest count confirms it
    case battle::RangeVerdict::Differ:
        // Where the battles part this narrowly, splitting further costs more
        // range battles than the counts' own battles.
        if (int64_t(p.high) - p.low < kFewCounts)
            pending_.push_back(Pending::OneByOne(p.low, p.high));
        else
            split(p);
        return Step::Next;
    case battle::RangeVerdict::TooLong: return tooLong(p);
    }
    return Step::Next;
}

// A range whose battles all ran alike for longer than it was given.
Search::Step Search::tooLong(const Pending &p)
{
    const Fleet::ShipClass &entry = original_.Classes[size_t(entry_)];
    const int64_t allowed = roundsAllowed(p.low, p.high);
    if (entry.AS == 0 && !p.settledAbove)
        return settleFromHighest(p);
    if (p.rounds < allowed)
        pending_.push_back(Pending::Together(p.low, p.high, std::min(p.rounds * 8, allowed)));
    else if (int64_t(p.high) - p.low < kSmallRange)
        pending_.push_back(Pending::OneByOne(p.low, p.high));
    else
        split(p);
    return Step::Next;
}

// An entry without attack: the battle of the highest count settles the
// counts from where the course no longer depends on the count (sameCourseFrom).
Search::Step Search::settleFromHighest(const Pending &p)
{
    BattleOutcome atHigh;
    if (!fight(p.high, atHigh))
        return Step::Cancelled;
    const int32_t from =
        sameCourseFrom(foreign_, original_.Classes[size_t(entry_)], entry_, p.high, atHigh);
    if (from <= p.high && atHigh.foreign.wipedOut) {
        const int32_t first = std::max(from, p.low);
        pending_.push_back(Pending::OneByOne(first, first));
    }
    if (from > p.low)
        pending_.push_back(Pending::BelowSettled(p.low, std::min(from - 1, p.high), p.rounds));
    return Step::Next;
}

// The two halves of a range, the lower one first.
void Search::split(const Pending &p)
{
    const int32_t middle = p.low + (p.high - p.low) / 2;
    pending_.push_back(Pending::Together(middle + 1, p.high, p.rounds));
    pending_.push_back(Pending::Together(p.low, middle, p.rounds));
}

} // namespace

MinCountResult FindMinCount(const Fleet &home, const Fleet &foreign, int entry, const MinCountControl &control)
{
    const int32_t top = home.CountLimit(entry);
    if (top < 1)
        return MinCountResult();
    Search search(home, foreign, entry, control);
    return search.run(top);
}

} // namespace qf

#include "battle/engine/BattleEngine.h"

#include <algorithm>
#include <optional>

namespace qf::battle {

namespace {

// The caller hears from the battle after this much work: a plain round is one
// unit (more where its volleys go over many ships), a step with a look for
// stretches and patterns costs about as much as kLookingStepWork plain rounds
// more, and each check of a stretch or a pattern kCheckWork. 65,536 plain
// rounds take a few milliseconds.
constexpr int64_t kCheckInWork = int64_t(1) << 16;
constexpr int64_t kLookingStepWork = 8;
constexpr int64_t kCheckWork = 2;

// Patterns are looked for only after this many rounds played one by one: most
// battles are over before.
constexpr int64_t kFirstPatternLook = 16;

// A look lasts this many steps, long enough for the longest pattern to show
// twice. It goes on while its steps advance the battle by kWorthwhile rounds
// each on average, or a pattern was taken; else plain rounds follow, at first
// kShortestPlain of them, twice as many after every look in a row that did
// not pay, but never more than a quarter of the rounds played one by one so
// far (so a battle that starts repeating is caught soon enough).
constexpr int64_t kLookWindow = 2 * int64_t(PatternFinder::kLongestPattern) + 16;
constexpr int64_t kWorthwhile = 3;
constexpr int64_t kShortestPlain = int64_t(1) << 14;

int64_t shipsLeft(const Fleet &fleet, const BattleSide &side)
{
    int64_t ships = 0;
    for (int i = 0; i <= fleet.LastIndex; ++i)
        ships += fleet.Classes[size_t(i)].Count - side.lost[size_t(i)];
    return ships;
}

} // namespace

BattleEngine::BattleEngine(const Fleet &home, const Fleet &foreign, const BattleControl &control)
    : control_(control), course_(control.course), plainLength_(kShortestPlain)
{
    state_.fleet = {&home, &foreign};
    state_.side = {BattleSide::Start(home), BattleSide::Start(foreign)};
}

bool BattleEngine::typeRanOut(const BattleState &before) const
{
    for (Side side : kBothSides) {
        const Fleet &fleet = state_.fleetOf(side);
        if ((TypesAlive(fleet, before.of(side)) & ~TypesAlive(fleet, state_.of(side))) != 0)
            return true;
    }
    return false;
}

void BattleEngine::recordCourse(bool mayHaveWipedOut)
{
    // A point the course would drop at once is not even made.
    if (!course_ || (!mayHaveWipedOut && state_.rounds < course_->nextKeptRound()))
        return;
    CoursePoint point;
    point.round = state_.rounds;
    point.battleTime = state_.battleTime;
    bool wipedOut = false;
    for (Side side : kBothSides) {
        const size_t x = Index(side);
        const Fleet &fleet = state_.fleetOf(side);
        const BattleSide &s = state_.of(side);
        point.sides[x] = {shipsLeft(fleet, s), s.stabilityLeft, s.attackLeft};
        const uint32_t alive = TypesAlive(fleet, s);
        wipedOut = wipedOut || (aliveAtLastPoint_[x] & ~alive) != 0;
        aliveAtLastPoint_[x] = alive;
    }
    course_->add(point, wipedOut);
}

int64_t BattleEngine::roundsAllowed() const
{
    if (control_.maxRounds > 0)
        return std::max<int64_t>(control_.maxRounds - state_.rounds, 0);
    return kInt64Max - state_.rounds;
}

// Without a limit a battle stays far below 2^63 rounds (the fleets' totals are
// 64-bit, and every round deals at least one damage or the battle stands
// still); the count is guarded all the same.
bool BattleEngine::roundLimitReached() const
{
    if (state_.rounds == kInt64Max)
        return true;
    return control_.maxRounds > 0 && state_.rounds >= control_.maxRounds;
}

BattleProgress BattleEngine::progress() const
{
    BattleProgress p;
    p.rounds = state_.rounds;
    p.homeShipsLeft = shipsLeft(state_.fleetOf(Side::Home), state_.of(Side::Home));
    p.foreignShipsLeft = shipsLeft(state_.fleetOf(Side::Foreign), state_.of(Side::Foreign));
    return p;
}

// The progress callback may set the cancel flag itself: it is read afterwards.
bool BattleEngine::checkIn()
{
    workSinceCheckIn_ = 0;
    if (control_.progress)
        control_.progress(progress());
    return !(control_.cancel && control_.cancel->load(std::memory_order_relaxed));
}

bool BattleEngine::endsBattle(const RoundFacts &round, const std::array<int64_t, 2> &carriesBefore)
{
    if (state_.over())
        return true;
    if (ChangesNothing(state_, round, carriesBefore)) {
        end_ = BattleEnd::NoProgress;
        return true;
    }
    return false;
}

void BattleEngine::startLooking()
{
    looking_ = true;
    windowSteps_ = 0;
    windowRounds_ = 0;
    windowPaid_ = false;
}

void BattleEngine::endLookingWindow()
{
    if (windowPaid_ || windowRounds_ >= kWorthwhile * windowSteps_) {
        plainLength_ = kShortestPlain;
        startLooking();
        return;
    }
    looking_ = false;
    patterns_.forget(); // the plain rounds break the chain of steps
    plainLeft_ = plainLength_;
    plainLength_ = std::min(plainLength_ * 2, std::max(kShortestPlain, playedOneByOne_ / 4));
}

bool BattleEngine::lookingStep()
{
    if (playedOneByOne_ >= kFirstPatternLook) {
        const int64_t taken = patterns_.lookFor(state_, roundsAllowed());
        workSinceCheckIn_ += kCheckWork * patterns_.takeChecks();
        if (taken > 0) {
            windowPaid_ = true;
            recordCourse(false); // patterns never take a type's last ship
            return true; // the round limit may be reached
        }
    }
    Step &step = patterns_.addStep();
    BeginStep(step, state_);
    const std::array<int64_t, 2> carriesBefore = {state_.of(Side::Home).carry,
                                                  state_.of(Side::Foreign).carry};
    const RoundFacts round = PlayRound(state_);
    ++playedOneByOne_;
    workSinceCheckIn_ += kLookingStepWork + round.work;
    if (endsBattle(round, carriesBefore)) {
        patterns_.dropStep();
        return false;
    }
    EndFirstRound(step, round, state_);
    recordCourse(round.shipsLost[Index(Side::Home)] + round.shipsLost[Index(Side::Foreign)] > 0);
    const int64_t taken = stretches_.extend(step, state_, roundsAllowed());
    if (taken > 0)
        recordCourse(false); // nor do stretches
    workSinceCheckIn_ += kCheckWork * stretches_.takeChecks();
    ++windowSteps_;
    windowRounds_ += 1 + taken;
    if (windowSteps_ >= kLookWindow)
        endLookingWindow();
    return true;
}

// With a course, the rounds stop where it keeps a point and after a round in
// which a type ran out; the rounds themselves are the same. The plain loop
// does not watch the types: where one ran out, the rounds are played again
// from where they began, watched (a type runs out at most 20 times a battle).
bool BattleEngine::plainRounds()
{
    int64_t count = std::min(plainLeft_, roundsAllowed());
    if (course_)
        count = std::min(count, course_->nextKeptRound() - state_.rounds);
    count = std::max<int64_t>(count, 1);
    const int64_t budget = std::max<int64_t>(kCheckInWork - workSinceCheckIn_, 1);
    int64_t played = 0;
    int64_t work = 0;
    std::optional<BattleState> start;
    if (course_)
        start = state_;
    RoundsEnd end = PlayRounds(state_, count, budget, played, work);
    if (start && typeRanOut(*start)) {
        state_ = *start;
        typeWatch_.look(state_);
        end = PlayRounds(state_, count, budget, played, work, &typeWatch_);
    }
    playedOneByOne_ += played;
    workSinceCheckIn_ += work;
    plainLeft_ -= played;
    if (end == RoundsEnd::NoProgress)
        end_ = BattleEnd::NoProgress;
    if (end != RoundsEnd::Played && end != RoundsEnd::TypeGone)
        return false;
    recordCourse(end == RoundsEnd::TypeGone);
    if (plainLeft_ <= 0)
        startLooking();
    return true;
}

// A fleet counts as wiped out once its stability left is below 1; ships
// without stability may still be listed then. They go down with it, so that
// the report never calls a fleet destroyed while it has ships.
void BattleEngine::sinkWipedOutFleets()
{
    for (Side side : kBothSides) {
        BattleSide &s = state_.of(side);
        if (!s.wipedOut)
            continue;
        const Fleet &fleet = state_.fleetOf(side);
        for (int i = 0; i <= fleet.LastIndex; ++i)
            s.lost[size_t(i)] = fleet.Classes[size_t(i)].Count;
        s.stabilityLeft = 0;
        s.attackLeft = 0;
        s.armorLeft = 0;
    }
}

BattleOutcome BattleEngine::fight()
{
    recordCourse(true);
    while (!state_.over()) {
        if (roundLimitReached()) {
            end_ = BattleEnd::RoundLimit;
            break;
        }
        if (workSinceCheckIn_ >= kCheckInWork && !checkIn()) {
            end_ = BattleEnd::Cancelled;
            break;
        }
        if (!(looking_ ? lookingStep() : plainRounds()))
            break;
    }
    sinkWipedOutFleets();
    recordCourse(true);
    BattleOutcome outcome;
    outcome.home = state_.of(Side::Home);
    outcome.foreign = state_.of(Side::Foreign);
    outcome.battleTime = state_.battleTime;
    outcome.rounds = state_.rounds;
    outcome.end = end_;
    return outcome;
}

} // namespace qf::battle

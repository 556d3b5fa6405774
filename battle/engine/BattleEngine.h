#pragma once
// Fights a battle to its end as fast as the rules allow. Rounds are played one
// by one in a tight loop; now and then the engine looks for stretches of equal
// rounds and repeating patterns of steps and takes those at once. Where looking
// pays (the battle keeps repeating), it goes on looking after every step; where
// it does not (every round differs), it plays ever longer runs of plain rounds
// between looks, so such a battle runs at the speed of the plain loop.
#include "battle/engine/BattlePattern.h"
#include "battle/engine/BattleRound.h"
#include "battle/engine/BattleStretch.h"
#include "battle/BattleCourse.h"

namespace qf::battle {

class BattleEngine {
public:
    BattleEngine(const Fleet &home, const Fleet &foreign, const BattleControl &control);
    BattleEngine(const BattleEngine &) = delete;
    BattleEngine &operator=(const BattleEngine &) = delete;

    BattleOutcome fight();

private:
    // The rounds the battle may still have.
    int64_t roundsAllowed() const;
    bool roundLimitReached() const;
    // Tells the caller where the battle stands; false when it is to stop.
    bool checkIn();
    BattleProgress progress() const;

    // One step with a look for stretches and patterns; false once the battle ended.
    bool lookingStep();
    // A run of plain rounds; false once the battle ended.
    bool plainRounds();
    void startLooking();
    void endLookingWindow();
    // A round just played ended the battle: a fleet is gone or nothing changes any more.
    bool endsBattle(const RoundFacts &round, const std::array<int64_t, 2> &carriesBefore);
    void sinkWipedOutFleets();
    // Hands the state reached to the course, if one is followed and it may
    // keep it (on its stride, or `mayHaveWipedOut` a type).
    void recordCourse(bool mayHaveWipedOut);
    // Whether a type with ships in `before` has none now.
    bool typeRanOut(const BattleState &before) const;

    BattleState state_;
    const BattleControl &control_;
    BattleEnd end_ = BattleEnd::Decided;
    StretchFinder stretches_;
    PatternFinder patterns_;
    BattleCourse *course_;
    TypeWatch typeWatch_;
    std::array<uint32_t, 2> aliveAtLastPoint_{}; // the types with ships at the course's last point

    int64_t playedOneByOne_ = 0;
    int64_t workSinceCheckIn_ = 0;

    bool looking_ = true;
    int64_t windowSteps_ = 0;  // steps of the current look
    int64_t windowRounds_ = 0; // rounds they advanced the battle
    bool windowPaid_ = false;  // a pattern was taken in it
    int64_t plainLeft_ = 0;    // rounds of the current plain run
    int64_t plainLength_;      // rounds of the next plain run
};

} // namespace qf::battle

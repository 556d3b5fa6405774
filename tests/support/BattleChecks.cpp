#include "BattleChecks.h"

#include <gtest/gtest.h>

namespace qf {

void PrintTo(BattleEnd end, std::ostream *out)
{
    switch (end) {
    case BattleEnd::Decided: *out << "Decided"; return;
    case BattleEnd::NoProgress: *out << "NoProgress"; return;
    case BattleEnd::Cancelled: *out << "Cancelled"; return;
    case BattleEnd::RoundLimit: *out << "RoundLimit"; return;
    }
    *out << "BattleEnd(" << int(end) << ")";
}

} // namespace qf

namespace qf::test {

void ExpectSameSide(const BattleSide &s, const RefSide &r)
{
    EXPECT_EQ(s.stabilityLeft, r.stability);
    EXPECT_EQ(s.attackLeft, r.attack);
    EXPECT_EQ(s.armorLeft, r.armor);
    EXPECT_EQ(s.carry, r.carry);
    EXPECT_EQ(s.lost, r.lost);
    EXPECT_EQ(s.noAttack, r.noAttack);
    EXPECT_EQ(s.wipedOut, r.wiped);
}

void ExpectSameOutcome(const Fleet &home, const Fleet &foreign, const BattleOutcome &o,
                       const RefOutcome &r)
{
    ExpectSameSide(o.home, r.home);
    ExpectSameSide(o.foreign, r.foreign);
    EXPECT_EQ(o.rounds, r.rounds);
    EXPECT_EQ(o.battleTime, r.time);
    EXPECT_EQ(o.end, AsOutcome(r).end);
    EXPECT_EQ(BattleReport(home, foreign, o), BattleReport(home, foreign, AsOutcome(r)));
}

bool AgreesWithReference(const Fleet &home, const Fleet &foreign, int64_t maxRounds,
                         int64_t *rounds)
{
    const RefOutcome ref = RefBattle(home, foreign, maxRounds);
    if (!ref.finished)
        return false;
    ExpectSameOutcome(home, foreign, FightBattle(home, foreign), ref);
    if (rounds)
        *rounds = ref.rounds;
    return true;
}

} // namespace qf::test

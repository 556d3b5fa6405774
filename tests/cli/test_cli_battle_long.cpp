// schiffsdesigner-cli battle on a battle of 80 million rounds: seconds in the
// normal build, so it runs there only (ctest label "slow").
#include "support/BattleExamples.h"
#include "support/CliRunner.h"

#include <gtest/gtest.h>

TEST(CliBattleLong, EvenAttritionRunsToItsTrueEnd)
{
    const qf::test::BattleExample &example = qf::test::EvenAttrition();
    qf::test::CliCall call;
    call.input = example.json();
    call.timeoutMs = 600000;
    const qf::test::CliRun r = qf::test::RunCli({QStringLiteral("battle"), QStringLiteral("-")}, call);
    EXPECT_EQ(r.status, 0) << r.err.constData();
    EXPECT_EQ(r.lines(), example.report);
    EXPECT_TRUE(r.err.isEmpty()); // no progress lines: standard error is not a terminal

    // A limit below its rounds stops it.
    call.input = example.json();
    const qf::test::CliRun stopped = qf::test::RunCli(
        {QStringLiteral("battle"), QStringLiteral("-"), QStringLiteral("--max-rounds"),
         QString::number(example.rounds - 1)},
        call);
    EXPECT_EQ(stopped.status, 3);
    EXPECT_TRUE(stopped.out.isEmpty());
    EXPECT_EQ(stopped.errText(), QStringLiteral("schiffsdesigner-cli: battle: Kampf nicht beendet: nach 80129547 "
                                                 "Runden ist noch keine Flotte zerstört.\n"));
}

// The battle simulation and its report.
#include "battle/BattleSimulation.h"
#include "battle/Fleet.h"
#include "battle/ReportLayout.h"
#include "support/BattleChecks.h"
#include "support/BattleExamples.h"

#include <gtest/gtest.h>
#include <limits>
#include <vector>

using namespace qf;
using qf::test::MakeFleet;
using qf::test::TestShips;

namespace {

QStringList report(const Fleet &home, const Fleet &foreign)
{
    QStringList lines;
    SimulateBattle(home, foreign, lines);
    return lines;
}

} // namespace

TEST(AverageRandom, IsAlwaysTheAverage)
{
    EXPECT_EQ(AverageRandom(true), 0.75f);
    EXPECT_EQ(AverageRandom(false), 0.75f);
}

TEST(BattleReport, FirstWorkedExample)
{
    const test::BattleExample &example = test::FirstWorkedExample();
    const Fleet home = example.homeFleet();
    const Fleet foreign = example.foreignFleet();
    EXPECT_EQ(report(home, foreign), example.report);

    const BattleOutcome o = FightBattle(home, foreign);
    EXPECT_EQ(o.foreign.carry, 37); // 37 does not pass half of 100
    EXPECT_EQ(o.foreign.lost[0], 5);
    EXPECT_EQ(o.end, BattleEnd::Decided);
    EXPECT_TRUE(o.hasResult());
}

TEST(BattleReport, SecondWorkedExampleCarriesTheDamage)
{
    const test::BattleExample &example = test::CarryWorkedExample();
    const Fleet home = example.homeFleet();
    const Fleet foreign = example.foreignFleet();
    EXPECT_EQ(report(home, foreign), example.report);
    const BattleOutcome o = FightBattle(home, foreign);
    EXPECT_EQ(o.rounds, 4);
    EXPECT_EQ(o.home.carry, 0); // 60 - 100 is negative
    EXPECT_TRUE(o.foreign.noAttack);
}

TEST(BattleReport, AppendsWithoutClearingAndLeavesTheFleets)
{
    const Fleet home = MakeFleet({{3, 30, 2, 60, 10, QStringLiteral("A")}});
    const Fleet foreign = MakeFleet({{4, 20, 1, 40, 10, QStringLiteral("B")}});
    QStringList lines = {QStringLiteral("vorher")};
    SimulateBattle(home, foreign, lines);
    EXPECT_EQ(lines.first(), QStringLiteral("vorher"));
    EXPECT_TRUE(lines.at(1).startsWith(QStringLiteral("Dauer des Kampfes: ")));
    EXPECT_EQ(home.Classes[0].Count, 3);
    EXPECT_EQ(foreign.Classes[0].Count, 4);
    EXPECT_EQ(home.TotalAS, 90);
}

TEST(BattleReport, EqualFleetsWipeEachOtherOutInTheSameRound)
{
    const std::vector<TestShips> types = {{4, 50, 0, 60, 80, QStringLiteral("Zwilling")}};
    const QStringList lines = report(MakeFleet(types), MakeFleet(types));
    const QStringList homeBlock = lines.mid(3, lines.indexOf(QStringLiteral("In der Fremdflotte wurden bei dem Kampf folgende Schiffe zerstört:")) - 4);
    const QStringList expectedBlock = {
        QStringLiteral("Schiffstyp \tAnzahl \tStabilität \tAS \tPanzerung"),
        QStringLiteral("Zwilling\t\t4\t60\t50\t0"),
        QStringLiteral("Gesamt \t\t4\t240\t200\t0"),
        QStringLiteral("Die Flotte wurd vollständig zerstört."),
        QStringLiteral("Kosten in Solar: 320"),
    };
    EXPECT_EQ(homeBlock, expectedBlock);
    QStringList foreignBlock = lines.mid(lines.size() - 5);
    QStringList expectedForeign = expectedBlock;
    expectedForeign[2] = QStringLiteral("Gesamt \t\t4\t240\t200\t\t0");
    EXPECT_EQ(foreignBlock, expectedForeign);
}

TEST(BattleReport, AHomeFleetThatNeverGetsPastTheArmour)
{
    // The home damage never reaches 1: the foreign block names the home fleet.
    const Fleet home = MakeFleet({{2, 10, 0, 50, 0, QStringLiteral("Schwach")}});
    const Fleet foreign = MakeFleet({{1, 100, 40, 500, 0, QStringLiteral("Bollwerk")}});
    const QStringList lines = report(home, foreign);
    EXPECT_EQ(lines.last(),
              QStringLiteral("Es wurden keine Schiffe zerstört, weil die Heimatflotte keinen Angriff starten konnte."));
    EXPECT_EQ(lines.at(lines.size() - 2), QStringLiteral(" "));
    EXPECT_TRUE(lines.contains(QStringLiteral("Die Flotte wurd vollständig zerstört.")));
    EXPECT_TRUE(FightBattle(home, foreign).home.noAttack);
}

TEST(BattleReport, TheForeignFlagDependsOnlyOnItsEffectiveAttack)
{
    const Fleet home = MakeFleet({{1, 400, 1000, 100, 0, QStringLiteral("Panzer")}});
    // Attack 2: an effective attack of 1 counts as an attack, though 1000 armour stops it.
    const Fleet weak = MakeFleet({{1, 2, 0, 100, 0, QStringLiteral("Nadel")}});
    QStringList lines = report(home, weak);
    EXPECT_EQ(lines.at(4), QStringLiteral("Es wurden keine Schiffe zerstört."));
    EXPECT_FALSE(FightBattle(home, weak).foreign.noAttack);
    // Attack 1: 0.75 truncates to 0, no attack at all.
    const Fleet weaker = MakeFleet({{1, 1, 0, 100, 0, QStringLiteral("Stecknadel")}});
    lines = report(home, weaker);
    EXPECT_EQ(lines.at(4),
              QStringLiteral("Es wurden keine Schiffe zerstört, weil die Fremdflotte keinen Angriff starten konnte."));
}

TEST(BattleReport, NameSeparatorsCountCharacters)
{
    EXPECT_EQ(NameSeparator(QStringLiteral("ABCDEFGHIJ")), QStringLiteral("\t\t"));
    EXPECT_EQ(NameSeparator(QStringLiteral("ABCDEFGHIJK")), QStringLiteral("\t"));
    EXPECT_EQ(NameSeparator(QStringLiteral("ABCDEFGHIJKLMNOPQRST")), QStringLiteral("\t"));
    EXPECT_EQ(NameSeparator(QStringLiteral("ABCDEFGHIJKLMNOPQRSTU")), QStringLiteral(" "));
    EXPECT_EQ(NameSeparator(QString()), QStringLiteral("\t\t"));
    // Ten characters, more bytes in UTF-8 and more UTF-16 units.
    EXPECT_EQ(NameSeparator(QStringLiteral("Jägerjäger")), QStringLiteral("\t\t"));
    EXPECT_EQ(NameSeparator(QString::fromUtf8("\xF0\x9D\x94\x84" "ÄÖÜäöüßxy")), QStringLiteral("\t\t"));
    EXPECT_EQ(NameSeparator(QStringLiteral("Größenwahnsinnige Ära")), QStringLiteral(" "));

    const Fleet home = MakeFleet({{5, 5000, 0, 1000, 0, QStringLiteral("Übermächtig")}});
    const Fleet foreign = MakeFleet({
        {1, 0, 0, 10, 0, QStringLiteral("Zehn Zeich")},
        {1, 0, 0, 10, 0, QStringLiteral("Elf Zeichen")},
        {1, 0, 0, 10, 0, QStringLiteral("Zwanzig Zeichen ohne")},
        {1, 0, 0, 10, 0, QStringLiteral("Einundzwanzig Zeichen")},
    });
    const QStringList lines = report(home, foreign);
    EXPECT_TRUE(lines.contains(QStringLiteral("Zehn Zeich\t\t1\t10\t0\t0")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Elf Zeichen\t1\t10\t0\t0")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Zwanzig Zeichen ohne\t1\t10\t0\t0")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Einundzwanzig Zeichen 1\t10\t0\t0")));
}

TEST(BattleReport, LossesOnTheTenthTypeAndTheSolarSum)
{
    std::vector<TestShips> types;
    for (int i = 0; i < 10; ++i)
        types.push_back({i == 9 ? 3 : 1, 0, 1, 10 + i, 100 + i, QStringLiteral("Typ %1").arg(i)});
    const Fleet home = MakeFleet({{10, 1000, 0, 100, 0, QStringLiteral("Hammer")}});
    const QStringList lines = report(home, MakeFleet(types));
    EXPECT_TRUE(lines.contains(QStringLiteral("Typ 9\t\t3\t19\t0\t1")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Gesamt \t\t12\t") + QString::number(10 + 11 + 12 + 13 + 14 + 15 + 16 + 17 + 18 + 3 * 19) + QStringLiteral("\t0\t\t12")));
    int64_t solar = 0;
    for (int i = 0; i < 9; ++i)
        solar += 100 + i;
    solar += 3 * 109;
    EXPECT_EQ(lines.last(), QStringLiteral("Kosten in Solar: ") + QString::number(solar));

    const Fleet twoTypes = MakeFleet({{2, 0, 0, 10, 100, QStringLiteral("A")}, {3, 0, 0, 10, 50, QStringLiteral("B")}});
    EXPECT_EQ(report(home, twoTypes).last(), QStringLiteral("Kosten in Solar: 350"));
}

TEST(BattleReport, ShipsFallRoundRobinInFleetOrder)
{
    // 120 damage against A (stability 30) and B (stability 20): A 90, B 70, A 40, B 20,
    // then 20 > 15 destroys a third A and the -10 left stops the volley.
    Fleet target = MakeFleet({{5, 0, 0, 30, 0, QStringLiteral("A")}, {5, 0, 0, 20, 0, QStringLiteral("B")}});
    BattleSide side = BattleSide::Start(target);
    EXPECT_EQ(FireVolley(target, side, 120), -10);
    EXPECT_EQ(side.lost[0], 3);
    EXPECT_EQ(side.lost[1], 2);
    EXPECT_EQ(side.stabilityLeft, 250 - 130);
    // A weaker ship further on is not looked for.
    BattleSide side2 = BattleSide::Start(target);
    EXPECT_EQ(FireVolley(target, side2, 15), 15);
    EXPECT_EQ(side2.lost[1], 0);
}

TEST(BattleReport, BattlesThatCannotEndAreBrokenOff)
{
    // Neither fleet has an attack: after one round nothing can change.
    const Fleet home = MakeFleet({{3, 0, 0, 100, 10, QStringLiteral("Frachter")}});
    const Fleet foreign = MakeFleet({{2, 0, 5, 80, 10, QStringLiteral("Transporter")}});
    const QStringList expected = {
        QStringLiteral("Dauer des Kampfes: 02:00:00 (1 Runden)"),
        QStringLiteral("Kampf abgebrochen: keine Flotte kann die andere zerstören."),
        QStringLiteral(" "),
        QStringLiteral("In der Heimatflotte wurden bei dem Kampf folgende Schiffe zerstört:"),
        QStringLiteral(" "),
        QStringLiteral("Es wurden keine Schiffe zerstört, weil die Fremdflotte keinen Angriff starten konnte."),
        QStringLiteral(" "),
        QStringLiteral("In der Fremdflotte wurden bei dem Kampf folgende Schiffe zerstört:"),
        QStringLiteral(" "),
        QStringLiteral("Es wurden keine Schiffe zerstört, weil die Heimatflotte keinen Angriff starten konnte."),
    };
    EXPECT_EQ(report(home, foreign), expected);

    // Attacks that never pass the other fleet's armour.
    const Fleet armouredHome = MakeFleet({{2, 20, 100, 100, 0, QStringLiteral("Igel")}});
    const Fleet armouredForeign = MakeFleet({{2, 20, 100, 100, 0, QStringLiteral("Schildkröte")}});
    const BattleOutcome o = FightBattle(armouredHome, armouredForeign);
    EXPECT_EQ(o.end, BattleEnd::NoProgress);
    EXPECT_EQ(o.rounds, 1);
    EXPECT_TRUE(o.home.noAttack);
    EXPECT_FALSE(o.foreign.noAttack);
}

TEST(BattleReport, ABattleWithAStandingCarryIsBrokenOff)
{
    // Round 1 (t = 6/25 h): the home damage 15 does not pass half of 34 and becomes
    // the carry; the foreign damage 25 * 0.24 - 3 falls just short of 3 and destroys
    // two home ships. Round 2 (t = 2/25 h): the home damage is 15 again, the foreign
    // damage falls just short of 1 and destroys nothing. The home carry stands at
    // 15, the foreign one at 0: every further round would be the same.
    const Fleet home = MakeFleet({{3, 31, 1, 1, 0, QStringLiteral("Nadel")}});
    const Fleet foreign = MakeFleet({{1, 34, 1, 34, 0, QStringLiteral("Block")}});
    const BattleOutcome o = FightBattle(home, foreign);
    EXPECT_EQ(o.end, BattleEnd::NoProgress);
    EXPECT_EQ(o.rounds, 2);
    EXPECT_EQ(o.home.carry, 15);
    EXPECT_EQ(o.foreign.carry, 0);
    const QStringList expected = {
        QStringLiteral("Dauer des Kampfes: 00:19:11 (2 Runden)"),
        QStringLiteral("Kampf abgebrochen: keine Flotte kann die andere zerstören."),
        QStringLiteral(" "),
        QStringLiteral("In der Heimatflotte wurden bei dem Kampf folgende Schiffe zerstört:"),
        QStringLiteral("Schiffstyp \tAnzahl \tStabilität \tAS \tPanzerung"),
        QStringLiteral("Nadel\t\t2\t1\t31\t1"),
        QStringLiteral("Gesamt \t\t2\t2\t62\t2"),
        QStringLiteral("Kosten in Solar: 0"),
        QStringLiteral(" "),
        QStringLiteral("In der Fremdflotte wurden bei dem Kampf folgende Schiffe zerstört:"),
        QStringLiteral(" "),
        QStringLiteral("Es wurden keine Schiffe zerstört."),
    };
    EXPECT_EQ(report(home, foreign), expected);
}

TEST(FightBattle, HugeFleetsStayInsideTheIntegerRange)
{
    const int32_t max = std::numeric_limits<int32_t>::max();
    Fleet home;
    Fleet foreign;
    for (int i = 0; i < 4; ++i) {
        home.AddShips(max, max, max / 4, max, QStringLiteral("H%1").arg(i), 1, 1, 1);
        foreign.AddShips(max, max / 3, max, max / 2, QStringLiteral("F%1").arg(i), 1, 1, 1);
    }
    const BattleOutcome o = FightBattle(home, foreign);
    EXPECT_TRUE(o.home.wipedOut || o.foreign.wipedOut || o.end == BattleEnd::NoProgress);
    const QStringList lines = BattleReport(home, foreign, o);
    EXPECT_TRUE(lines.first().startsWith(QStringLiteral("Dauer des Kampfes: ")));
    for (const BattleSide *s : {&o.home, &o.foreign}) {
        EXPECT_GE(s->stabilityLeft, 0);
        EXPECT_GE(s->attackLeft, 0);
        EXPECT_GE(s->armorLeft, 0);
    }
}

TEST(LayOutReport, ColumnsFollowTheWidestTextOfEachColumn)
{
    const struct {
        QStringList lines;
        QList<double> stops;
        QList<double> wideBlank; // line, index, width
    } cases[] = {
        // The short names' stop, then each column two blanks after the widest text before it,
        // and a hair's breadth after each for the foreign total's second tab.
        {test::FirstWorkedExample().report, {10.5, 13, 13.05, 22, 22.05, 35, 35.05, 40, 40.05}, {}},
        // A name of 20 characters and a total of 19 digits keep a gap to the next column.
        {{QStringLiteral("Zwanzig Zeichen Name\t30\t1"), QStringLiteral("A\t\t1234567890123456789\t2")},
         {10.5, 22, 22.05, 43, 43.05}, {}},
        // A name of 21 characters is followed by a blank, drawn wide to reach the count column.
        {{QStringLiteral("Einundzwanzig Zeichen 5\t100"), QStringLiteral("kurz\t\t1234567\t1")},
         {10.5, 23, 23.05, 32, 32.05}, {0, 21, 2}},
        // Characters, not UTF-16 units, count.
        {{QString::fromUtf8("𝔊𝔊𝔊𝔊𝔊𝔊𝔊𝔊𝔊𝔊𝔊\t1")}, {10.5, 13, 13.05}, {}},
    };
    for (const auto &c : cases) {
        const ReportLayout layout = LayOutReport(c.lines);
        EXPECT_EQ(layout.tabStops, c.stops) << c.lines.join(u'|').toStdString();
        QList<double> blanks;
        for (const ReportLayout::WideBlank &b : layout.wideBlanks)
            blanks << b.line << double(b.index) << b.width;
        EXPECT_EQ(blanks, c.wideBlank) << c.lines.join(u'|').toStdString();
    }
}

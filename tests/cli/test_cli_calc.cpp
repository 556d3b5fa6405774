// schiffsdesigner-cli flight, battlecalc and actions: the lines of the "Rechner" page.
#include "calc/BattleCalc.h"
#include "calc/FlightCalc.h"
#include "calc/SpecialActions.h"
#include "support/CliRunner.h"

#include <gtest/gtest.h>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>

namespace {
using qf::test::CliRun;

CliRun runCli(const QStringList &args, const QString &locale = QStringLiteral("C"))
{
    qf::test::CliCall call;
    call.locale = locale;
    return qf::test::RunCli(args, call);
}

QJsonObject json(const CliRun &r) { return QJsonDocument::fromJson(r.out).object(); }

void expectBadUsage(const QStringList &args)
{
    const CliRun r = runCli(args);
    EXPECT_EQ(r.status, 2) << args.join(u' ').toStdString();
    EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
    EXPECT_EQ(r.err.count('\n'), 1) << r.errText().toStdString();
}
} // namespace

TEST(CliFlight, InitialTexts)
{
    const CliRun r = runCli({"flight"});
    EXPECT_EQ(r.status, 0) << r.errText().toStdString();
    EXPECT_TRUE(r.err.isEmpty());
    EXPECT_EQ(r.text(), QStringLiteral("Entfernung: 7623\n"
                                    "Flug: 68:35:49\n"
                                    "Flug O2: 19\n"
                                    "Flug H2: 38\n"
                                    "Start/Landung: 00:49:35\n"
                                    "Start/Landung O2: 0\n"
                                    "Start/Landung H2: 0\n"));
}

TEST(CliFlight, SameTextsAsThePage)
{
    const QStringList options[] = {
        {"--start", "555:222:b", "--target", "666:333:c", "--stability", "5000"},
        {"--thruster", "0", "--fusion", "12", "--zva", "7", "--spaceport", "20"},
        {"--thruster", "abc", "--fusion", "3", "--stability", "x"},
        {"--start", " 444:111:A ", "--target", "444:111:a"},
    };
    for (const QStringList &opts : options) {
        qf::FlightInputs in;
        for (int i = 0; i + 1 < opts.size(); i += 2) {
            const QString &v = opts[i + 1];
            if (opts[i] == "--start") in.startPlanet = v;
            if (opts[i] == "--target") in.targetPlanet = v;
            if (opts[i] == "--thruster") in.thruster = v;
            if (opts[i] == "--fusion") in.fusi = v;
            if (opts[i] == "--zva") in.zva = v;
            if (opts[i] == "--stability") in.stability = v;
            if (opts[i] == "--spaceport") in.spaceport = v;
        }
        const qf::FlightResults f = qf::ComputeFlight(in);
        const CliRun r = runCli(QStringList{"flight"} + opts);
        ASSERT_EQ(r.status, 0) << r.errText().toStdString();
        EXPECT_EQ(r.lines(), QStringList({"Entfernung: " + f.distance, "Flug: " + f.flightTime,
                                          "Flug O2: " + f.flightO2.value(),
                                          "Flug H2: " + f.flightH2.value(),
                                          "Start/Landung: " + f.takeoffTime,
                                          "Start/Landung O2: " + f.takeoffO2,
                                          "Start/Landung H2: " + f.takeoffH2}))
            << opts.join(u' ').toStdString();
    }
}

TEST(CliFlight, IncompleteResults)
{
    const CliRun r = runCli({"flight", "--start", "744:111:a"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.lines(), QStringList({"Entfernung: unvollständig", "Flug: unvollständig",
                                      "Flug O2: 0", "Flug H2: 0", "Start/Landung: 00:49:35",
                                      "Start/Landung O2: 0", "Start/Landung H2: 0"}));
    // No drive power: the texts count as typed, the page's guard does not apply.
    const CliRun none = runCli({"flight", "--thruster", "0"});
    EXPECT_EQ(none.status, 0);
    EXPECT_EQ(none.lines().at(0), QStringLiteral("Entfernung: 7623"));
    EXPECT_EQ(none.lines().at(1), QStringLiteral("Flug: unvollständig"));
}

TEST(CliFlight, Json)
{
    const CliRun r = runCli({"flight", "--json", "--zva", "1"});
    ASSERT_EQ(r.status, 0);
    const QJsonObject o = json(r);
    EXPECT_EQ(o.size(), 8);
    EXPECT_EQ(o.value("distance").toInt(), 7623);
    EXPECT_EQ(o.value("flightTime").toObject().value("text").toString(),
              qf::ComputeFlight(qf::FlightInputs{"444:111:a", "666:999:f", "1", "0", "1", "109", "1"}).flightTime);
    for (const char *key : {"flightO2", "flightH2", "takeoffO2", "takeoffH2"})
        EXPECT_TRUE(o.value(key).isDouble()) << key;
    EXPECT_DOUBLE_EQ(o.value("takeoffTime").toObject().value("minutes").toDouble(), 49 + 35.0 / 60);
}

TEST(CliBattlecalc, Estimates)
{
    const CliRun r = runCli({"battlecalc", "--begin", "12:00:00", "--end", "12:30:00", "--stability", "150"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.text(), QStringLiteral("Kampfdauer: 00:30:00\nAngreifer AS ca.: 399\nAlte AS-Formel: 300\n"));
    const CliRun initial = runCli({"battlecalc"});
    EXPECT_EQ(initial.lines(), QStringList({"Kampfdauer: 00:00:00", "Angreifer AS ca.: 525301",
                                            "Alte AS-Formel: 393975"}));
    const CliRun armor = runCli({"battlecalc", "--begin", "12:00:00", "--end", "12:30:00", "--armor", "50"});
    EXPECT_EQ(armor.lines(), QStringList({"Kampfdauer: 00:30:00", "Angreifer AS ca.: 357",
                                          "Alte AS-Formel: 318"}));
}

TEST(CliBattlecalc, NoDebugLineWhereThePageWritesNone)
{
    const CliRun r = runCli({"battlecalc", "--end", "12:30:"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.lines(), QStringList({"Kampfdauer: unvollständing", "Angreifer AS ca.: unvollständig"}));
    const CliRun j = runCli({"battlecalc", "--end", "12:30:", "--json"});
    EXPECT_FALSE(json(j).contains("DebugConsole"));
}

TEST(CliBattlecalc, Json)
{
    const CliRun r = runCli({"battlecalc", "--json", "--begin", "23:50:00", "--end", "00:10:00"});
    ASSERT_EQ(r.status, 0);
    const QJsonObject o = json(r);
    EXPECT_EQ(o.value("battleDuration").toObject(), (QJsonObject{{"text", "00:20:00"}, {"minutes", 20}}));
    const qf::BattleCalcResults expected =
        qf::ComputeBattleCalc(qf::BattleCalcInputs{"23:50:00", "00:10:00", "109", "0"});
    EXPECT_EQ(o.value("enemyAttack").toInteger(), expected.enemyAS.toLongLong());
    EXPECT_EQ(o.contains("oldEstimate"), expected.estimated);
}

TEST(CliActions, AttackerOneLevelHigher)
{
    const CliRun r = runCli({"actions", "--attacker", "1", "--defender", "0", "--ships", "1", "--attempts", "1"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.text(), QStringLiteral("Stufendifferenz: 1\n"
                                    "Spionagedauer: 00:27:17\n"
                                    "Sabotagedauer: 01:49:11\n"
                                    "Wahrscheinlichkeit (%): 54.95\n"
                                    "Plünderungsdauer: 00:54:35\n"
                                    "Kolonisationsdauer: 33:40:11\n"
                                    "Invasionsdauer: 21:50:24\n"
                                    "Wahrscheinlichkeit (%) Schiffe: 54.95\n"
                                    "Wahrscheinlichkeit (%) Enttarnung: 45.05\n"));
}

TEST(CliActions, ShipsAndAttempts)
{
    const CliRun r = runCli({"actions", "--attacker", "5", "--defender", "3", "--ships", "3", "--attempts", "4"});
    EXPECT_EQ(r.lines().at(3), QStringLiteral("Wahrscheinlichkeit (%): 59.41"));
    EXPECT_EQ(r.lines().at(7), QStringLiteral("Wahrscheinlichkeit (%) Schiffe: 90.86"));
    EXPECT_EQ(r.lines().at(8), QStringLiteral("Wahrscheinlichkeit (%) Enttarnung: 87.54"));
    const CliRun many = runCli({"actions", "--ships", "10000000"});
    EXPECT_EQ(many.status, 0);
    EXPECT_EQ(many.lines().at(7), QStringLiteral("Wahrscheinlichkeit (%) Schiffe: 99.73"));
    const CliRun far = runCli({"actions", "--attacker", "-100", "--defender", "100"});
    EXPECT_EQ(far.lines().at(5), QStringLiteral("Kolonisationsdauer: 15716664388:16:00"));
}

TEST(CliActions, Json)
{
    const CliRun r = runCli({"actions", "--json", "--attacker", "0", "--defender", "1"});
    ASSERT_EQ(r.status, 0);
    const QJsonObject o = json(r);
    EXPECT_EQ(o.size(), 10);
    EXPECT_EQ(o.value("levelDifference").toInt(), -1);
    EXPECT_EQ(o.value("spyTime").toObject().value("text").toString(), QStringLiteral("00:33:17"));
    EXPECT_DOUBLE_EQ(o.value("successPercent").toDouble(), 45.04);
    EXPECT_DOUBLE_EQ(o.value("uncloakPercent").toDouble(), 54.96);
    for (const char *key : {"sabotageTime", "raidTime", "kolonisationTime", "invasionTime"})
        EXPECT_TRUE(o.value(key).toObject().value("minutes").isDouble()) << key;
}

TEST(CliActions, LocaleDecimalSeparator)
{
    const CliRun r = runCli({"actions", "--attacker", "1"}, QStringLiteral("de_DE.UTF-8"));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.lines().at(3), QStringLiteral("Wahrscheinlichkeit (%): 54,95"));
    EXPECT_EQ(r.lines().at(8), QStringLiteral("Wahrscheinlichkeit (%) Enttarnung: 45,05"));
}

TEST(CliCalc, TextThatIsNotAWholeNumberIsNotBadUsage)
{
    EXPECT_EQ(runCli({"actions", "--ships", "viele"}).status, 0);
    EXPECT_EQ(runCli({"battlecalc", "--stability", "1.5"}).status, 0);
    EXPECT_EQ(runCli({"flight", "--zva", ""}).status, 0);
}

TEST(CliCalc, BadUsage)
{
    expectBadUsage({"flight", "--bogus", "1"});
    expectBadUsage({"flight", "--start"});
    expectBadUsage({"flight", "extra"});
    expectBadUsage({"battlecalc", "--begin"});
    expectBadUsage({"battlecalc", "--stabilty", "3"});
    expectBadUsage({"actions", "--ships"});
    expectBadUsage({"actions", "5"});
}

TEST(CliCalc, Help)
{
    const std::pair<const char *, QStringList> commands[] = {
        {"flight", {"--start", "--target", "--thruster", "--fusion", "--zva", "--stability", "--spaceport", "--json"}},
        {"battlecalc", {"--begin", "--end", "--stability", "--armor", "--json"}},
        {"actions", {"--attacker", "--defender", "--ships", "--attempts", "--json"}},
    };
    for (const auto &[command, options] : commands) {
        const CliRun r = runCli({command, "--help"});
        EXPECT_EQ(r.status, 0) << command;
        for (const QString &option : options)
            EXPECT_TRUE(r.text().contains(option)) << command << " " << option.toStdString();
    }
}

// schiffsdesigner-cli strict options, --version and batch: each answer is the one
// the command prints with --json.
#include "support/CliRunner.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using qf::test::CliCall;
using qf::test::CliRun;
using qf::test::RunCli;

TEST(CliStrict, NumbersMustBeWholeAndInRange)
{
    const struct {
        QStringList args;
        const char *message;
    } cases[] = {
        {{"design", "--set", "Lager=abc"}, "--set Lager: keine ganze Zahl: abc"},
        {{"design", "--set", "Lager=99999999999"}, "--set Lager: nicht zwischen"},
        {{"design", "--set", "Lager=0"}, "Lager=0: abgelehnt"},
        {{"design", "--ship-factory", "x"}, "--ship-factory: keine ganze Zahl: x"},
        {{"design", "--distance", "8001"}, "--distance: nicht zwischen 0 und 8000: 8001"},
        {{"design", "--distance", "5\n"}, "--distance: keine ganze Zahl: 5\n"},
        {{"compare", "a.shp", "--war-factory", "1.5"}, "--war-factory: keine ganze Zahl: 1.5"},
        {{"battle", "-", "--max-rounds", "0"}, "--max-rounds: nicht zwischen 1"},
    };
    for (const auto &c : cases) {
        const CliRun r = RunCli(c.args);
        EXPECT_EQ(r.status, 2) << c.message;
        EXPECT_TRUE(r.out.isEmpty()) << c.message;
        EXPECT_TRUE(r.errText().contains(QString::fromUtf8(c.message))) << r.err.constData();
    }
}

TEST(CliVersion, NamesProgramAndVersion)
{
    EXPECT_TRUE(RunCli({"--version"}).text().startsWith("schiffsdesigner-cli (Quarzfink Schiffsdesigner) 3."));
}

TEST(CliBatch, AnswersEachLineAsJsonDoes)
{
    CliCall call;
    call.input = "{\"command\": \"design\", \"set\": {\"Laserkanonen\": 7}, \"distance\": 2000}\n"
                 "not json\n"
                 "{\"command\": \"design\", \"set\": {\"Lager\": \"abc\"}}\n"
                 "{\"command\": \"actions\", \"attacker\": \"1\"}\n"
                 + QByteArray(1024 * 1024 + 1, 'x') + "\n{\"command\": \"nope\"}\n";
    const QStringList lines = RunCli({"batch"}, call).lines();
    ASSERT_EQ(lines.size(), 6);
    const auto object = [&](int i) { return QJsonDocument::fromJson(lines.at(i).toUtf8()).object(); };
    const CliRun design = RunCli({"design", "--set", "Laserkanonen=7", "--json"});
    EXPECT_EQ(object(0), QJsonDocument::fromJson(design.out).object());
    EXPECT_TRUE(object(1).contains("error"));
    EXPECT_EQ(object(2).value("error").toString(), "schiffsdesigner-cli: --set Lager: keine ganze Zahl: abc");
    EXPECT_EQ(object(3), QJsonDocument::fromJson(RunCli({"actions", "--attacker", "1", "--json"}).out).object());
    EXPECT_TRUE(object(4).value("error").toString().contains("1 MiB"));
    EXPECT_TRUE(object(5).value("error").toString().contains("unbekannter Befehl"));
}

TEST(CliBatch, AnswersEachLineBeforeTheNextArrives)
{
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *folder : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME"})
        env.insert(folder, home.path());
    QProcess cli;
    cli.setProcessEnvironment(env);
    cli.start(QStringLiteral(QF_CLI), {"batch"});
    for (int i = 0; i < 3; ++i) {
        cli.write("{\"command\": \"flight\"}\n");
        while (!cli.canReadLine())
            ASSERT_TRUE(cli.waitForReadyRead(10000)) << "no answer to request " << i;
        EXPECT_TRUE(QJsonDocument::fromJson(cli.readLine()).object().contains("distance"));
    }
    cli.closeWriteChannel();
    EXPECT_TRUE(cli.waitForFinished(10000));
}

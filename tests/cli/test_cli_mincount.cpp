// schiffsdesigner-cli mincount, run as a player's script would run it: the
// smallest count of one home entry that wipes the foreign fleet out, and the
// report of that battle exactly as `battle` prints it.
#include "support/BattleExamples.h"
#include "support/CliRunner.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using qf::test::CliCall;
using qf::test::CliRun;
using qf::test::FleetsJson;
using qf::test::TestShips;

namespace {

// Every run has a watchdog: a search that hangs is killed after twenty seconds
// and the test fails instead of hanging the suite.
CliRun runCommand(const QString &command, const QStringList &args, const QByteArray &input = QByteArray())
{
    CliCall call;
    call.input = input;
    call.timeoutMs = 20000;
    return qf::test::RunCli(QStringList{command} + args, call);
}

class CliMinCount : public ::testing::Test {
protected:
    QString write(const QByteArray &content)
    {
        const QString path = dir.filePath(QStringLiteral("fleets%1.json").arg(files++));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
        return path;
    }
    CliRun mincount(const QByteArray &json, const QStringList &extra)
    {
        return runCommand(QStringLiteral("mincount"), QStringList{write(json)} + extra);
    }
    // What `battle` prints for the fleets.
    QStringList battleReport(const QByteArray &json)
    {
        const CliRun r = runCommand(QStringLiteral("battle"), {write(json)});
        EXPECT_EQ(r.status, 0) << r.err.constData();
        return r.lines();
    }
    void expectBadUsage(const CliRun &r)
    {
        EXPECT_EQ(r.status, 2);
        EXPECT_TRUE(r.out.isEmpty()) << r.out.constData();
        EXPECT_TRUE(r.errText().startsWith(QStringLiteral("schiffsdesigner-cli: "))) << r.err.constData();
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.constData();
    }

    QTemporaryDir dir;
    int files = 0;
};

// Ten ships (AS 40, stability 100) against five (AS 10, armour 10, stability
// 50): one and two ships lose, three win.
const std::vector<TestShips> kHome = {{10, 40, 0, 100}};
const std::vector<TestShips> kForeign = {{5, 10, 10, 50}};

} // namespace

TEST_F(CliMinCount, PrintsTheCountAndTheReportOfItsBattle)
{
    const CliRun r = mincount(FleetsJson(kHome, kForeign), {QStringLiteral("--entry"), QStringLiteral("0")});
    ASSERT_EQ(r.status, 0) << r.err.constData();
    EXPECT_TRUE(r.err.isEmpty());
    const QStringList lines = r.lines();
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(lines.first(), QStringLiteral("Mindestanzahl: 3"));
    EXPECT_EQ(lines.mid(1), battleReport(FleetsJson({{3, 40, 0, 100}}, kForeign)));
}

TEST_F(CliMinCount, OnlyTheChosenEntryChanges)
{
    // A freighter in front: the warships at position 1 are the ones counted.
    const std::vector<TestShips> home = {{4, 0, 0, 30}, {10, 40, 0, 100}};
    const CliRun r = mincount(FleetsJson(home, kForeign), {QStringLiteral("--entry"), QStringLiteral("1")});
    ASSERT_EQ(r.status, 0) << r.err.constData();
    const QStringList lines = r.lines();
    ASSERT_FALSE(lines.isEmpty());
    const QString first = lines.first();
    ASSERT_TRUE(first.startsWith(QStringLiteral("Mindestanzahl: "))) << first.toStdString();
    const int count = first.mid(15).toInt();
    ASSERT_GE(count, 1);
    EXPECT_EQ(lines.mid(1), battleReport(FleetsJson({{4, 0, 0, 30}, {count, 40, 0, 100}}, kForeign)));
    if (count > 1) {
        // One ship fewer does not win: the report of that battle differs.
        EXPECT_NE(lines.mid(1), battleReport(FleetsJson({{4, 0, 0, 30}, {count - 1, 40, 0, 100}}, kForeign)));
    }
}

TEST_F(CliMinCount, JsonHoldsTheCountAndTheReportLines)
{
    const CliRun r = mincount(FleetsJson(kHome, kForeign),
                              {QStringLiteral("--json"), QStringLiteral("--entry"), QStringLiteral("0")});
    ASSERT_EQ(r.status, 0) << r.err.constData();
    const QJsonObject o = QJsonDocument::fromJson(r.out).object();
    EXPECT_EQ(o.value(QStringLiteral("count")).toInt(), 3);
    QStringList report;
    for (const QJsonValue &line : o.value("battle")["report"].toArray())
        report << line.toString();
    EXPECT_EQ(report, battleReport(FleetsJson({{3, 40, 0, 100}}, kForeign)));
}

TEST_F(CliMinCount, ACountThatCannotWinIsSaidSo)
{
    // Freighters only: no count fires a shot.
    const QByteArray json = FleetsJson({{3, 0, 5, 50}}, {{3, 10, 0, 40}});
    const CliRun r = mincount(json, {QStringLiteral("--entry"), QStringLiteral("0")});
    EXPECT_EQ(r.status, 0) << r.err.constData();
    EXPECT_EQ(r.lines(), QStringList{QStringLiteral("Mindestanzahl: nicht erreichbar")});

    const CliRun j = mincount(json, {QStringLiteral("--entry"), QStringLiteral("0"), QStringLiteral("--json")});
    EXPECT_EQ(j.status, 0);
    EXPECT_EQ(QJsonDocument::fromJson(j.out).object(),
              (QJsonObject{{QStringLiteral("reachable"), false}}));
}

TEST_F(CliMinCount, ReadsStandardInput)
{
    const CliRun r = runCommand(QStringLiteral("mincount"),
                                {QStringLiteral("-"), QStringLiteral("--entry"), QStringLiteral("0")},
                                FleetsJson(kHome, kForeign));
    ASSERT_EQ(r.status, 0) << r.err.constData();
    EXPECT_EQ(r.lines().value(0), QStringLiteral("Mindestanzahl: 3"));
}

TEST_F(CliMinCount, BadUsageEndsWithStatusTwo)
{
    const QByteArray json = FleetsJson({{4, 0, 0, 30}, {10, 40, 0, 100}}, kForeign);
    const QString entry = QStringLiteral("--entry");
    expectBadUsage(mincount(json, {}));                                 // no --entry
    expectBadUsage(mincount(json, {entry}));                            // no position
    expectBadUsage(mincount(json, {entry, QStringLiteral("2")}));       // outside the home fleet
    expectBadUsage(mincount(json, {entry, QStringLiteral("-1")}));
    expectBadUsage(mincount(json, {entry, QStringLiteral("eins")}));
    expectBadUsage(mincount(json, {entry, QStringLiteral(" 1")}));
    expectBadUsage(mincount(json, {entry, QStringLiteral("99999999999")}));
    expectBadUsage(mincount(json, {entry, QStringLiteral("0"), QStringLiteral("--schnell")}));
    expectBadUsage(mincount("{\"home\": [", {entry, QStringLiteral("0")}));         // malformed
    expectBadUsage(mincount(FleetsJson(kHome, {}), {entry, QStringLiteral("0")}));  // empty foreign fleet
    expectBadUsage(runCommand(QStringLiteral("mincount"),
                              {dir.filePath(QStringLiteral("gibt-es-nicht.json")), entry, QStringLiteral("0")}));
    expectBadUsage(runCommand(QStringLiteral("mincount"), {entry, QStringLiteral("0")})); // no file
}

TEST_F(CliMinCount, HelpDescribesTheSearch)
{
    const CliRun r = runCommand(QStringLiteral("mincount"), {QStringLiteral("--help")});
    EXPECT_EQ(r.status, 0);
    for (const char *word : {"--entry N", "--json", "Mindestanzahl: K", "nicht erreichbar", "\"-\""})
        EXPECT_TRUE(r.text().contains(QString::fromUtf8(word))) << word;

    const CliRun tool = qf::test::RunCli({QStringLiteral("--help")});
    EXPECT_TRUE(tool.text().contains(QStringLiteral("mincount"))) << tool.out.constData();
}

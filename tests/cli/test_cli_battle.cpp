// schiffsdesigner-cli battle, run as a player's script would run it.
#include "battle/BattleSimulation.h"
#include "battle/Fleet.h"
#include "battle/FleetsJson.h"
#include "library/DesignFile.h"
#include "support/BattleExamples.h"
#include "support/CliRunner.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace qf;
using qf::test::CliCall;
using qf::test::CliRun;

namespace {

CliRun runCli(const QStringList &args, const QByteArray &input = QByteArray(),
              const QString &workingDirectory = QString())
{
    CliCall call;
    call.input = input;
    call.workingDirectory = workingDirectory;
    return qf::test::RunCli(QStringList{QStringLiteral("battle")} + args, call);
}

class CliBattle : public ::testing::Test {
protected:
    QString write(const QString &name, const QByteArray &content)
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
        return path;
    }
    CliRun runJson(const QByteArray &json, const QStringList &extra = {})
    {
        return runCli(QStringList{write(QStringLiteral("fleets.json"), json)} + extra);
    }
    void expectBadInput(const CliRun &r)
    {
        EXPECT_EQ(r.status, 2);
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_FALSE(r.err.trimmed().isEmpty());
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.constData();
    }
    QTemporaryDir dir;
};

const QByteArray kWorkedExample = qf::test::FirstWorkedExample().json();
const QStringList kWorkedExampleReport = qf::test::FirstWorkedExample().report;

} // namespace

TEST_F(CliBattle, PrintsTheReportLineByLine)
{
    const CliRun r = runJson(kWorkedExample);
    EXPECT_EQ(r.status, 0) << r.err.constData();
    EXPECT_EQ(r.lines(), kWorkedExampleReport);
    EXPECT_FALSE(r.out.contains('\r'));
    EXPECT_TRUE(r.err.isEmpty());
}

// The fleets file the window saves ("Flotten speichern...") is fought as the
// window fights its fleets.
TEST_F(CliBattle, FightsTheFleetsTheWindowSaves)
{
    Fleet home;
    home.AddShips(12, 40, 8, 300, QStringLiteral("Jäger"), 1000, 625, 3);
    home.AddShips(3, 0, 0, 109, QStringLiteral("Frachter"), 333, 291, 138);
    Fleet foreign;
    foreign.AddShips(20, 25, 12, 250, QStringLiteral("Zerstörer Mk. II mit langem Namen"), 900, 800, 700);
    QStringList window;
    SimulateBattle(home, foreign, window);
    const CliRun r = runJson(FormatFleetsJson(home, foreign));
    EXPECT_EQ(r.status, 0) << r.err.constData();
    EXPECT_EQ(r.lines(), window);
}

TEST_F(CliBattle, ReadsStandardInput)
{
    const CliRun r = runCli({QStringLiteral("-")}, kWorkedExample);
    EXPECT_EQ(r.status, 0) << r.err.constData();
    EXPECT_EQ(r.lines(), kWorkedExampleReport);
}

TEST_F(CliBattle, JsonHoldsTheResultAndTheReportLines)
{
    const CliRun r = runJson(kWorkedExample, {QStringLiteral("--json")});
    EXPECT_EQ(r.status, 0) << r.err.constData();
    const QJsonDocument doc = QJsonDocument::fromJson(r.out);
    ASSERT_TRUE(doc.isObject());
    QStringList lines;
    for (const QJsonValue &v : doc.object().value(QStringLiteral("report")).toArray())
        lines << v.toString();
    EXPECT_EQ(lines, kWorkedExampleReport);
    EXPECT_TRUE(doc.object().value("foreign")["wipedOut"].isBool());
}

TEST_F(CliBattle, EntriesAreAddedAsHinzufuegenAddsThem)
{
    // The same name in other letters adds to the entry with its old values; an
    // eleventh type is ignored; a count that is not a whole number adds one ship,
    // 0 adds none.
    QJsonArray home;
    home.append(QJsonObject{{"count", 3}, {"name", "Jäger"}, {"as", 30}, {"armor", 2}, {"stability", 60}, {"fe", 333}, {"si", 291}, {"c", 138}});
    home.append(QJsonObject{{"count", 2}, {"name", "JÄGER"}, {"as", 900}, {"armor", 90}, {"stability", 900}, {"fe", 1}, {"si", 1}, {"c", 1}});
    home.append(QJsonObject{{"count", "viele"}, {"name", "Kreuzer"}, {"as", 50}, {"armor", 5}, {"stability", 200}, {"fe", 10}, {"si", 0}, {"c", 0}});
    home.append(QJsonObject{{"count", 0}, {"name", "Nichts"}, {"as", 50}, {"armor", 5}, {"stability", 200}, {"fe", 10}, {"si", 0}, {"c", 0}});
    QJsonArray foreign;
    for (int i = 0; i < 11; ++i)
        foreign.append(QJsonObject{{"count", i + 1}, {"name", QStringLiteral("Typ %1").arg(i)}, {"as", 5 + i}, {"armor", i % 3}, {"stability", 20 + 3 * i}, {"fe", 50}, {"si", 10 * i}, {"c", 7}});
    const QByteArray json = QJsonDocument(QJsonObject{{"home", home}, {"foreign", foreign}}).toJson();

    Fleet h;
    h.AddShips(3, 30, 2, 60, QStringLiteral("Jäger"), 333, 291, 138);
    h.AddShips(2, 900, 90, 900, QStringLiteral("JÄGER"), 1, 1, 1);
    h.AddShips(1, 50, 5, 200, QStringLiteral("Kreuzer"), 10, 0, 0);
    Fleet f;
    for (int i = 0; i < 10; ++i)
        f.AddShips(i + 1, 5 + i, i % 3, 20 + 3 * i, QStringLiteral("Typ %1").arg(i), 50, 10 * i, 7);
    ASSERT_EQ(h.Classes[0].Count, 5);
    ASSERT_EQ(h.LastIndex, 1);
    QStringList expected;
    SimulateBattle(h, f, expected);

    const CliRun r = runJson(json);
    EXPECT_EQ(r.status, 0) << r.err.constData();
    EXPECT_EQ(r.lines(), expected);
    EXPECT_FALSE(r.lines().join(u'\n').contains(QStringLiteral("Typ 10")));
}

TEST_F(CliBattle, DesignEntriesReadTheDesignFile)
{
    const QByteArray shp = ";Version 30\r\n\r\n[Bauelemente]\r\nLager 1\r\nPanzer 4\r\nVerbrenner 0\r\n"
                           "Fusionsantrieb 1\r\nZVA 0\r\nRaketenbatterie 2\r\nLaserkanonen 3\r\n"
                           "Plasmawerfer 0\r\n\r\n[Spezialeinheiten]\r\n\r\n";
    write(QStringLiteral("Falke.shp"), shp);
    QDir(dir.path()).mkdir(QStringLiteral("sub"));
    const QString json = QStringLiteral(R"({"home": [{"count": 4, "design": "%1"}],
        "foreign": [{"count": 7, "name": "Ziel", "as": 3, "armor": 1, "stability": 40, "fe": 9, "si": 9, "c": 9}]})")
                             .arg(dir.filePath(QStringLiteral("Falke.shp")));

    const ShipDesign design = ReadDesignFile(shp, QStringLiteral("Falke"));
    ASSERT_GT(design.GetAS(), 0);
    Fleet h;
    h.AddShips(4, design.GetAS(), design.GetArmor(), design.GetStability(), design.GetName(),
               design.GetFE(), design.GetSI(), design.GetC());
    Fleet f;
    f.AddShips(7, 3, 1, 40, QStringLiteral("Ziel"), 9, 9, 9);
    QStringList expected;
    SimulateBattle(h, f, expected);

    const CliRun r = runJson(json.toUtf8());
    EXPECT_EQ(r.status, 0) << r.err.constData();
    EXPECT_EQ(r.lines(), expected);

    // A relative path is found from the working directory, or beside the JSON file.
    const QString relative = QStringLiteral(R"({"home": [{"count": 4, "design": "Falke.shp"}],
        "foreign": [{"count": 7, "name": "Ziel", "as": 3, "armor": 1, "stability": 40, "fe": 9, "si": 9, "c": 9}]})");
    const CliRun fromJsonDir = runCli({write(QStringLiteral("relative.json"), relative.toUtf8())}, {},
                                   dir.filePath(QStringLiteral("sub")));
    EXPECT_EQ(fromJsonDir.status, 0) << fromJsonDir.err.constData();
    EXPECT_EQ(fromJsonDir.lines(), expected);
    const CliRun fromWorkingDir = runCli({QStringLiteral("-")}, relative.toUtf8(), dir.path());
    EXPECT_EQ(fromWorkingDir.lines(), expected);

    expectBadInput(runJson(R"({"home": [{"count": 1, "design": "fehlt.shp"}],
        "foreign": [{"count": 1, "name": "Z", "as": 1, "armor": 1, "stability": 1, "fe": 1, "si": 1, "c": 1}]})"));
    write(QStringLiteral("binaer.shp"), QByteArray("Lager 1\0\0", 9));
    expectBadInput(runJson(QStringLiteral(R"({"home": [{"count": 1, "design": "%1"}],
        "foreign": [{"count": 1, "name": "Z", "as": 1, "armor": 1, "stability": 1, "fe": 1, "si": 1, "c": 1}]})")
                               .arg(dir.filePath(QStringLiteral("binaer.shp"))).toUtf8()));
}

TEST_F(CliBattle, BadInputEndsWithStatusTwo)
{
    const QByteArray oneShip = R"({"count": 1, "name": "A", "as": 1, "armor": 0, "stability": 5, "fe": 1, "si": 0, "c": 0})";
    expectBadInput(runJson("{\"home\": [" + oneShip + "], \"foreign\": []}"));            // empty fleet
    expectBadInput(runJson("{\"home\": [" + oneShip + "]}"));                             // no foreign fleet
    expectBadInput(runJson("{\"home\": [" + oneShip + "], \"foreign\": [" + oneShip));    // malformed
    expectBadInput(runJson("[1, 2]"));
    expectBadInput(runJson(R"({"home": [{"count": 1, "name": "A", "armor": 0, "stability": 5, "fe": 1, "si": 0, "c": 0}], "foreign": [)" + oneShip + "]}"));
    expectBadInput(runJson(R"({"home": [{"name": "A", "as": 1, "armor": 0, "stability": 5, "fe": 1, "si": 0, "c": 0}], "foreign": [)" + oneShip + "]}"));
    expectBadInput(runJson(R"({"home": [{"count": 1, "as": 1, "armor": 0, "stability": 5, "fe": 1, "si": 0, "c": 0}], "foreign": [)" + oneShip + "]}"));
    expectBadInput(runJson(R"({"home": [{"count": 1, "name": "A", "as": -1, "armor": 0, "stability": 5, "fe": 1, "si": 0, "c": 0}], "foreign": [)" + oneShip + "]}"));
    expectBadInput(runJson(R"({"home": [{"count": 1, "name": "A", "as": 1.5, "armor": 0, "stability": 5, "fe": 1, "si": 0, "c": 0}], "foreign": [)" + oneShip + "]}"));
    expectBadInput(runJson(R"({"home": [{"count": 0, "name": "A", "as": 1, "armor": 0, "stability": 5, "fe": 1, "si": 0, "c": 0}], "foreign": [)" + oneShip + "]}"));
    expectBadInput(runCli({dir.filePath(QStringLiteral("gibt-es-nicht.json"))}));
    expectBadInput(runCli({}));
    expectBadInput(runCli({QStringLiteral("a.json"), QStringLiteral("b.json")}));
    expectBadInput(runCli({QStringLiteral("--schnell"), QStringLiteral("-")}, kWorkedExample));
}

TEST_F(CliBattle, HelpDescribesTheInput)
{
    const CliRun r = runCli({QStringLiteral("--help")});
    EXPECT_EQ(r.status, 0);
    const QString help = QString::fromUtf8(r.out);
    for (const char *word : {"home", "foreign", "count", "design", "stability", "--json", "\"-\"",
                             "--max-rounds", "Exit-Status 3"})
        EXPECT_TRUE(help.contains(QString::fromUtf8(word))) << word;
}

// Hostile input: special files, inputs past the bound, fleets past 64 bits.
// Every run here has a watchdog: a command that hangs is killed after a few
// seconds and the test fails, instead of hanging the suite or eating memory.
namespace {

// A run with a watchdog: a command that hangs is killed after ten seconds.
CliRun runBattleGuarded(const QStringList &args, const QString &standardInput = QString())
{
    CliCall call;
    call.inputFile = standardInput;
    call.timeoutMs = 10000;
    return qf::test::RunCli(QStringList{QStringLiteral("battle")} + args, call);
}

// Exit status 2 with exactly this one line on standard error (after the tool's
// name), nothing on standard output.
void expectRefused(const CliRun &r, const QString &message)
{
    EXPECT_NE(r.status, -1) << "the command hung and was killed";
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_EQ(r.err.toStdString(), ("schiffsdesigner-cli: " + message + u'\n').toStdString());
}

QString makeFifo(const QTemporaryDir &dir, const QString &name)
{
    const QString path = dir.filePath(name);
    EXPECT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    return path;
}

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &content)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    EXPECT_EQ(f.write(content), content.size());
    return path;
}

// The worked example padded with blanks to `size` bytes.
QByteArray paddedExample(qint64 size) { return kWorkedExample + QByteArray(size - kWorkedExample.size(), ' '); }

constexpr qint64 kMiB = 1024 * 1024;

} // namespace

TEST(CliBattleHostile, SpecialFilesAreRefusedAtOnce)
{
    QTemporaryDir dir;
    const QString fifo = makeFifo(dir, QStringLiteral("flotten.json"));
    for (const QString &path : {fifo, QStringLiteral("/dev/zero"), dir.path()})
        expectRefused(runBattleGuarded({path}), QStringLiteral("battle: keine normale Datei: ") + path);
}

TEST(CliBattleHostile, DesignEntriesNamingSpecialFilesAreRefusedAtOnce)
{
    QTemporaryDir dir;
    const QString fifo = makeFifo(dir, QStringLiteral("Falke.shp"));
    for (const QString &design : {fifo, QStringLiteral("/dev/zero")}) {
        const QString json = QStringLiteral(R"({"home": [{"count": 1, "design": "%1"}],
            "foreign": [{"count": 1, "name": "Z", "as": 1, "armor": 1, "stability": 1, "fe": 1, "si": 1, "c": 1}]})")
                                 .arg(design);
        const QString path = writeFile(dir, QStringLiteral("flotten.json"), json.toUtf8());
        expectRefused(runBattleGuarded({path}), QStringLiteral("battle: home[0]: keine normale Datei: ") + design);
        // The same from standard input.
        expectRefused(runBattleGuarded({QStringLiteral("-")}, path),
                      QStringLiteral("battle: home[0]: keine normale Datei: ") + design);
    }
}

TEST(CliBattleHostile, AFleetsFileIsReadUpToOneMebibyte)
{
    QTemporaryDir dir;
    const QString exact = writeFile(dir, QStringLiteral("genau.json"), paddedExample(kMiB));
    const CliRun ok = runBattleGuarded({exact});
    EXPECT_EQ(ok.status, 0) << ok.err.constData();
    EXPECT_EQ(QString::fromUtf8(ok.out).split(u'\n', Qt::SkipEmptyParts), kWorkedExampleReport);
    const CliRun fromStdin = runBattleGuarded({QStringLiteral("-")}, exact);
    EXPECT_EQ(fromStdin.status, 0) << fromStdin.err.constData();
    EXPECT_EQ(fromStdin.out, ok.out);

    const QString past = writeFile(dir, QStringLiteral("zu-gross.json"), paddedExample(kMiB + 1));
    expectRefused(runBattleGuarded({past}),
                  QStringLiteral("battle: Datei zu groß (mehr als 1 MiB): ") + past);
    expectRefused(runBattleGuarded({QStringLiteral("-")}, past),
                  QStringLiteral("battle: Standardeingabe zu groß (mehr als 1 MiB)"));
    // An endless standard input ends at the bound.
    expectRefused(runBattleGuarded({QStringLiteral("-")}, QStringLiteral("/dev/zero")),
                  QStringLiteral("battle: Standardeingabe zu groß (mehr als 1 MiB)"));
}

TEST(CliBattleHostile, FleetsWhoseTotalsLeave64BitsAreRefused)
{
    // Ten types of 2,147,483,647 ships with values and costs near 2,147,483,647:
    // the third type would take the totals past 64 bits.
    QJsonArray home;
    for (int i = 0; i < 10; ++i) {
        const int v = 2147483647 - i;
        home.append(QJsonObject{{"count", 2147483647}, {"name", QStringLiteral("Typ %1").arg(i)}, {"as", v},
                                {"armor", v}, {"stability", v}, {"fe", v}, {"si", v}, {"c", v}});
    }
    const QJsonArray foreign{QJsonObject{{"count", 1}, {"name", "Z"}, {"as", 1}, {"armor", 1}, {"stability", 1},
                                         {"fe", 1}, {"si", 1}, {"c", 1}}};
    QTemporaryDir dir;
    const QString path = writeFile(dir, QStringLiteral("riesig.json"),
                                   QJsonDocument(QJsonObject{{"home", home}, {"foreign", foreign}}).toJson());
    // Already the first type's cost (about 5.27 · 2^31 Solar a ship) passes 64 bits.
    expectRefused(runBattleGuarded({path}),
                  QStringLiteral("battle: home[0]: die Summen der Flotte passen nicht mehr in 64 Bit"));
}

TEST(CliBattleHostile, AnEntryPastTheLargestCountIsRefusedByBothCommands)
{
    // "kreuzer" adds to the entry "Kreuzer", which would then hold 2,147,483,652 ships.
    QTemporaryDir dir;
    const QString path = writeFile(dir, QStringLiteral("kreuzer.json"), test::FleetsJson(
        {{2147483647, 1, 0, 1, 0, QStringLiteral("Kreuzer")}, {5, 1, 0, 1, 0, QStringLiteral("kreuzer")}},
        {{1, 1, 0, 1}}));
    const QString why = QStringLiteral(": home[1]: „Kreuzer“ hätte mehr als 2147483647 Schiffe");
    expectRefused(runBattleGuarded({path}), QStringLiteral("battle") + why);
    expectRefused(qf::test::RunCli({QStringLiteral("mincount"), path, QStringLiteral("--entry"), QStringLiteral("0")}),
                  QStringLiteral("mincount") + why);
}

TEST_F(CliBattle, TheSwarmHeldAtTheFixedTimeEndsWithItsTrueOutcome)
{
    const test::BattleExample &swarm = test::FixedTimeSwarm();
    const CliRun r = runJson(swarm.json());
    EXPECT_EQ(r.status, 0) << r.err.constData();
    EXPECT_EQ(r.lines(), swarm.report);
    EXPECT_TRUE(r.err.isEmpty());
}

TEST_F(CliBattle, MaxRoundsStopsABattleThatHasNotEnded)
{
    // Stopped: status 3, one line on standard error, nothing on standard output.
    const QByteArray swarm = test::FixedTimeSwarm().json();
    for (const QStringList &extra : {QStringList{QStringLiteral("--max-rounds"), QStringLiteral("1000")},
                                     QStringList{QStringLiteral("--json"), QStringLiteral("--max-rounds"),
                                                 QStringLiteral("1000")}}) {
        const CliRun r = runJson(swarm, extra);
        EXPECT_EQ(r.status, 3);
        EXPECT_TRUE(r.out.isEmpty()) << r.out.constData();
        EXPECT_EQ(r.errText(), QStringLiteral("schiffsdesigner-cli: battle: Kampf nicht beendet: nach 1000 "
                                              "Runden ist noch keine Flotte zerstört.\n"));
    }
    // Fleets that lose armed ships every round, played one by one for 300,000
    // rounds: no progress lines when standard error is not a terminal.
    const CliRun grind = runJson(test::FleetsJson({{2147483647, 1, 0, 2147483647, 10}},
                                                  {{2147483647, 1, 0, 2147483647, 20}}),
                                 {QStringLiteral("--max-rounds"), QStringLiteral("300000")});
    EXPECT_EQ(grind.status, 3);
    EXPECT_TRUE(grind.out.isEmpty());
    EXPECT_EQ(grind.err.count('\n'), 1) << grind.err.constData();
    EXPECT_FALSE(grind.err.contains('\r'));
}

TEST_F(CliBattle, MaxRoundsLetsABattleEndWithinThem)
{
    // The carry example ends in round 4: a limit of 4 gives the report, 3 stops it.
    const test::BattleExample &example = test::CarryWorkedExample();
    const CliRun four = runJson(example.json(), {QStringLiteral("--max-rounds"), QStringLiteral("4")});
    EXPECT_EQ(four.status, 0) << four.err.constData();
    EXPECT_EQ(four.lines(), example.report);
    const CliRun three = runJson(example.json(), {QStringLiteral("--max-rounds"), QStringLiteral("3")});
    EXPECT_EQ(three.status, 3);
    EXPECT_TRUE(three.out.isEmpty());
    // A battle broken off for lack of progress has its report.
    const QByteArray standstill = test::FleetsJson({{3, 0, 0, 100, 10}}, {{2, 0, 5, 80, 10}});
    const CliRun stuck = runJson(standstill, {QStringLiteral("--max-rounds"), QStringLiteral("1")});
    EXPECT_EQ(stuck.status, 0);
    EXPECT_EQ(stuck.lines().value(1), QStringLiteral("Kampf abgebrochen: keine Flotte kann die andere zerstören."));
}

TEST_F(CliBattle, MaxRoundsNeedsAWholeNumberFromOne)
{
    for (const char *bad : {"0", "-5", "abc", "1.5", "", " 7", "+3", "99999999999999999999"})
        expectBadInput(runJson(kWorkedExample, {QStringLiteral("--max-rounds"), QString::fromUtf8(bad)}));
    expectBadInput(runJson(kWorkedExample, {QStringLiteral("--max-rounds")}));
}

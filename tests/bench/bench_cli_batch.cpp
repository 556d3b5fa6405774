// Speed of `schiffsdesigner-cli batch` as a bot drives it: one process, many
// requests piped through, one answer a line. Counts requests per second (the
// goal for designs: 20,000 and more) and, for battles of game-like size and for
// a long one, the same battles fought in this process by the engine alone for
// comparison.
#include "battle/BattleSimulation.h"
#include "support/BattleExamples.h"
#include "support/MinCountFleets.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <benchmark/benchmark.h>
#include <random>
#include <sys/resource.h>
#include <vector>

namespace {

double childSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
           + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Runs batch on the request lines; the answers must be as many. Besides the
// requests per second of real time, the requests per second of the tool's own
// processor time: on a machine shared with builds the steadier figure.
void pipe(benchmark::State &state, const QByteArray &input, int requests)
{
    const double before = childSeconds();
    for (auto _ : state) {
        QProcess cli;
        cli.start(QStringLiteral(QF_CLI), {QStringLiteral("batch")});
        cli.write(input);
        cli.closeWriteChannel();
        cli.waitForFinished(-1);
        if (cli.readAllStandardOutput().count('\n') != requests)
            state.SkipWithError("batch gab nicht eine Antwort je Anfrage");
    }
    state.SetItemsProcessed(state.iterations() * requests);
    state.counters["per_cli_cpu_s"] = double(state.iterations() * requests) / (childSeconds() - before);
}

// Designs as a bot asks for them: changing levels, actions and distances.
QByteArray designRequests(int n)
{
    QByteArray lines;
    for (int i = 0; i < n; ++i) {
        const QJsonObject set{{"Lager", 1 + i % 40}, {"Laserkanonen", i % 23}, {"Panzer", i % 7},
                              {"Verbrenner", i % 5}, {"Bemannt", i % 2}};
        const QJsonObject request{{"command", "design"}, {"set", set}, {"distance", i % 8001}};
        lines += QJsonDocument(request).toJson(QJsonDocument::Compact) + '\n';
    }
    return lines;
}

QJsonArray entries(const qf::Fleet &fleet)
{
    QJsonArray list;
    for (int i = 0; i <= fleet.LastIndex; ++i) {
        const qf::Fleet::ShipClass &c = fleet.Classes[size_t(i)];
        list.append(QJsonObject{{"count", c.Count}, {"name", c.Name}, {"as", c.AS}, {"armor", c.Armor},
                                {"stability", c.Stability}, {"fe", c.FE}, {"si", c.SI}, {"c", c.C}});
    }
    return list;
}

// Game-like fleets of up to four types of up to 30,000 ships each.
std::vector<std::pair<qf::Fleet, qf::Fleet>> gameBattles(int n)
{
    std::mt19937 rng(2026);
    std::vector<std::pair<qf::Fleet, qf::Fleet>> battles;
    while (int(battles.size()) < n) {
        qf::Fleet home = qf::test::GameLikeFleet(rng, 30000);
        qf::Fleet foreign = qf::test::GameLikeFleet(rng, 30000);
        if (home.TotalAS > 0 || foreign.TotalAS > 0)
            battles.emplace_back(home, foreign);
    }
    return battles;
}

constexpr int kDesigns = 20000;
constexpr int kBattles = 500;

} // namespace

void BM_BatchDesigns(benchmark::State &state)
{
    pipe(state, designRequests(kDesigns), kDesigns);
}
BENCHMARK(BM_BatchDesigns)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BatchGameBattles(benchmark::State &state)
{
    QByteArray lines;
    for (const auto &[home, foreign] : gameBattles(kBattles)) {
        const QJsonObject fleets{{"home", entries(home)}, {"foreign", entries(foreign)}};
        lines += QJsonDocument(QJsonObject{{"command", "battle"}, {"fleets", fleets}}).toJson(QJsonDocument::Compact)
                 + '\n';
    }
    pipe(state, lines, kBattles);
}
BENCHMARK(BM_BatchGameBattles)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same battles in this process, engine only: the yardstick of the one above.
void BM_EngineGameBattles(benchmark::State &state)
{
    const auto battles = gameBattles(kBattles);
    for (auto _ : state) {
        for (const auto &[home, foreign] : battles)
            benchmark::DoNotOptimize(qf::FightBattle(home, foreign));
    }
    state.SetItemsProcessed(state.iterations() * kBattles);
}
BENCHMARK(BM_EngineGameBattles)->Unit(benchmark::kMillisecond)->UseRealTime();

// One long battle (two fleets of 30,000,000 ships, 80 million rounds, the first
// tens of millions one by one) through batch and in this process: the tool adds
// its start and the JSON, nothing per round.
void BM_BatchLongBattle(benchmark::State &state)
{
    const QJsonObject fleets = QJsonDocument::fromJson(qf::test::EvenAttrition().json()).object();
    pipe(state, QJsonDocument(QJsonObject{{"command", "battle"}, {"fleets", fleets}}).toJson(QJsonDocument::Compact) + '\n',
         1);
}
BENCHMARK(BM_BatchLongBattle)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_EngineLongBattle(benchmark::State &state)
{
    const qf::test::BattleExample &e = qf::test::EvenAttrition();
    for (auto _ : state)
        benchmark::DoNotOptimize(qf::FightBattle(e.homeFleet(), e.foreignFleet()));
}
BENCHMARK(BM_EngineLongBattle)->Unit(benchmark::kMillisecond)->UseRealTime();

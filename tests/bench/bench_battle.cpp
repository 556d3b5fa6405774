// Speed of the battle simulator: a battle must not freeze the window. Two fleets
// of ten types with a million ships per type must finish well under a second.
#include "battle/BattleSimulation.h"
#include "battle/Fleet.h"

#include <benchmark/benchmark.h>

namespace {

qf::Fleet bigFleet(int ships, int seed)
{
    qf::Fleet fleet;
    for (int i = 0; i < qf::Fleet::Capacity; ++i) {
        const int k = (i * 7 + seed * 3) % 11 + 1;
        fleet.AddShips(ships, 40 * k + 13 * seed, 5 * ((k + seed) % 4), 120 * k + 37 * i,
                       QStringLiteral("Typ %1-%2").arg(seed).arg(i), 300 * k, 200 * k, 100 * k);
    }
    return fleet;
}

void BM_TenTypesAMillionShipsEach(benchmark::State &state)
{
    const int ships = static_cast<int>(state.range(0));
    const qf::Fleet home = bigFleet(ships, 1);
    const qf::Fleet foreign = bigFleet(ships, 2);
    int64_t rounds = 0;
    for (auto _ : state) {
        QStringList lines;
        qf::SimulateBattle(home, foreign, lines);
        benchmark::DoNotOptimize(lines);
        rounds = qf::FightBattle(home, foreign).rounds;
    }
    state.counters["rounds"] = static_cast<double>(rounds);
}
BENCHMARK(BM_TenTypesAMillionShipsEach)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// Evenly matched fleets: both sides lose ships round after round.
void BM_EvenlyMatched(benchmark::State &state)
{
    const int ships = static_cast<int>(state.range(0));
    const qf::Fleet home = bigFleet(ships, 1);
    const qf::Fleet foreign = bigFleet(ships, 1);
    for (auto _ : state) {
        QStringList lines;
        qf::SimulateBattle(home, foreign, lines);
        benchmark::DoNotOptimize(lines);
    }
}
BENCHMARK(BM_EvenlyMatched)->Arg(1000000)->Unit(benchmark::kMillisecond);

// A small attacker against many unarmed freighters: a few ships fall per round.
void BM_SmallAttackerManyFreighters(benchmark::State &state)
{
    qf::Fleet home;
    home.AddShips(20, 400, 10, 500, QStringLiteral("Jäger"), 300, 200, 100);
    qf::Fleet foreign;
    for (int i = 0; i < qf::Fleet::Capacity; ++i)
        foreign.AddShips(static_cast<int>(state.range(0)), 0, 0, 900 + 50 * i,
                         QStringLiteral("Frachter %1").arg(i), 300, 200, 100);
    for (auto _ : state) {
        QStringList lines;
        qf::SimulateBattle(home, foreign, lines);
        benchmark::DoNotOptimize(lines);
    }
}
BENCHMARK(BM_SmallAttackerManyFreighters)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

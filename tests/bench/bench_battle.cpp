// Speed of the battle simulator: a battle must not freeze the window. Two fleets
// of ten types with a million ships per type must finish well under a second,
// and so must every grinding battle, whatever the number of ships.
#include "battle/BattleSimulation.h"
#include "battle/Fleet.h"

#include <benchmark/benchmark.h>
#include <limits>

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
BENCHMARK(BM_SmallAttackerManyFreighters)->Arg(1000)->Arg(100000)->Arg(std::numeric_limits<int>::max())->Unit(benchmark::kMillisecond);

// One ship with attack 10 grinding down freighters of stability 100: one every
// four rounds, up to 2,147,483,647 freighters (8.6 billion rounds).
void BM_GrindingHunter(benchmark::State &state)
{
    qf::Fleet hunter;
    hunter.AddShips(1, 10, 0, 100, QStringLiteral("Jäger"), 300, 200, 100);
    qf::Fleet freighters;
    freighters.AddShips(static_cast<int>(state.range(0)), 0, 0, 100, QStringLiteral("Frachter"), 300, 200, 100);
    int64_t rounds = 0;
    for (auto _ : state) {
        QStringList lines;
        qf::SimulateBattle(hunter, freighters, lines);
        benchmark::DoNotOptimize(lines);
        rounds = qf::FightBattle(hunter, freighters).rounds;
    }
    state.counters["rounds"] = static_cast<double>(rounds);
}
BENCHMARK(BM_GrindingHunter)->Arg(100000)->Arg(10000000)->Arg(std::numeric_limits<int>::max())->Unit(benchmark::kMillisecond);

// Tiny damage against ships of the largest stability: hundreds of millions of
// quiet rounds per ship, quintillions of rounds in all.
void BM_NeedleAgainstWalls(benchmark::State &state)
{
    const int max = std::numeric_limits<int>::max();
    qf::Fleet needle;
    needle.AddShips(1, 2, 0, 100, QStringLiteral("Nadel"), 300, 200, 100);
    qf::Fleet walls;
    for (int i = 0; i < qf::Fleet::Capacity; ++i)
        walls.AddShips(max, 0, 0, max - i, QStringLiteral("Wand %1").arg(i), 300, 200, 100);
    int64_t rounds = 0;
    for (auto _ : state) {
        QStringList lines;
        qf::SimulateBattle(needle, walls, lines);
        benchmark::DoNotOptimize(lines);
        rounds = qf::FightBattle(needle, walls).rounds;
    }
    state.counters["rounds"] = static_cast<double>(rounds);
}
BENCHMARK(BM_NeedleAgainstWalls)->Unit(benchmark::kMillisecond);

// The worst case: both fleets lose armed ships every round and every loss
// changes the damages, so nothing repeats; the battle runs into the limit.
void BM_BrokenOffAtTheLimit(benchmark::State &state)
{
    const int max = std::numeric_limits<int>::max();
    qf::Fleet home;
    qf::Fleet foreign;
    for (int i = 0; i < static_cast<int>(state.range(0)); ++i) {
        home.AddShips(max / 10, 1, 0, 1000000 + i, QStringLiteral("H%1").arg(i), 1, 1, 1);
        foreign.AddShips(max / 10, 1, 0, 1000003 + i, QStringLiteral("F%1").arg(i), 1, 1, 1);
    }
    bool capped = false;
    for (auto _ : state) {
        QStringList lines;
        qf::SimulateBattle(home, foreign, lines);
        benchmark::DoNotOptimize(lines);
        capped = lines.value(1).startsWith(QStringLiteral("Kampf abgebrochen: nach "));
    }
    state.counters["capped"] = capped ? 1 : 0;
}
BENCHMARK(BM_BrokenOffAtTheLimit)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

} // namespace

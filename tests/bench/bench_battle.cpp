// Speed of the battle simulator, in rounds per second. Every battle runs to its
// end; stretches of equal rounds and repeating patterns are taken at once, and
// the rounds that must be played one by one run as fast as a plain loop. The
// "Plain" benchmarks fight the same battles with the rules as they read, one
// round and one ship at a time, for comparison.
#include "battle/BattleCourse.h"
#include "battle/BattleSimulation.h"
#include "battle/Fleet.h"
#include "support/BattleExamples.h"
#include "support/ReferenceBattle.h"

#include <benchmark/benchmark.h>
#include <limits>
#include <vector>

namespace {

constexpr int kMax = std::numeric_limits<int>::max();
constexpr int64_t kNoLimit = int64_t(1) << 62;

void countRounds(benchmark::State &state, int64_t rounds)
{
    state.counters["rounds"] = static_cast<double>(rounds);
    state.counters["rounds/s"] =
        benchmark::Counter(static_cast<double>(rounds), benchmark::Counter::kIsIterationInvariantRate);
}

// With `course`, the battle's course is followed as the window's chart follows it.
void fight(benchmark::State &state, bool course, const qf::Fleet &home, const qf::Fleet &foreign,
           int64_t maxRounds = 0)
{
    qf::BattleControl control;
    control.maxRounds = maxRounds;
    int64_t rounds = 0;
    size_t points = 0;
    for (auto _ : state) {
        qf::BattleCourse sink;
        control.course = course ? &sink : nullptr;
        const qf::BattleOutcome outcome = qf::FightBattle(home, foreign, control);
        benchmark::DoNotOptimize(outcome);
        rounds = outcome.rounds;
        points = sink.points().size();
    }
    countRounds(state, rounds);
    if (course)
        state.counters["points"] = static_cast<double>(points);
}

void fightPlain(benchmark::State &state, const qf::Fleet &home, const qf::Fleet &foreign,
                int64_t maxRounds = kNoLimit)
{
    int64_t rounds = 0;
    for (auto _ : state) {
        const qf::test::RefOutcome outcome = qf::test::RefBattle(home, foreign, maxRounds);
        benchmark::DoNotOptimize(outcome);
        rounds = outcome.rounds;
    }
    countRounds(state, rounds);
}

// Ten types of armed ships on each side, a million each, grinding each other
// down over 7 million rounds.
std::vector<qf::test::TestShips> tenTypes(int stabilityStep, int armourShift)
{
    std::vector<qf::test::TestShips> types;
    for (int i = 0; i < qf::Fleet::Capacity; ++i)
        types.push_back({1000000, 1, (i + armourShift) % 3 == 0, 5000000 + stabilityStep * i, 10});
    return types;
}

// Both sides lose armed ships every round, so every round differs: all are
// played one by one. The battle is stopped after 10 million rounds.
std::vector<qf::test::TestShips> grinders(int types, int stability)
{
    std::vector<qf::test::TestShips> fleet;
    for (int i = 0; i < types; ++i)
        fleet.push_back({kMax / types, 1, 0, stability + i, 10});
    return fleet;
}

constexpr int64_t kSingleRounds = 10000000;

} // namespace

// 5200 armoured ships and a hunter against 19,000,000 ships held at the round
// time 2.0: 19 million rounds, one stretch.
void BM_FixedTimeSwarm(benchmark::State &state, bool course)
{
    const qf::test::BattleExample &e = qf::test::FixedTimeSwarm();
    fight(state, course, e.homeFleet(), e.foreignFleet());
}
BENCHMARK_CAPTURE(BM_FixedTimeSwarm, Alone, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FixedTimeSwarm, Course, true)->Unit(benchmark::kMillisecond);

void BM_FixedTimeSwarmPlain(benchmark::State &state)
{
    const qf::test::BattleExample &e = qf::test::FixedTimeSwarm();
    fightPlain(state, e.homeFleet(), e.foreignFleet());
}
BENCHMARK(BM_FixedTimeSwarmPlain)->Unit(benchmark::kMillisecond);

// Two equal fleets of 30,000,000 ships: 80 million rounds, the first tens of
// millions one by one.
void BM_EvenAttrition(benchmark::State &state, bool course)
{
    const qf::test::BattleExample &e = qf::test::EvenAttrition();
    fight(state, course, e.homeFleet(), e.foreignFleet());
}
BENCHMARK_CAPTURE(BM_EvenAttrition, Alone, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_EvenAttrition, Course, true)->Unit(benchmark::kMillisecond);

void BM_EvenAttritionPlain(benchmark::State &state)
{
    const qf::test::BattleExample &e = qf::test::EvenAttrition();
    fightPlain(state, e.homeFleet(), e.foreignFleet());
}
BENCHMARK(BM_EvenAttritionPlain)->Unit(benchmark::kMillisecond);

// Ten types against ten, a million ships each, to the end.
void BM_TenTypeAttrition(benchmark::State &state, bool course)
{
    fight(state, course, qf::test::MakeFleet(tenTypes(1000, 0)), qf::test::MakeFleet(tenTypes(1700, 1)));
}
BENCHMARK_CAPTURE(BM_TenTypeAttrition, Alone, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TenTypeAttrition, Course, true)->Unit(benchmark::kMillisecond);

void BM_TenTypeAttritionPlain(benchmark::State &state)
{
    fightPlain(state, qf::test::MakeFleet(tenTypes(1000, 0)), qf::test::MakeFleet(tenTypes(1700, 1)));
}
BENCHMARK(BM_TenTypeAttritionPlain)->Unit(benchmark::kMillisecond);

// Rounds that must be played one by one: 10 million of them, with one type
// (argument 1) or ten types (argument 10) per side.
void BM_SingleRounds(benchmark::State &state, bool course)
{
    const int types = static_cast<int>(state.range(0));
    fight(state, course, qf::test::MakeFleet(grinders(types, kMax - 20)), qf::test::MakeFleet(grinders(types, kMax - 10)),
          kSingleRounds);
}
BENCHMARK_CAPTURE(BM_SingleRounds, Alone, false)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SingleRounds, Course, true)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

void BM_SingleRoundsPlain(benchmark::State &state)
{
    const int types = static_cast<int>(state.range(0));
    fightPlain(state, qf::test::MakeFleet(grinders(types, kMax - 20)),
               qf::test::MakeFleet(grinders(types, kMax - 10)), kSingleRounds);
}
BENCHMARK(BM_SingleRoundsPlain)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

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

} // namespace

// Two fleets of ten types with up to a million ships per type, report included.
void BM_TenTypesAMillionShipsEach(benchmark::State &state)
{
    const int ships = static_cast<int>(state.range(0));
    const qf::Fleet home = bigFleet(ships, 1);
    const qf::Fleet foreign = bigFleet(ships, 2);
    for (auto _ : state) {
        QStringList lines;
        qf::SimulateBattle(home, foreign, lines);
        benchmark::DoNotOptimize(lines);
    }
    countRounds(state, qf::FightBattle(home, foreign).rounds);
}
BENCHMARK(BM_TenTypesAMillionShipsEach)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// Evenly matched fleets: both sides lose ships round after round.
void BM_EvenlyMatched(benchmark::State &state, bool course)
{
    const int ships = static_cast<int>(state.range(0));
    fight(state, course, bigFleet(ships, 1), bigFleet(ships, 1));
}
BENCHMARK_CAPTURE(BM_EvenlyMatched, Alone, false)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_EvenlyMatched, Course, true)->Arg(1000000)->Unit(benchmark::kMillisecond);

// A small attacker against many unarmed freighters: a few ships fall per round.
void BM_SmallAttackerManyFreighters(benchmark::State &state, bool course)
{
    qf::Fleet home;
    home.AddShips(20, 400, 10, 500, QStringLiteral("Jäger"), 300, 200, 100);
    qf::Fleet foreign;
    for (int i = 0; i < qf::Fleet::Capacity; ++i)
        foreign.AddShips(static_cast<int>(state.range(0)), 0, 0, 900 + 50 * i,
                         QStringLiteral("Frachter %1").arg(i), 300, 200, 100);
    fight(state, course, home, foreign);
}
BENCHMARK_CAPTURE(BM_SmallAttackerManyFreighters, Alone, false)->Arg(1000)->Arg(100000)->Arg(kMax)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SmallAttackerManyFreighters, Course, true)->Arg(1000)->Arg(100000)->Arg(kMax)->Unit(benchmark::kMillisecond);

// One ship with attack 10 grinding down freighters of stability 100: one every
// four rounds, up to 2,147,483,647 freighters (8.6 billion rounds).
void BM_GrindingHunter(benchmark::State &state, bool course)
{
    qf::Fleet hunter;
    hunter.AddShips(1, 10, 0, 100, QStringLiteral("Jäger"), 300, 200, 100);
    qf::Fleet freighters;
    freighters.AddShips(static_cast<int>(state.range(0)), 0, 0, 100, QStringLiteral("Frachter"), 300, 200, 100);
    fight(state, course, hunter, freighters);
}
BENCHMARK_CAPTURE(BM_GrindingHunter, Alone, false)->Arg(100000)->Arg(10000000)->Arg(kMax)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GrindingHunter, Course, true)->Arg(100000)->Arg(10000000)->Arg(kMax)->Unit(benchmark::kMillisecond);

// Tiny damage against ships of the largest stability: hundreds of millions of
// quiet rounds per ship, quintillions of rounds in all.
void BM_NeedleAgainstWalls(benchmark::State &state, bool course)
{
    qf::Fleet needle;
    needle.AddShips(1, 2, 0, 100, QStringLiteral("Nadel"), 300, 200, 100);
    qf::Fleet walls;
    for (int i = 0; i < qf::Fleet::Capacity; ++i)
        walls.AddShips(kMax, 0, 0, kMax - i, QStringLiteral("Wand %1").arg(i), 300, 200, 100);
    fight(state, course, needle, walls);
}
BENCHMARK_CAPTURE(BM_NeedleAgainstWalls, Alone, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_NeedleAgainstWalls, Course, true)->Unit(benchmark::kMillisecond);

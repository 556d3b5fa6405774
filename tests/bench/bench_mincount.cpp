// Speed of the search for the smallest count that wins ("Mindestanzahl"), for
// fleets of game-like size: a few types per side, thousands to tens of
// thousands of ships, values as real designs have. A player waits for this in
// the window, so these should stay well under a second each.
#include "battle/Fleet.h"
#include "battle/planning/MinCount.h"
#include "support/BattleExamples.h"
#include "support/MinCountFleets.h"

#include <benchmark/benchmark.h>
#include <random>

namespace {

using qf::test::MakeFleet;

void search(benchmark::State &state, const qf::Fleet &home, const qf::Fleet &foreign, int entry)
{
    qf::MinCountResult result;
    for (auto _ : state) {
        result = qf::FindMinCount(home, foreign, entry);
        benchmark::DoNotOptimize(result);
    }
    state.counters["count"] = static_cast<double>(result.count);
    state.counters["battles"] = static_cast<double>(result.battles);
}

// Cruisers with armour against a mixed fleet of 12,000 ships.
void BM_MinCount_CruisersAgainstAMixedFleet(benchmark::State &state)
{
    const qf::Fleet home = MakeFleet({{500, 320, 120, 1400}, {2000, 90, 20, 400}});
    const qf::Fleet foreign = MakeFleet({{8000, 150, 40, 600}, {3000, 400, 150, 1800}, {1000, 0, 0, 2500}});
    search(state, home, foreign, 0);
}
BENCHMARK(BM_MinCount_CruisersAgainstAMixedFleet)->Unit(benchmark::kMillisecond);

// Light fighters against heavy armour: hundreds of thousands needed.
void BM_MinCount_FightersAgainstHeavyArmour(benchmark::State &state)
{
    const qf::Fleet home = MakeFleet({{100, 25, 0, 120}});
    const qf::Fleet foreign = MakeFleet({{20000, 300, 280, 2000}, {5000, 800, 60, 900}});
    search(state, home, foreign, 0);
}
BENCHMARK(BM_MinCount_FightersAgainstHeavyArmour)->Unit(benchmark::kMillisecond);

// An entry without attack (shields for the others): its count only changes
// how long the home fleet holds.
void BM_MinCount_ShieldsForTheWarships(benchmark::State &state)
{
    const qf::Fleet home = MakeFleet({{3000, 200, 50, 800}, {10, 0, 200, 2000}});
    const qf::Fleet foreign = MakeFleet({{9000, 180, 60, 900}});
    search(state, home, foreign, 1);
}
BENCHMARK(BM_MinCount_ShieldsForTheWarships)->Unit(benchmark::kMillisecond);

// Thirty random game-like pairs (up to four types of up to 30,000 ships each
// side), searched one after another.
void BM_MinCount_ThirtyGameLikePairs(benchmark::State &state)
{
    struct Pair {
        qf::Fleet home;
        qf::Fleet foreign;
        int entry;
    };
    std::vector<Pair> pairs;
    std::mt19937 rng(8122026);
    for (int n = 0; n < 30; ++n) {
        qf::Fleet home = qf::test::GameLikeFleet(rng, 30000);
        qf::Fleet foreign = qf::test::GameLikeFleet(rng, 30000);
        const int entry = std::uniform_int_distribution<int>(0, home.LastIndex)(rng);
        pairs.push_back({std::move(home), std::move(foreign), entry});
    }
    int64_t battles = 0;
    for (auto _ : state) {
        battles = 0;
        for (const Pair &p : pairs) {
            const qf::MinCountResult result = qf::FindMinCount(p.home, p.foreign, p.entry);
            benchmark::DoNotOptimize(result);
            battles += result.battles;
        }
    }
    state.counters["battles"] = static_cast<double>(battles);
}
BENCHMARK(BM_MinCount_ThirtyGameLikePairs)->Unit(benchmark::kMillisecond);

} // namespace

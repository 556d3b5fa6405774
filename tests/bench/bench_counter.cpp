// Speed of "Bester Konter...": twelve designs as players build them, each
// searched for its smallest winning count against a foreign fleet of four
// types of up to 30,000 ships. A player waits for this in the window: all
// twelve together should take well under a second.
#include "battle/planning/BestCounter.h"
#include "support/MinCountFleets.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <random>

namespace {

int pick(std::mt19937 &rng, int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); }

// Warships, armoured carriers, raiders and freighters: weapons, armour and
// storage at the levels of a running game.
std::vector<qf::CounterDesign> twelveDesigns(std::mt19937 &rng)
{
    std::vector<qf::CounterDesign> designs;
    for (int i = 0; i < 12; ++i) {
        qf::ShipDesign d;
        d.SetName(QStringLiteral("Design %1").arg(i));
        d.SetStorageBays(pick(rng, 1, 12));
        d.SetArmorLevel(pick(rng, 0, 25));
        d.SetFusi(pick(rng, 1, 15));
        d.SetLaser(i % 4 == 3 ? 0 : pick(rng, 0, 20));
        d.SetPlasma(pick(rng, 0, 12));
        d.SetMissles(pick(rng, 0, 20));
        designs.push_back(qf::CounterDesign::Of(d));
    }
    return designs;
}

void counter(benchmark::State &state, bool withHomeFleet)
{
    std::mt19937 rng(22 + std::uint32_t(withHomeFleet));
    const std::vector<qf::CounterDesign> designs = twelveDesigns(rng);
    qf::Fleet foreign;
    while (foreign.LastIndex < 3) // four types of up to 30,000 ships
        foreign = qf::test::GameLikeFleet(rng, 30000);
    const qf::Fleet home = withHomeFleet ? qf::test::GameLikeFleet(rng, 30000) : qf::Fleet();
    int found = 0;
    for (auto _ : state) {
        const qf::CounterSearch search = qf::FindBestCounters(home, foreign, designs);
        found = int(std::count_if(search.rows.begin(), search.rows.end(),
                                  [](const qf::CounterRow &r) { return r.end == qf::CounterEnd::Found; }));
        benchmark::DoNotOptimize(search);
    }
    state.counters["found"] = found;
}

void BM_Counter_TwelveDesignsFromNothing(benchmark::State &state) { counter(state, false); }
BENCHMARK(BM_Counter_TwelveDesignsFromNothing)->Unit(benchmark::kMillisecond);

void BM_Counter_TwelveDesignsBesideAHomeFleet(benchmark::State &state) { counter(state, true); }
BENCHMARK(BM_Counter_TwelveDesignsBesideAHomeFleet)->Unit(benchmark::kMillisecond);

} // namespace

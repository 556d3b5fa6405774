#include "battle/BattleRuns.h"

#include "app/AppState.h"
#include "app/HandlerGuard.h"
#include "battle/BattleSimulation.h"
#include "battle/Fleet.h"

#include <QWidget>
#include <algorithm>
#include <atomic>
#include <memory>

namespace qf {

namespace {

// One battle fought beside the window: its own copies of the fleets, so the
// player may go on editing them, and where it stands for the progress bar.
struct SimulationRun {
    Fleet home;
    Fleet foreign;
    int64_t homeShips = 0;
    int64_t foreignShips = 0;
    std::atomic<int64_t> rounds{0};
    std::atomic<int64_t> homeLeft{0};
    std::atomic<int64_t> foreignLeft{0};
    BattleOutcome outcome;

    SimulationRun(const Fleet &h, const Fleet &f) : home(h), foreign(f)
    {
        homeShips = shipsOf(home);
        foreignShips = shipsOf(foreign);
        homeLeft = homeShips;
        foreignLeft = foreignShips;
    }
    static int64_t shipsOf(const Fleet &fleet)
    {
        int64_t ships = 0;
        for (int i = 0; i <= fleet.LastIndex; ++i)
            ships += fleet.Classes[size_t(i)].Count;
        return ships;
    }
    void fight(const std::atomic<bool> &cancel)
    {
        BattleControl control;
        control.cancel = &cancel;
        control.progress = [this](const BattleProgress &p) {
            rounds = p.rounds;
            homeLeft = p.homeShipsLeft;
            foreignLeft = p.foreignShipsLeft;
        };
        outcome = FightBattle(home, foreign, control);
    }
    RunProgress progress() const
    {
        RunProgress p;
        p.text = QStringLiteral("Runde %1 \u2013 Schiffe: Heimat %2, Fremd %3")
                     .arg(rounds.load())
                     .arg(homeLeft.load())
                     .arg(foreignLeft.load());
        // The battle ends when one fleet is gone: the further of the two shows how far it is.
        const auto share = [](int64_t left, int64_t all) {
            return all > 0 ? int(1000 - (1000 * static_cast<double>(left)) / static_cast<double>(all)) : 0;
        };
        p.permille = std::max(share(homeLeft, homeShips), share(foreignLeft, foreignShips));
        return p;
    }
};
} // namespace

BattleRuns::BattleRuns(AppState &state, UserPrompts &prompts, QWidget *parent)
    : QObject(parent), state_(state), prompts_(prompts), parent_(parent), runner_(new BattleRunner(parent))
{
}

void BattleRuns::Simulate()
{
    if (state_.homeFleet.isEmpty() || state_.foreignFleet.isEmpty() || runner_->isRunning())
        return;
    auto run = std::make_shared<SimulationRun>(state_.homeFleet, state_.foreignFleet);
    runner_->run([run](const std::atomic<bool> &cancel) { run->fight(cancel); },
                 [this, run] {
                     guarded(prompts_, parent_, [&] {
                         if (run->outcome.end == BattleEnd::Cancelled)
                             emit reportReady(CancelledReport(run->outcome.rounds), false);
                         else
                             emit reportReady(BattleReport(run->home, run->foreign, run->outcome), true);
                     });
                 },
                 [run] { return run->progress(); });
}

} // namespace qf

#include "battle/page/BattleRuns.h"

#include "ui/AppState.h"
#include "ui/HandlerGuard.h"
#include "ui/UserPrompts.h"
#include "battle/BattleCourse.h"
#include "battle/BattleSimulation.h"
#include "battle/Fleet.h"
#include "battle/planning/MinCount.h"

#include <QWidget>
#include <algorithm>
#include <cmath>
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
    std::shared_ptr<BattleCourse> course = std::make_shared<BattleCourse>();

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
        control.course = course.get();
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

// One search for the smallest count that wins, beside the window.
struct MinCountRun {
    Fleet home;
    Fleet foreign;
    int entry;
    std::atomic<int32_t> count{0};
    std::atomic<int64_t> battles{0};
    MinCountResult result;

    MinCountRun(const Fleet &h, const Fleet &f, int e) : home(h), foreign(f), entry(e) {}
    void search(const std::atomic<bool> &cancel)
    {
        MinCountControl control;
        control.cancel = &cancel;
        control.progress = [this](const MinCountProgress &p) {
            count = p.count;
            battles = p.battles;
        };
        result = FindMinCount(home, foreign, entry, control);
    }
    RunProgress progress() const
    {
        RunProgress p;
        p.text = QStringLiteral("Mindestanzahl: bei %1 Schiffen \u2013 %2 Kämpfe").arg(count.load()).arg(battles.load());
        // The counts are tried upwards, the small ones one by one and the large
        // ones in ever wider ranges: the bar climbs with the count's binary digits.
        const int32_t largest = home.CountLimit(entry);
        const int32_t now = std::clamp(count.load(), int32_t(1), std::max(largest, int32_t(1)));
        p.permille = largest > 1 ? int(1000.0 * std::log2(double(now)) / std::log2(double(largest))) : 0;
        return p;
    }
};

// Whether two fleets hold the same entries with the same counts and values.
bool sameFleet(const Fleet &a, const Fleet &b)
{
    if (a.LastIndex != b.LastIndex)
        return false;
    for (int i = 0; i <= a.LastIndex; ++i) {
        const Fleet::ShipClass &x = a.Classes[size_t(i)];
        const Fleet::ShipClass &y = b.Classes[size_t(i)];
        if (x.Name != y.Name || x.Count != y.Count || x.AS != y.AS || x.Armor != y.Armor
            || x.Stability != y.Stability || x.Cost != y.Cost)
            return false;
    }
    return true;
}

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
                         emit courseReady(run->course);
                     });
                 },
                 [run] { return run->progress(); });
}

void BattleRuns::MinCount(int entry)
{
    if (runner_->isRunning())
        return;
    const Fleet &home = state_.homeFleet;
    const QString title = QStringLiteral("Mindestanzahl");
    if (entry < 0 || entry > home.LastIndex) {
        prompts_.showInformation(parent_, title,
                                 QStringLiteral("Bitte zuerst einen Schiffstyp der Heimatflotte wählen."));
        return;
    }
    if (state_.foreignFleet.isEmpty()) {
        prompts_.showInformation(parent_, title, QStringLiteral("Die Fremdflotte ist leer."));
        return;
    }
    auto run = std::make_shared<MinCountRun>(home, state_.foreignFleet, entry);
    runner_->run([run](const std::atomic<bool> &cancel) { run->search(cancel); },
                 [this, run, title] {
                     guarded(prompts_, parent_, [&] {
                         const QString name = run->home.Classes[size_t(run->entry)].Name;
                         const MinCountResult &r = run->result;
                         if (r.end == MinCountEnd::Cancelled) {
                             emit statusMessage(QStringLiteral("Suche abgebrochen."));
                             return;
                         }
                         if (r.end == MinCountEnd::Unreachable) {
                             prompts_.showInformation(parent_, title,
                                                      QStringLiteral("Mindestanzahl für \u201E%1\u201C: nicht erreichbar").arg(name));
                             return;
                         }
                         const QString question =
                             QStringLiteral("Mindestanzahl für \u201E%1\u201C: %2. Anzahl übernehmen?").arg(name).arg(r.count);
                         if (!prompts_.askQuestion(parent_, title, question, QStringLiteral("Übernehmen"),
                                                   QStringLiteral("Nicht übernehmen")))
                             return;
                         // The count and its battle, for the fleets the search was made for.
                         if (!sameFleet(state_.homeFleet, run->home) || !sameFleet(state_.foreignFleet, run->foreign))
                             return;
                         Fleet won = run->home;
                         won.SetCount(run->entry, r.count);
                         const FleetPair before = state_.history.fleets();
                         state_.homeFleet = won;
                         state_.history.fleetsEdited(before, QStringLiteral("Mindestanzahl %1 %2").arg(name).arg(r.count));
                         emit fleetsChanged();
                         // Fought once more, as "Simulieren" fights: the report and the course chart
                         // both show it (the search keeps no course).
                         Simulate();
                     });
                 },
                 [run] { return run->progress(); });
}

} // namespace qf

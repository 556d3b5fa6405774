#include "battle/page/CounterCommand.h"

#include "battle/page/BattleRunner.h"
#include "battle/page/CounterDialog.h"
#include "ui/AppState.h"
#include "ui/HandlerGuard.h"
#include "ui/UserPrompts.h"

#include <QWidget>
#include <atomic>
#include <memory>

namespace qf {

namespace {

// The search beside the window: its own copies of the fleets and the designs.
struct CounterRun {
    Fleet home;
    Fleet foreign;
    std::vector<CounterDesign> designs;
    std::atomic<int> design{0};
    CounterSearch result;

    void search(const std::atomic<bool> &cancel)
    {
        CounterControl control;
        control.cancel = &cancel;
        control.progress = [this](const CounterProgress &p) { design = p.design; };
        result = FindBestCounters(home, foreign, designs, control);
    }
    RunProgress progress() const
    {
        const int now = design.load();
        const int count = int(designs.size());
        RunProgress p;
        if (now < count)
            p.text = QStringLiteral("Konter: Design %1 von %2 \u2013 %3").arg(now + 1).arg(count).arg(designs[size_t(now)].name);
        p.permille = count > 0 ? 1000 * now / count : 0;
        return p;
    }
};

bool sameEntries(const Fleet &a, const Fleet &b)
{
    if (a.LastIndex != b.LastIndex)
        return false;
    for (int i = 0; i <= a.LastIndex; ++i) {
        const Fleet::ShipClass &x = a.Classes[size_t(i)];
        const Fleet::ShipClass &y = b.Classes[size_t(i)];
        if (x.Name != y.Name || x.Count != y.Count || x.AS != y.AS || x.Armor != y.Armor
            || x.Stability != y.Stability || x.FE != y.FE || x.SI != y.SI || x.C != y.C)
            return false;
    }
    return true;
}

QString noteFor(const CounterRun &run)
{
    return QStringLiteral("Für jedes Design die kleinste Anzahl, die zur Heimatflotte hinzugefügt (wie mit "
                          "\u201EHinzufügen\u201C) die Fremdflotte vollständig zerstört; günstigste zuerst. "
                          "Heimatflotte: %1 Typen, Fremdflotte: %2 Typen.")
        .arg(run.home.LastIndex + 1)
        .arg(run.foreign.LastIndex + 1);
}

const QString kTitle = QStringLiteral("Bester Konter");

} // namespace

CounterCommand::CounterCommand(AppState &state, UserPrompts &prompts, BattleRunner &runner, QWidget *page)
    : QObject(page), state_(state), prompts_(prompts), runner_(runner), page_(page)
{
}

// Made when first shown: a start need not build it.
CounterDialog *CounterCommand::dialog()
{
    if (!dialog_)
        dialog_ = new CounterDialog(page_);
    return dialog_;
}

void CounterCommand::BestCounterClick()
{
    if (runner_.isRunning())
        return;
    if (state_.foreignFleet.isEmpty()) {
        prompts_.showInformation(page_, kTitle, QStringLiteral("Die Fremdflotte ist leer."));
        return;
    }
    auto run = std::make_shared<CounterRun>();
    run->home = state_.homeFleet;
    run->foreign = state_.foreignFleet;
    for (const ShipDesign &design : state_.designs.designs())
        run->designs.push_back(CounterDesign::Of(design));
    runner_.run([run](const std::atomic<bool> &cancel) { run->search(cancel); },
                [this, run] {
                    guarded(prompts_, page_, [&] {
                        if (run->result.cancelled) {
                            emit statusMessage(QStringLiteral("Suche abgebrochen."));
                            return;
                        }
                        dialog()->setRows(run->result.rows, noteFor(*run));
                        if (prompts_.execDialog(*dialog()) != QDialog::Accepted || dialog_->chosenRow() < 0)
                            return;
                        // The answer holds for the fleets it was searched for.
                        if (!sameEntries(state_.homeFleet, run->home) || !sameEntries(state_.foreignFleet, run->foreign)) {
                            prompts_.showWarning(page_, kTitle,
                                                 QStringLiteral("Die Flotten wurden während der Suche geändert; "
                                                                "der Konter wird nicht übernommen."));
                            return;
                        }
                        ApplyCounter(run->result.rows[size_t(dialog_->chosenRow())]);
                    });
                },
                [run] { return run->progress(); });
}

bool CounterCommand::ApplyCounter(const CounterRow &row)
{
    Fleet home = state_.homeFleet;
    const FleetEdit edit = AddCounterShips(home, row);
    if (edit != FleetEdit::Done) {
        const QString why = FleetRefusalText(edit);
        if (!why.isEmpty())
            prompts_.showWarning(page_, QStringLiteral("Flotte unverändert"), why);
        return false;
    }
    const FleetPair before = state_.history.fleets();
    state_.homeFleet = home;
    emit shipsAdded(row.entry);
    state_.history.fleetsEdited(before, QStringLiteral("Bester Konter %1 %2").arg(row.added).arg(row.design.name));
    // The search fought this very battle; it is fought once more as "Simulieren" fights,
    // so that the course chart shows it beside the report.
    emit fightRequested();
    return true;
}

} // namespace qf

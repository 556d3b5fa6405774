#pragma once
// "Bester Konter...": for every design of the collection, the smallest number
// of its ships that, added to the home fleet, wipes out the foreign fleet. The
// designs are searched one after the other beside the window, through the
// page's runner with its progress bar and "Abbrechen"; the answer is the
// dialog "Bester Konter", whose "Übernehmen" adds the chosen ships.
#include "battle/planning/BestCounter.h"

#include <QObject>
#include <QStringList>

class QWidget;

namespace qf {

struct AppState;
class BattleRunner;
class CounterDialog;
class UserPrompts;

class CounterCommand : public QObject {
    Q_OBJECT
public:
    // The dialog is a child of `page`.
    CounterCommand(AppState &state, UserPrompts &prompts, BattleRunner &runner, QWidget *page);

    CounterDialog *dialog();

    // Starts the search for the fleets as they stand; nothing while other work runs.
    void BestCounterClick();
    // Adds the row's ships to the home fleet as "Hinzufügen" adds them and shows
    // the battle with them in the report box. The row must come from a search
    // of the fleets as they are now. False when the fleet refused the ships.
    bool ApplyCounter(const CounterRow &row);

signals:
    // The home fleet got ships at this entry.
    void shipsAdded(int entry);
    // The home fleet got the counter's ships: their battle is to be fought into the report.
    void fightRequested();
    // A line for the status bar ("Suche abgebrochen.").
    void statusMessage(const QString &text);

private:
    AppState &state_;
    UserPrompts &prompts_;
    BattleRunner &runner_;
    QWidget *page_;
    CounterDialog *dialog_ = nullptr;
};

} // namespace qf

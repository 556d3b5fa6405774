#pragma once
// The long work of the battle page, run beside the window: "Simulieren" (a
// battle) and "Mindestanzahl..." (the smallest count that wins). Each works on
// its own copies of the fleets and hands its report to the page when done;
// the page keeps the fleets as they are meanwhile.
#include "battle/page/BattleRunner.h"

#include <QObject>
#include <QStringList>
#include <memory>

class QWidget;

namespace qf {

struct AppState;
class BattleCourse;
class UserPrompts;

class BattleRuns : public QObject {
    Q_OBJECT
public:
    // The progress bar and the cancel button are made as children of `parent`.
    BattleRuns(AppState &state, UserPrompts &prompts, QWidget *parent);

    BattleRunner &runner() { return *runner_; }

    // Fights the two fleets; an empty fleet, or work already running, does nothing.
    void Simulate();
    // "Mindestanzahl...": the smallest count of the home fleet's entry at `entry`
    // that wipes out the foreign fleet. Found: a question tells the number, and
    // only "Übernehmen" gives the entry that count and its battle to the report box.
    void MinCount(int entry);

signals:
    // Lines for the report box: a battle report, or another text (a cancelled battle).
    void reportReady(const QStringList &lines, bool battleReport);
    // The course of the battle just reported (after its report, also for a cancelled one).
    void courseReady(std::shared_ptr<const BattleCourse> course);
    // A fleet's entries or counts changed: the page shows them again.
    void fleetsChanged();
    // A line for the status bar ("Suche abgebrochen.").
    void statusMessage(const QString &text);

private:
    AppState &state_;
    UserPrompts &prompts_;
    QWidget *parent_;
    BattleRunner *runner_;
};

} // namespace qf

#pragma once
// The cheapest counter to a foreign fleet: for each of several designs, the
// smallest number K of its ships that, added to the home fleet as
// "Hinzufügen" adds them, wipes out the foreign fleet. Each design's K comes
// from the minimum-count search for its entry, so it is the count
// "Mindestanzahl..." gives there.
#include "battle/planning/MinCount.h"
#include "model/ShipDesign.h"

#include <QString>
#include <atomic>
#include <functional>
#include <vector>

namespace qf {

// A design's values as "Hinzufügen" copies them into a fleet entry.
struct CounterDesign {
    QString name;
    int AS = 0;
    int Armor = 0;
    int Stability = 0;
    int FE = 0;
    int SI = 0;
    int C = 0;

    static CounterDesign Of(const ShipDesign &design);
};

enum class CounterEnd {
    Found,         // `added` ships win
    AlreadyEnough, // the entry already holds the smallest winning count or more
    NoRoom,        // a new entry would be the eleventh type: skipped
    Unreachable,   // no count the fleet can hold wins
};

struct CounterRow {
    CounterDesign design;
    CounterEnd end = CounterEnd::Unreachable;
    int entry = -1;           // the design's entry in the home fleet (after adding)
    bool newEntry = true;     // the ships make a new entry (else they join one of that name)
    int32_t shipsBefore = 0;  // ships the entry held before
    int32_t minCount = 0;     // Found, AlreadyEnough: the smallest count of the entry that wins
    int32_t added = 0;        // Found: K, the ships to add
    // Found: the cost of the K ships, with the entry's values per ship.
    int64_t solar = 0;
    int64_t fe = 0;
    int64_t si = 0;
    int64_t c = 0;
    BattleOutcome outcome;    // Found: the battle with the K ships added

    int64_t homeShipsLost() const;
};

// Where a running search stands: design `design` (from 0) of `designs`.
struct CounterProgress {
    int design = 0;
    int designs = 0;
    MinCountProgress search;
};

struct CounterControl {
    const std::atomic<bool> *cancel = nullptr;
    // Called before each design, and as the search of a design calls back.
    std::function<void(const CounterProgress &)> progress;
};

struct CounterSearch {
    std::vector<CounterRow> rows; // sorted by SortCounterRows
    bool cancelled = false;
};

// The row of one design against the fleets as they are.
CounterRow FindCounter(const Fleet &home, const Fleet &foreign, const CounterDesign &design,
                       const MinCountControl &control = {}, bool *cancelled = nullptr);

// Every design, one after the other, then sorted.
CounterSearch FindBestCounters(const Fleet &home, const Fleet &foreign, const std::vector<CounterDesign> &designs,
                               const CounterControl &control = {});

// Cheapest first: by Solar cost of the K ships, then by K; then the designs
// whose entry already holds enough, then those skipped for want of room, and
// last those that cannot win. Equal rows keep their order.
void SortCounterRows(std::vector<CounterRow> &rows);

// Adds the row's K ships to the home fleet as "Hinzufügen" with K adds them.
// Returns how the fleet took them (Ignored when the row has none to add).
FleetEdit AddCounterShips(Fleet &home, const CounterRow &row);

// The columns of a counter table and the texts of a row.
QStringList CounterHeaders();
QStringList CounterTexts(const CounterRow &row);

} // namespace qf

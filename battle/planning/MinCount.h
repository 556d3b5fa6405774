#pragma once
// The smallest number of ships of one home entry with which the foreign fleet
// is wiped out: "how many of my ships do I need?". The other entries and the
// entry's per-ship values stay as they are; only its count changes.
#include "battle/BattleSimulation.h"
#include "battle/Fleet.h"

#include <atomic>
#include <cstdint>
#include <functional>

namespace qf {

// Where a running search stands.
struct MinCountProgress {
    int32_t count = 0;   // the count (or the lowest count of the range) being tried
    int64_t battles = 0; // battles fought so far: single counts, and ranges fought together
};

// How a caller follows and stops a search. Every few milliseconds of work the
// search calls `progress`, from the thread that runs it, and then looks at the
// cancel flag; a long battle of a single count is followed and stopped the same
// way. A search over sooner never calls back.
struct MinCountControl {
    const std::atomic<bool> *cancel = nullptr;
    std::function<void(const MinCountProgress &)> progress;
};

enum class MinCountEnd {
    Found,       // `count` is the smallest count that wins, `outcome` its battle
    Unreachable, // no count from 1 up to the largest the fleet can hold wins
    Cancelled,   // the cancel flag was set
};

struct MinCountResult {
    MinCountEnd end = MinCountEnd::Unreachable;
    int32_t count = 0;     // Found: the smallest count
    BattleOutcome outcome; // Found: the battle of the home fleet with that count
    int64_t battles = 0;   // as in MinCountProgress
};

// The smallest count K from 1 to home.CountLimit(entry) for which the home
// fleet, with K ships at position `entry`, wipes out the foreign fleet (both
// fleets wiped out in the same round counts as well). A position outside the
// home fleet gives Unreachable.
MinCountResult FindMinCount(const Fleet &home, const Fleet &foreign, int entry,
                            const MinCountControl &control = {});

} // namespace qf

#pragma once
// Process-wide state: the design collection, the two fleets of the battle
// simulator and the one history of their changes. Created before the main
// window and handed to the pages by reference.
#include "battle/Fleet.h"
#include "library/DesignCollection.h"
#include "undo/UndoHistory.h"

namespace qf {

struct AppState {
    DesignCollection designs;
    Fleet homeFleet;     // fleet 1, "Heimatflotte"
    Fleet foreignFleet;  // fleet 2, "Fremdflotte"
    UndoHistory history{designs, homeFleet, foreignFleet};
};

} // namespace qf

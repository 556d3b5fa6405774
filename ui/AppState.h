#pragma once
// Process-wide state: the design collection and the two fleets of the battle
// simulator. Created before the main window and handed to the pages by reference.
#include "battle/Fleet.h"
#include "library/DesignCollection.h"

namespace qf {

struct AppState {
    DesignCollection designs;
    Fleet homeFleet;     // fleet 1, "Heimatflotte"
    Fleet foreignFleet;  // fleet 2, "Fremdflotte"
};

} // namespace qf

#include "battle/Fleet.h"
// Implemented with the battle simulator.

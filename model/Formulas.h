#pragma once
// The game's growth curves and time rules for ship designs. Stateless.
// Levels are clamped at 100 where the game caps them; the float and
// truncation points below decide the digits the player sees.
#include "model/Numeric.h"

#include <QString>
#include <cstdint>

namespace qf {

ext CostCurve(int level, int factor);   // (1.11^level - 0.555) * factor
ext ValueCurve(int level, int factor);  // (1.09^level - 0.545) * factor
ext ZvaPercent(int level);              // 0.91^level * 100, level 0 exactly 100

// The Designer page's flight time for a distance (pa).
QString FullFlightTimeText(int distance, int stability, int acceleration, float percent);

// Flight minutes of the flight calculator. Not finite when the drives give no power.
float FlightMinutes(int distance, int stability, int thruster, int fusion, int zva);

// "hh:mm:ss" from minutes; hours may have more digits. Throws ArithmeticError for
// a value without finite whole parts in 64 bits.
QString DurationText(float minutes);
bool DurationTextFits(float minutes);

ext BuildTime(int level, int factory, float base);
ext ScaleByLevel(int level, float base);

// Lowest mine level whose output covers the amount within the minutes.
// Throws ArithmeticError when the result is not a representable level.
int32_t MineLevel(int rate, int amount, float minutes);

} // namespace qf

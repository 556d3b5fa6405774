#pragma once
// The battle time: a 32-bit float to which every round adds its time. Long
// stretches of rounds add the same times over and over; these functions give
// the sum the single additions give, in a few steps whatever the count.
#include "model/Numeric.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace qf {

// One round's time added to the battle time, the sum stored as a 32-bit float.
inline float AddRoundTime(float battleTime, float roundTime)
{
    return toFloat(static_cast<ext>(battleTime) + static_cast<ext>(roundTime));
}

// The battle time after `count` more rounds of `roundTime` hours each, added
// one at a time as 32-bit floats, as the battle adds them, but computed in a
// few steps whatever the count.
float AddRoundTimes(float battleTime, float roundTime, uint64_t count);

// `reps` times the additions of `once`, which adds values of at least 0 to a
// battle time one at a time. Inside one binade every float addition moves the
// sum by a fixed number of units in the last place, except that a value of
// exactly half a unit goes to the even neighbour, so the move depends on the
// parity of the sum. Three passes are done one by one; if the last two stayed
// in one binade and brought the parity back, every further two passes move the
// sum by the same amount for as long as the sum stays in that binade.
template <typename Once>
float RepeatAdditions(float battleTime, uint64_t reps, const Once &once)
{
    constexpr int digits = std::numeric_limits<float>::digits;
    while (reps > 0) {
        if (reps < 3) {
            battleTime = once(battleTime);
            --reps;
            continue;
        }
        const float t1 = once(battleTime);
        const float t2 = once(t1);
        const float t3 = once(t2);
        reps -= 3;
        battleTime = t3;
        if (t3 == t1) // from here on t1, t2, t1, t2, ...
            return reps % 2 == 0 ? t3 : t2;
        if (!std::isnormal(t1))
            continue;
        int e1 = 0;
        int e3 = 0;
        std::frexp(t1, &e1);
        std::frexp(t3, &e3);
        if (e1 != e3)
            continue;
        const double unit = std::ldexp(1.0, e1 - digits);
        const int64_t at = static_cast<int64_t>(double(t3) / unit);
        const int64_t move = static_cast<int64_t>((double(t3) - double(t1)) / unit);
        if (move <= 0 || move % 2 != 0)
            continue; // the parity of t3 is not that of t1: the next pair may move otherwise
        const int64_t top = (int64_t(1) << digits) - 1;
        const uint64_t pairs = std::min<uint64_t>(reps / 2, uint64_t((top - at) / move));
        battleTime = static_cast<float>(double(at + int64_t(pairs) * move) * unit);
        reps -= 2 * pairs;
    }
    return battleTime;
}

} // namespace qf

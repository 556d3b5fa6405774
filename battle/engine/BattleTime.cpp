#include "battle/engine/BattleTime.h"

namespace qf {

float AddRoundTimes(float battleTime, float roundTime, uint64_t count)
{
    return RepeatAdditions(battleTime, count,
                           [roundTime](float t) { return AddRoundTime(t, roundTime); });
}

} // namespace qf

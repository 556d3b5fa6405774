#pragma once
// Texts shared by the three calculators: the failure texts and the guarded
// conversions of computed values to the texts a result field shows.
#include "model/Numeric.h"

#include <QString>

namespace qf {

// The failure text of a result field.
QString IncompleteText();          // "unvollständig"
// The battle calculator's duration field writes it with this spelling.
QString IncompleteDurationText();  // "unvollständing"

// The whole part of v in decimal, or "unvollständig" when v has no finite
// whole part in 64 bits.
QString WholePartText(ext v);

// DurationText of the minutes, or "unvollständig" when they have no
// finite whole parts in 64 bits.
QString DurationOrIncomplete(float minutes);

} // namespace qf

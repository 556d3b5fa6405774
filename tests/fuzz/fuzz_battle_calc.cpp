// The battle calculator on any four field texts (one per line of the input).
#include "FuzzSupport.h"
#include "calc/BattleCalc.h"

#include <cmath>

using namespace qf;
using namespace qf::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString input = QString::fromUtf8(bytesOf(data, size));
    BattleCalcInputs in;
    QString *const fields[] = {&in.begin, &in.end, &in.stabilityDestroyed, &in.armorDestroyed};
    splitFields(input, fields, 4);

    for (const QString &t : {input, in.begin, in.end, in.stabilityDestroyed}) {
        const ext minutes = TimeTextMinutes(t);
        QF_FUZZ_CHECK(std::isfinite(minutes));
        // Three parts of at most 2^31 each: hours * 60 bound the value.
        QF_FUZZ_CHECK(std::fabs(minutes) <= 2147483648.0L * 62);
    }

    const ext duration = BattleDuration(in.begin, in.end);
    QF_FUZZ_CHECK(duration == -1 || (duration > 0 && duration <= 1440));
    const ext reverse = BattleDuration(in.end, in.begin);
    QF_FUZZ_CHECK((reverse == -1) == (duration == -1));
    if (duration != -1 && duration != static_cast<ext>(0.0166f)) {
        // From begin to end and back again is one whole day.
        QF_FUZZ_CHECK(std::fabs(duration + reverse - 1440) < 1e-9L);
    }

    const BattleCalcResults r = ComputeBattleCalc(in);
    for (const QString &t : {r.battleDuration, r.enemyAS, r.oldEstimate, r.newEstimate})
        QF_FUZZ_CHECK(showsNoNonFinite(t));
    if (r.estimated) {
        QF_FUZZ_CHECK(isDurationText(r.battleDuration));
        QF_FUZZ_CHECK(r.enemyAS == r.newEstimate);
        QF_FUZZ_CHECK(isWholeNumberText(r.oldEstimate) || r.oldEstimate == QStringLiteral("unvollständig"));
        QF_FUZZ_CHECK(isWholeNumberText(r.newEstimate) || r.newEstimate == QStringLiteral("unvollständig"));
        QF_FUZZ_CHECK(r.debugLines().size() == 2);
        // A battle lasts at most one day.
        QF_FUZZ_CHECK(r.battleDuration.section(u':', 0, 0).toInt() <= 24);
    } else {
        QF_FUZZ_CHECK(r.battleDuration == QStringLiteral("unvollständing"));
        QF_FUZZ_CHECK(r.enemyAS == QStringLiteral("unvollständig"));
        QF_FUZZ_CHECK(r.debugLines().isEmpty());
    }
    return 0;
}

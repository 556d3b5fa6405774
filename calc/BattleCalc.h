#pragma once
// The battle calculator's formulas: clock times, the battle's duration
// and the two estimates of the attacker's attack strength.
#include "model/Numeric.h"

#include <QString>
#include <QStringList>
#include <cstdint>

namespace qf {

// A clock time "h:m:s" (separators ":_ .,;") read from the right, in minutes;
// -1 when its seconds part (or single number) is not a whole number.
ext TimeTextMinutes(const QString &text);

// Minutes from begin to end within one day (wrapping at midnight, 0.0166 for
// equal times), or -1 when either text cannot be read or is negative.
ext BattleDuration(const QString &begin, const QString &end);

// The old estimate: (s + a) * 60 / x, the product in 64 bits.
ext OldASEstimate(int stabilityDestroyed, int armorDestroyed, float minutes);
// The new estimate: (s * 60 / x + a) * 4/3 (the double nearest to it), s * 60 in 64 bits.
ext NewASEstimate(int stabilityDestroyed, int armorDestroyed, float minutes);

// The texts of the four input fields, initially as on the page.
struct BattleCalcInputs {
    QString begin = QStringLiteral("00:00:00");        // r_BattleBegin
    QString end = QStringLiteral("00:00:00");          // r_BattleEnd
    QString stabilityDestroyed = QStringLiteral("109"); // r_StabilityDestroyed
    QString armorDestroyed = QStringLiteral("0");       // r_ArmorDestroyed
};

struct BattleCalcResults {
    QString battleDuration;  // r_BattleDuration
    QString enemyAS;         // r_EnemyAS
    bool estimated = false;  // the two estimates were made (and go to the debug log)
    QString oldEstimate;     // whole part, or "unvollständig"
    QString newEstimate;     // equals enemyAS when estimated

    // The lines the page appends to the debug log: none, or
    // " Alte AS-Formel:N" and " Neue AS-Formel:N".
    QStringList debugLines() const;
};

// The battle calculator's recomputation from the input texts.
BattleCalcResults ComputeBattleCalc(const BattleCalcInputs &in);

} // namespace qf

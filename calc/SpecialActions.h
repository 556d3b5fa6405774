#pragma once
// The special-action calculator's formulas: action durations, the
// success chance with one or several ships, and the uncloaking chance.
#include "model/Numeric.h"

#include <QLocale>
#include <QString>

namespace qf {

// 1.11^defender * base * 0.91^attacker, as a 4-byte float (not finite when the
// powers overflow).
float ActionDuration(float baseMinutes, int attacker, int defender);

// The success chance of `ships` ships, each further ship counting as an attacker
// one level lower. Computed iteratively from the last ship back to the first with
// exactly the values of the game's ship-by-ship recursion; any number of ships works.
ext ActionChance(int attacker, int defender, int ships);

// A number in its shortest form with up to 15 significant digits, the locale's
// decimal separator, no trailing zeros (50, 54.95, 54,95); "unvollständig" for a
// value that is not finite or whose whole part has more than 15 digits.
QString ShortNumberText(ext value, const QLocale &locale = QLocale());

// The percent text of a chance p: whole part of p * 10000, times 0.01.
QString ChancePercentText(ext chance, const QLocale &locale = QLocale());

// The uncloaking percent for `attempts` attempts at one-ship chance p1:
// (10000 - whole part of p1^attempts * 10000) * 0.01, or "unvollständig" when
// the power has no finite whole part.
QString UncloakPercentText(float chance, int attempts, const QLocale &locale = QLocale());

// Base minutes of the actions.
constexpr float kSpyMinutes = 30;
constexpr float kSabotageMinutes = 120;
constexpr float kRaidMinutes = 60;
constexpr float kColonisationMinutes = 2220;
constexpr float kInvasionMinutes = 1440;

// The texts of the four input fields, initially as on the page.
struct SpecialActionInputs {
    QString attackerLevel = QStringLiteral("0");  // r_AttackerLevel
    QString defenderLevel = QStringLiteral("0");  // r_DefenderLevel
    QString numberOfShips = QStringLiteral("1");  // r_NumberofShips
    QString actionCount = QStringLiteral("1");    // r_ActionCount
};

// The nine result texts, in the page's order.
struct SpecialActionResults {
    QString levelDifference;   // r_LevelDifference
    QString spyTime;           // r_SpyTime
    QString sabotageTime;      // r_SabotageTime
    QString successPercent;    // r_SuccessPercent
    QString raidTime;          // r_RaidTime
    QString kolonisationTime;  // r_KolonisationTime
    QString invasionTime;      // r_InvasionTime
    QString successPercent2;   // r_SuccessPercent2
    QString uncloakChance;     // r_UncloakChance
};

// The special-action calculator's recomputation from the input texts.
SpecialActionResults ComputeSpecialActions(const SpecialActionInputs &in,
                                           const QLocale &locale = QLocale());

} // namespace qf

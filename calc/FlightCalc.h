#pragma once
// The flight calculator's formulas. The page only reads its seven
// input texts and writes the results computed here.
#include "model/Numeric.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace qf {

// A coordinate text as the calculator reads it: lower-cased, and trimmed of
// leading and trailing blanks and control characters.
QString NormalizedCoordinate(const QString &text);

// Distance between two planets "GGG:SSS:l", or -1 when a coordinate is
// unreadable or the pair is not valid. The texts are normalised first.
int PlanetDistance(const QString &start, const QString &target);

// Oxygen for m minutes at thruster level t: 0 for t <= 0, else CostCurve(1, t) * m / 120.
ext O2Consumption(int thruster, int64_t minutes);
// Hydrogen for m minutes: m * (0.555 t + 0.812631 f + 0.6771 z) / 60, the sum a 4-byte float.
ext H2Consumption(int thruster, int fusion, int zva, int64_t minutes);
// Take-off/landing minutes: 0.5 * 0.91^max(p, 1) * stability.
ext TakeoffTime(int spaceport, int stability);

// The texts of the seven input fields, initially as on the page.
struct FlightInputs {
    QString startPlanet = QStringLiteral("444:111:a");   // r_StartPlanet
    QString targetPlanet = QStringLiteral("666:999:f");  // r_TargetPlanet
    QString thruster = QStringLiteral("1");              // r_Thruster
    QString fusi = QStringLiteral("0");                  // r_Fusi
    QString zva = QStringLiteral("0");                   // r_ZVA
    QString stability = QStringLiteral("109");           // r_Stability
    QString spaceport = QStringLiteral("1");             // r_Spaceport
};

// The result texts of one recomputation. An empty optional means the field
// keeps the text it has (invalid coordinates, or a flight time without a
// finite value).
struct FlightResults {
    QString distance;                  // r_Distance
    QString flightTime;                // r_FlightTime
    std::optional<QString> flightO2;   // r_FlightO2
    std::optional<QString> flightH2;   // r_FlightH2
    QString takeoffTime;               // r_TakeoffTime
    QString takeoffO2;                 // r_TakeoffO2
    QString takeoffH2;                 // r_TakeoffH2
};

// The flight calculator's recomputation from the input texts.
FlightResults ComputeFlight(const FlightInputs &in);

// A flight needs a drive: when one of the two drive fields changes and both read
// as 0, the other one becomes "1". Returns that other field, if any.
enum class DriveField { Thruster, Fusion };
std::optional<DriveField> DriveToRaise(DriveField changed, const QString &thruster, const QString &fusion);

} // namespace qf

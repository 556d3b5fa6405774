#include "calc/FlightCalc.h"

#include "calc/CalcTexts.h"
#include "model/Formulas.h"
#include "model/WholeNumber.h"

#include <cmath>
#include <cstdlib>

namespace qf {

namespace {
struct Coordinate {
    int galaxy = 0;  // G, characters 1 to 3
    int system = 0;  // S, characters 5 to 7
    int letter = 0;  // code of the last character
};

// Reads G, S and the planet letter; false when a group is not an integer.
bool readCoordinate(const QString &text, Coordinate &c)
{
    const std::optional<int32_t> g = parseWholeNumber(text.mid(0, 3));
    if (!g)
        return false;
    const std::optional<int32_t> s = parseWholeNumber(text.mid(4, 3));
    if (!s)
        return false;
    c.galaxy = *g;
    c.system = *s;
    c.letter = text.isEmpty() ? 0 : text.back().unicode();
    return true;
}

struct Digits {
    int d[3];
};

// Hundreds, tens and units, taken arithmetically as the game client does.
Digits digitsOf(int value)
{
    const int hundreds = value / 100;
    const int tens = value / 10 - 10 * hundreds;
    const int units = value - 100 * hundreds - 10 * tens;
    return Digits{{hundreds, tens, units}};
}

bool validGalaxy(const Digits &g)
{
    for (int digit : g.d)
        if (digit < 4 || digit > 6)
            return false;
    return true;
}

bool validSystem(const Digits &s)
{
    for (int digit : s.d)
        if (digit == 0)
            return false;
    return true;
}
} // namespace

QString NormalizedCoordinate(const QString &text)
{
    const QString lower = text.toLower();
    int first = 0;
    int last = int(lower.size()) - 1;
    while (first <= last && lower.at(first).unicode() <= u' ')
        ++first;
    while (last >= first && lower.at(last).unicode() <= u' ')
        --last;
    return lower.mid(first, last - first + 1);
}

int PlanetDistance(const QString &startText, const QString &targetText)
{
    Coordinate start;
    Coordinate target;
    if (!readCoordinate(NormalizedCoordinate(startText), start))
        return -1;
    if (!readCoordinate(NormalizedCoordinate(targetText), target))
        return -1;
    const Digits startG = digitsOf(start.galaxy);
    const Digits startS = digitsOf(start.system);
    const Digits targetG = digitsOf(target.galaxy);
    const Digits targetS = digitsOf(target.system);
    if (!validGalaxy(startG) || !validSystem(startS) || !validGalaxy(targetG)
        || !validSystem(targetS))
        return -1;
    ext sum = 0;
    for (int i = 0; i < 3; ++i) {
        int64_t x = 2000 * int64_t(std::abs(targetG.d[i] - startG.d[i]))
                    + 50 * int64_t(std::abs(targetS.d[i] - startS.d[i]));
        if (i == 0)
            x += std::abs(int64_t(target.letter) - start.letter);
        sum += static_cast<ext>(x) * static_cast<ext>(x);
    }
    const double rounded = static_cast<double>(sum);
    return truncInt32(std::sqrt(static_cast<ext>(rounded)));
}

ext O2Consumption(int thruster, int64_t minutes)
{
    if (thruster <= 0)
        return 0;
    return CostCurve(1, thruster) * static_cast<ext>(minutes) * widen(1.0 / 120.0);
}

ext H2Consumption(int thruster, int fusion, int zva, int64_t minutes)
{
    float sum = 0;
    if (thruster > 0)
        sum = toFloat(static_cast<ext>(sum) + CostCurve(1, thruster));
    if (fusion > 0)
        sum = toFloat(static_cast<ext>(sum) + CostCurve(3, fusion));
    if (zva > 0)
        sum = toFloat(static_cast<ext>(sum) + CostCurve(2, zva));
    return static_cast<ext>(minutes) * static_cast<ext>(sum) * widen(1.0 / 60.0);
}

ext TakeoffTime(int spaceport, int stability)
{
    const float base = toFloat(30.0L * widen(1.0 / 60.0));
    return ScaleByLevel(spaceport, base) * static_cast<ext>(stability);
}

FlightResults ComputeFlight(const FlightInputs &in)
{
    FlightResults r;
    const QString start = NormalizedCoordinate(in.startPlanet);
    const QString target = NormalizedCoordinate(in.targetPlanet);
    const int s = readWholeNumber(in.stability);
    const int t = readWholeNumber(in.thruster);
    const int f = readWholeNumber(in.fusi);
    const int z = readWholeNumber(in.zva);

    const int d = PlanetDistance(start, target);
    if (d < 0) {
        r.distance = IncompleteText();
        r.flightTime = IncompleteText();
    } else {
        r.distance = QString::number(d);
        const float flight = FlightMinutes(d, s, t, f, z);
        if (DurationTextFits(flight)) {
            r.flightTime = DurationText(flight);
            const int64_t m = truncInt64(flight);
            r.flightO2 = WholePartText(O2Consumption(t, m));
            r.flightH2 = WholePartText(H2Consumption(t, f, z, m));
        } else {
            // No finite flight time (no drive power, negative stability): the
            // consumption fields keep their texts.
            r.flightTime = IncompleteText();
        }
    }

    const int p = readWholeNumber(in.spaceport);
    const float takeoff = toFloat(TakeoffTime(p, s));
    if (DurationTextFits(takeoff)) {
        r.takeoffTime = DurationText(takeoff);
        const int64_t n = truncInt64(takeoff);
        r.takeoffO2 = WholePartText(O2Consumption(t, n));
        r.takeoffH2 = WholePartText(H2Consumption(t, f, z, n));
    } else {
        r.takeoffTime = IncompleteText();
        r.takeoffO2 = IncompleteText();
        r.takeoffH2 = IncompleteText();
    }
    return r;
}

std::optional<DriveField> DriveToRaise(DriveField changed, const QString &thruster, const QString &fusion)
{
    if (readWholeNumber(thruster) != 0 || readWholeNumber(fusion) != 0)
        return std::nullopt;
    return changed == DriveField::Thruster ? DriveField::Fusion : DriveField::Thruster;
}

} // namespace qf

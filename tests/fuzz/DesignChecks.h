#pragma once
// What holds for every design, however it was made: the setters refuse what
// the game does not allow, and every derived value can be shown.
#include "FuzzSupport.h"
#include "model/DesignerFigures.h"
#include "model/ShipDesign.h"

#include <QLocale>
#include <array>

namespace qf::fuzz {

inline std::array<int, 8> levelsOf(const ShipDesign &d)
{
    return {d.GetStorageBays(), d.GetArmorLevel(), d.GetThruster(), d.GetFusi(),
            d.GetZVA(),         d.GetMissles(),    d.GetLaser(),    d.GetPlasma()};
}

inline std::array<bool, 8> flagsOf(const ShipDesign &d)
{
    return {d.GetCrewed(), d.GetKolo(), d.GetInva(), d.GetRecy(),
            d.GetSpy(),    d.GetCloak(), d.GetRaid(), d.GetSabo()};
}

inline void checkDesign(const ShipDesign &d)
{
    for (int level : levelsOf(d))
        QF_FUZZ_CHECK(level >= 0);
    QF_FUZZ_CHECK(d.GetStorageBays() >= 1);
    QF_FUZZ_CHECK(d.GetThruster() != 0 || d.GetFusi() != 0);
    QF_FUZZ_CHECK(d.GetFreeSBE() >= 0 && d.GetFreeSBE() <= 9);
    QF_FUZZ_CHECK(d.GetSBE() >= 1);
    // A special unit that needs a crew brings it.
    if (d.GetKolo() || d.GetInva() || d.GetRaid() || d.GetSabo())
        QF_FUZZ_CHECK(d.GetCrewed());

    // Every getter gives a value (none throws), and none is negative.
    const int values[] = {d.GetStability(), d.GetArmor(), d.GetAS(),  d.GetAcceleration(),
                          d.GetStorageCapacity(), d.GetFE(), d.GetSI(), d.GetC(),
                          d.GetCrew(), d.GetH2O(), d.GetO2()};
    for (int v : values)
        QF_FUZZ_CHECK(v >= 0);
    QF_FUZZ_CHECK(d.GetAcceleration() > 0);
    QF_FUZZ_CHECK(d.GetFlightTimePercent() > 0 && d.GetFlightTimePercent() <= 100);
}

// The texts of the Designer page for the design: all finite, the flight time a duration.
inline DesignerFigures checkedFigures(const ShipDesign &d, const QString &distance)
{
    const DesignerFigures f = ComputeDesignerFigures(d, distance, QLocale::c());
    for (const QString &t : f.levels)
        QF_FUZZ_CHECK(showsNoNonFinite(t));
    for (const FigureField &field : FigureFields())
        QF_FUZZ_CHECK(showsNoNonFinite(f.*field.text));
    QF_FUZZ_CHECK(showsNoNonFinite(f.distance));
    QF_FUZZ_CHECK(isDurationText(f.fullFlightTime));
    return f;
}

} // namespace qf::fuzz

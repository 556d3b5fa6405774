#include "model/Production.h"

#include "model/Formulas.h"

namespace qf {

float ProductionMinutes(const ShipDesign &d, int s, int w)
{
    float p = 0.0f;
    auto add = [&p](ext term) { p = toFloat(static_cast<ext>(p) + term); };
    add(BuildTime(d.GetSBE(), s, 90));
    add(BuildTime(d.GetStorageBays(), s, 75));
    add(BuildTime(d.GetArmorLevel(), s, 120));
    add(BuildTime(d.GetThruster(), s, 45));
    add(BuildTime(d.GetFusi(), s, 180));
    add(BuildTime(d.GetZVA(), s, 450));
    add(BuildTime(d.GetMissles(), w, 45));
    add(BuildTime(d.GetLaser(), w, 150));
    add(BuildTime(d.GetPlasma(), w, 360));
    if (d.GetKolo()) add(ScaleByLevel(s, 1200));
    if (d.GetInva()) add(ScaleByLevel(s, 1440));
    if (d.GetRecy()) add(ScaleByLevel(s, 90));
    if (d.GetSpy()) add(ScaleByLevel(s, 45));
    if (d.GetCloak()) add(ScaleByLevel(s, 90));
    if (d.GetRaid()) add(ScaleByLevel(s, 135));
    if (d.GetSabo()) add(ScaleByLevel(s, 180));
    return p;
}

ProductionFigures ComputeProduction(const ShipDesign &design, int shipFactory, int warFactory,
                                    int iron, int silicon, int carbon)
{
    const float p = ProductionMinutes(design, shipFactory, warFactory);
    ProductionFigures f;
    f.productionTime = DurationText(p);
    f.feMine = QString::number(MineLevel(40, iron, p));
    f.siMine = QString::number(MineLevel(25, silicon, p));
    f.cMine = QString::number(MineLevel(15, carbon, p));
    return f;
}

} // namespace qf

#include "model/ShipDesign.h"

#include "model/Formulas.h"

#include <limits>

namespace qf {

namespace {
// X receives v: the sum is formed in extended precision and stored as float.
void receive(float &x, ext v) { x = toFloat(v + static_cast<ext>(x)); }
} // namespace

ShipDesign::ShipDesign()
    : Name(QStringLiteral("Neues Schiff"))
{
    SetFusi(1);
    SetStorageBays(1);
    MarkSaved();
}

void ShipDesign::SetName(const QString &name)
{
    if (name.isEmpty())
        return;
    Name = name;
    NameChanged = true;
}

std::array<int, 9> ShipDesign::levels() const
{
    return {SBE, StorageBays, ArmorLevel, Thruster, Fusi, Missles, Laser, Plasma, ZVA};
}

std::array<bool, 8> ShipDesign::flags() const
{
    return {Crewed, Kolo, Inva, Recy, Spy, Cloak, Raid, Sabo};
}

bool ShipDesign::IsChanged() const
{
    if (levels() != SavedLevels || flags() != SavedFlags)
        return true;
    return NameChanged;
}

void ShipDesign::MarkSaved()
{
    SavedLevels = levels();
    SavedFlags = flags();
    NameChanged = false;
}

int ShipDesign::GetStability() const { return truncInt32(Stability); }
int ShipDesign::GetArmor() const { return truncInt32(Armor); }
int ShipDesign::GetAS() const { return truncInt32(AS); }
int ShipDesign::GetAcceleration() const { return truncInt32(Acceleration); }
int ShipDesign::GetStorageCapacity() const { return truncInt32(StorageCapacity); }
int ShipDesign::GetFE() const { return truncInt32(FE); }
int ShipDesign::GetSI() const { return truncInt32(SI); }
int ShipDesign::GetC() const { return truncInt32(C); }
int ShipDesign::GetCrew() const { return truncInt32(Crew); }
int ShipDesign::GetH2O() const { return truncInt32(H2O); }
int ShipDesign::GetO2() const { return truncInt32(O2); }

int64_t ShipDesign::rawSBE() const
{
    int64_t raw = int64_t(StorageBays) + ArmorLevel + Thruster + 2 * int64_t(Fusi) + 3 * int64_t(ZVA)
                  + Missles + 2 * int64_t(Laser) + 3 * int64_t(Plasma);
    if (Kolo) raw += 20;
    if (Inva) raw += 40;
    if (Recy) raw += 10;
    if (Spy) raw += 5;
    if (Cloak) raw += 5;
    if (Raid) raw += 15;
    if (Sabo) raw += 15;
    return raw;
}

// The base-element sum is a 32-bit count: a level that would push it past
// 2,147,483,647 (with room left for every special action) is refused like any
// other invalid level.
bool ShipDesign::rawFitsWith(int &member, int value)
{
    constexpr int64_t kAllActions = 20 + 40 + 10 + 5 + 5 + 15 + 15;
    const int old = member;
    member = value;
    const bool fits = rawSBE() + kAllActions <= std::numeric_limits<int32_t>::max();
    member = old;
    return fits;
}

void ShipDesign::recalcAcceleration()
{
    const int fusion = truncInt32(ValueCurve(Fusi, 100000));
    const int thruster = truncInt32(ValueCurve(Thruster, 20000));
    Acceleration = toFloat(static_cast<ext>(fusion + thruster));
}

void ShipDesign::recalcAS()
{
    const int sum = truncInt32(ValueCurve(Missles, 30)) + truncInt32(ValueCurve(Laser, 45))
                    + truncInt32(ValueCurve(Plasma, 60));
    AS = toFloat(static_cast<ext>(sum));
}

void ShipDesign::RecalcSBE()
{
    const int64_t raw = rawSBE();
    int64_t sbe = raw / 10;
    if (sbe * 10 < raw)
        ++sbe;
    SBE = static_cast<int>(sbe);
    FreeSBE = static_cast<int>(sbe * 10 - raw);
    Stability = toFloat(ValueCurve(SBE, Crewed ? 400 : 200));
}

void ShipDesign::RecalcCosts()
{
    Crew = toFloat(CostCurve(SBE, Crewed ? 10 : 0));
    FE = toFloat(CostCurve(SBE, 200));
    SI = toFloat(CostCurve(SBE, Crewed ? 200 : 300));
    C = toFloat(CostCurve(SBE, 50));

    struct ComponentCost { int level; int fe; int si; int c; };
    const ComponentCost components[] = {
        {StorageBays, 150, 25, 50}, {ArmorLevel, 200, 25, 250}, {Thruster, 100, 50, 75},
        {Fusi, 250, 200, 150},      {ZVA, 300, 600, 75},        {Missles, 300, 200, 75},
        {Laser, 250, 350, 100},     {Plasma, 300, 450, 100},
    };
    for (const ComponentCost &k : components) {
        receive(FE, CostCurve(k.level, k.fe));
        receive(SI, CostCurve(k.level, k.si));
        receive(C, CostCurve(k.level, k.c));
    }

    struct ActionCost { bool set; int crew; int fe; int si; int c; };
    const ActionCost actions[] = {
        {Spy, 0, 50, 100, 15},          {Cloak, 0, 75, 400, 25},  {Kolo, 75, 1750, 1000, 250},
        {Inva, 50, 10000, 12000, 2500}, {Recy, 0, 300, 200, 50},  {Raid, 10, 700, 500, 100},
        {Sabo, 10, 1000, 700, 100},
    };
    for (const ActionCost &a : actions) {
        if (!a.set)
            continue;
        if (a.crew != 0)
            receive(Crew, a.crew);
        receive(FE, a.fe);
        receive(SI, a.si);
        receive(C, a.c);
    }

    H2O = Kolo ? 30.0f : 0.0f;
    O2 = Kolo ? 60.0f : 0.0f;
}

void ShipDesign::recalcAfterChange()
{
    RecalcSBE();
    RecalcCosts();
}

void ShipDesign::SetStorageBays(int value)
{
    if (value <= 0 || !rawFitsWith(StorageBays, value))
        return;
    StorageBays = value;
    StorageCapacity = toFloat(ValueCurve(value, 600));
    recalcAfterChange();
}

void ShipDesign::SetArmorLevel(int value)
{
    if (value < 0 || !rawFitsWith(ArmorLevel, value))
        return;
    ArmorLevel = value;
    Armor = toFloat(ValueCurve(value, 15));
    recalcAfterChange();
}

void ShipDesign::SetThruster(int value)
{
    if (value < 0 || !rawFitsWith(Thruster, value))
        return;
    Thruster = value;
    if (value == 0 && Fusi == 0)
        Fusi = 1;
    recalcAcceleration();
    recalcAfterChange();
}

void ShipDesign::SetFusi(int value)
{
    if (value < 0 || !rawFitsWith(Fusi, value))
        return;
    Fusi = value;
    if (value == 0 && Thruster == 0)
        Thruster = 1;
    recalcAcceleration();
    recalcAfterChange();
}

void ShipDesign::SetMissles(int value)
{
    if (value < 0 || !rawFitsWith(Missles, value))
        return;
    Missles = value;
    recalcAS();
    recalcAfterChange();
}

void ShipDesign::SetLaser(int value)
{
    if (value < 0 || !rawFitsWith(Laser, value))
        return;
    Laser = value;
    recalcAS();
    recalcAfterChange();
}

void ShipDesign::SetPlasma(int value)
{
    if (value < 0 || !rawFitsWith(Plasma, value))
        return;
    Plasma = value;
    recalcAS();
    recalcAfterChange();
}

void ShipDesign::SetZVA(int value)
{
    if (value < 0 || !rawFitsWith(ZVA, value))
        return;
    ZVA = value;
    FlightTimePercent = toFloat(ZvaPercent(value));
    recalcAfterChange();
}

void ShipDesign::SetCrewed(bool value)
{
    if (Kolo || Inva || Raid || Sabo)
        return;
    Crewed = value;
    recalcAfterChange();
}

void ShipDesign::SetKolo(bool value)
{
    Kolo = value;
    if (value)
        Crewed = true;
    recalcAfterChange();
}

void ShipDesign::SetInva(bool value)
{
    Inva = value;
    if (value)
        Crewed = true;
    recalcAfterChange();
}

void ShipDesign::SetRaid(bool value)
{
    Raid = value;
    if (value)
        Crewed = true;
    recalcAfterChange();
}

void ShipDesign::SetSabo(bool value)
{
    Sabo = value;
    if (value)
        Crewed = true;
    recalcAfterChange();
}

void ShipDesign::SetRecy(bool value)
{
    Recy = value;
    recalcAfterChange();
}

void ShipDesign::SetSpy(bool value)
{
    Spy = value;
    recalcAfterChange();
}

void ShipDesign::SetCloak(bool value)
{
    Cloak = value;
    recalcAfterChange();
}

} // namespace qf

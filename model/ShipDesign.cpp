#include "model/ShipDesign.h"

#include "model/Formulas.h"

#include <limits>

namespace qf {

namespace {

// What a component level weighs in the base-element sum, and the factors of its
// cost curves for iron, silicon and carbon. In the order of Component.
struct ComponentRule {
    int weight;
    int fe;
    int si;
    int c;
};

constexpr std::array<ComponentRule, kComponentCount> kComponentRules = {{
    {1, 150, 25, 50},   // storage bays
    {1, 200, 25, 250},  // armour
    {1, 100, 50, 75},   // thruster
    {2, 250, 200, 150}, // fusion drive
    {3, 300, 600, 75},  // ZVA
    {1, 300, 200, 75},  // missile batteries
    {2, 250, 350, 100}, // laser cannons
    {3, 300, 450, 100}, // plasma throwers
}};

// What a special action weighs in the base-element sum, whether it needs a crew,
// and the fixed amounts it adds to the inhabitants, iron, silicon and carbon.
// In the order of Action.
struct ActionRule {
    int weight;
    bool needsCrew;
    int crew;
    int fe;
    int si;
    int c;
};

constexpr std::array<ActionRule, kActionCount> kActionRules = {{
    {0, false, 0, 0, 0, 0},                // crewed: changes stability and base costs only
    {5, false, 0, 50, 100, 15},            // spy
    {5, false, 0, 75, 400, 25},            // cloak
    {20, true, 75, 1750, 1000, 250},       // colonisation
    {40, true, 50, 10000, 12000, 2500},    // invasion
    {10, false, 0, 300, 200, 50},          // recycling
    {15, true, 10, 700, 500, 100},         // raid
    {15, true, 10, 1000, 700, 100},        // sabotage
}};

constexpr int64_t kAllActionsWeight = [] {
    int64_t sum = 0;
    for (const ActionRule &rule : kActionRules)
        sum += rule.weight;
    return sum;
}();

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

bool ShipDesign::IsChanged() const
{
    if (SBE != SavedSBE || Levels != SavedLevels || Flags != SavedFlags)
        return true;
    return NameChanged;
}

bool ShipDesign::HasValuesOf(const ShipDesign &other) const
{
    return Levels == other.Levels && Flags == other.Flags;
}

void ShipDesign::MarkSaved()
{
    SavedSBE = SBE;
    SavedLevels = Levels;
    SavedFlags = Flags;
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

bool ShipDesign::needsCrew() const
{
    for (int a = 0; a < kActionCount; ++a) {
        if (Flags[size_t(a)] && kActionRules[size_t(a)].needsCrew)
            return true;
    }
    return false;
}

int64_t ShipDesign::rawSBE() const
{
    int64_t raw = 0;
    for (int c = 0; c < kComponentCount; ++c)
        raw += int64_t(kComponentRules[size_t(c)].weight) * Levels[size_t(c)];
    for (int a = 0; a < kActionCount; ++a) {
        if (Flags[size_t(a)])
            raw += kActionRules[size_t(a)].weight;
    }
    return raw;
}

// The base-element sum is a 32-bit count: a level that would push it past
// 2,147,483,647 (with room left for every special action) is refused like any
// other invalid level.
bool ShipDesign::rawFitsWith(Component c, int value)
{
    int &member = level(c);
    const int old = member;
    member = value;
    const bool fits = rawSBE() + kAllActionsWeight <= std::numeric_limits<int32_t>::max();
    member = old;
    return fits;
}

void ShipDesign::recalcAcceleration()
{
    const int fusion = truncInt32(ValueCurve(GetFusi(), 100000));
    const int thruster = truncInt32(ValueCurve(GetThruster(), 20000));
    Acceleration = toFloat(static_cast<ext>(fusion + thruster));
}

void ShipDesign::recalcAS()
{
    const int sum = truncInt32(ValueCurve(GetMissles(), 30)) + truncInt32(ValueCurve(GetLaser(), 45))
                    + truncInt32(ValueCurve(GetPlasma(), 60));
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
    Stability = toFloat(ValueCurve(SBE, GetCrewed() ? 400 : 200));
}

void ShipDesign::RecalcCosts()
{
    const bool crewed = GetCrewed();
    Crew = toFloat(CostCurve(SBE, crewed ? 10 : 0));
    FE = toFloat(CostCurve(SBE, 200));
    SI = toFloat(CostCurve(SBE, crewed ? 200 : 300));
    C = toFloat(CostCurve(SBE, 50));

    for (int c = 0; c < kComponentCount; ++c) {
        const ComponentRule &rule = kComponentRules[size_t(c)];
        const int levelValue = Levels[size_t(c)];
        receive(FE, CostCurve(levelValue, rule.fe));
        receive(SI, CostCurve(levelValue, rule.si));
        receive(C, CostCurve(levelValue, rule.c));
    }

    for (int a = 0; a < kActionCount; ++a) {
        const ActionRule &rule = kActionRules[size_t(a)];
        if (!Flags[size_t(a)] || rule.fe == 0)
            continue; // crewed has no amounts of its own
        if (rule.crew != 0)
            receive(Crew, rule.crew);
        receive(FE, rule.fe);
        receive(SI, rule.si);
        receive(C, rule.c);
    }

    H2O = GetKolo() ? 30.0f : 0.0f;
    O2 = GetKolo() ? 60.0f : 0.0f;
}

void ShipDesign::recalcAfterChange()
{
    RecalcSBE();
    RecalcCosts();
}

// The value that follows from the component alone, recomputed before the sums.
void ShipDesign::recalcOwnValue(Component c)
{
    switch (c) {
    case Component::StorageBays:
        StorageCapacity = toFloat(ValueCurve(GetStorageBays(), 600));
        break;
    case Component::ArmorLevel:
        Armor = toFloat(ValueCurve(GetArmorLevel(), 15));
        break;
    case Component::Thruster:
    case Component::Fusi:
        recalcAcceleration();
        break;
    case Component::ZVA:
        FlightTimePercent = toFloat(ZvaPercent(GetZVA()));
        break;
    case Component::Missles:
    case Component::Laser:
    case Component::Plasma:
        recalcAS();
        break;
    }
}

void ShipDesign::SetLevel(Component c, int value)
{
    const int lowest = c == Component::StorageBays ? 1 : 0;
    if (value < lowest || !rawFitsWith(c, value))
        return;
    level(c) = value;
    // A ship always has a drive: dropping one drive to 0 while the other is 0 gives the other level 1.
    if (c == Component::Thruster && value == 0 && GetFusi() == 0)
        level(Component::Fusi) = 1;
    if (c == Component::Fusi && value == 0 && GetThruster() == 0)
        level(Component::Thruster) = 1;
    recalcOwnValue(c);
    recalcAfterChange();
}

void ShipDesign::SetFlag(Action a, bool value)
{
    if (a == Action::Crewed && needsCrew())
        return;
    Flags[size_t(indexOf(a))] = value;
    if (value && kActionRules[size_t(indexOf(a))].needsCrew)
        Flags[size_t(indexOf(Action::Crewed))] = true;
    recalcAfterChange();
}

} // namespace qf

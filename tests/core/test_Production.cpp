// Production time of a design and the mine levels that pay for it.
#include "model/Formulas.h"
#include "model/Production.h"

#include <gtest/gtest.h>
#include <functional>

using namespace qf;

namespace {

// The production rule written out on its own, in extended precision as the game
// computes it: b^n by repeated squaring, decimal constants as the nearest double.
long double power(long double b, int n)
{
    long double result = 1;
    long double x = b;
    while (n != 0) {
        if (n & 1)
            result = result * x;
        n >>= 1;
        if (n != 0)
            x = x * x;
    }
    return result;
}

long double factoryShare(int factory) { return power(double(0.91), factory < 1 ? 1 : factory); }

// One component: (1.11^level * base) * 0.91^factory, level capped at 100.
long double componentMinutes(int level, int factory, float base)
{
    if (level > 100)
        level = 100;
    if (level <= 0)
        return 0;
    const long double scaled = power(double(1.11), level) * static_cast<long double>(base);
    return scaled * factoryShare(factory);
}

// One special action: 0.91^factory * base.
long double actionMinutes(int factory, float base)
{
    return factoryShare(factory) * static_cast<long double>(base);
}

// The inputs of a design that the production time depends on.
struct Parts {
    int sbe = 1;
    int storage = 1, armor = 0, thruster = 0, fusion = 1, zva = 0;
    int missiles = 0, laser = 0, plasma = 0;
    bool kolo = false, inva = false, recy = false, spy = false, cloak = false, raid = false,
         sabo = false;
};

// The hulls and drives are built in the ship factory, the weapons in the weapon
// factory, and the special actions take ship-factory time.
float expectedMinutes(const Parts &p, int ship, int war)
{
    float total = 0;
    auto add = [&total](long double term) { total = static_cast<float>(total + term); };
    add(componentMinutes(p.sbe, ship, 90));
    add(componentMinutes(p.storage, ship, 75));
    add(componentMinutes(p.armor, ship, 120));
    add(componentMinutes(p.thruster, ship, 45));
    add(componentMinutes(p.fusion, ship, 180));
    add(componentMinutes(p.zva, ship, 450));
    add(componentMinutes(p.missiles, war, 45));
    add(componentMinutes(p.laser, war, 150));
    add(componentMinutes(p.plasma, war, 360));
    if (p.kolo) add(actionMinutes(ship, 1200));
    if (p.inva) add(actionMinutes(ship, 1440));
    if (p.recy) add(actionMinutes(ship, 90));
    if (p.spy) add(actionMinutes(ship, 45));
    if (p.cloak) add(actionMinutes(ship, 90));
    if (p.raid) add(actionMinutes(ship, 135));
    if (p.sabo) add(actionMinutes(ship, 180));
    return total;
}

struct ProductionCase {
    const char *what;
    std::function<void(ShipDesign &)> build;  // applied to a new design
    std::function<void(Parts &)> parts;       // the same design, base elements counted by hand
};

} // namespace

// Every component and every special action on its own, with the ship factory and the
// weapon factory at different levels, so that a term scaled by the wrong factory or
// carrying another term's base shows.
TEST(Production, EveryTermWithItsOwnFactoryAndBase)
{
    const ProductionCase cases[] = {
        {"new design", [](ShipDesign &) {}, [](Parts &) {}},
        {"storage 4", [](ShipDesign &d) { d.SetStorageBays(4); }, [](Parts &p) { p.storage = 4; }},
        {"armour 4", [](ShipDesign &d) { d.SetArmorLevel(4); }, [](Parts &p) { p.armor = 4; }},
        {"thruster 4", [](ShipDesign &d) { d.SetThruster(4); }, [](Parts &p) { p.thruster = 4; }},
        {"fusion 4", [](ShipDesign &d) { d.SetFusi(4); }, [](Parts &p) { p.fusion = 4; }},
        {"fusion 0", [](ShipDesign &d) { d.SetFusi(0); },
         [](Parts &p) { p.fusion = 0; p.thruster = 1; }},
        {"zva 4", [](ShipDesign &d) { d.SetZVA(4); }, [](Parts &p) { p.zva = 4; p.sbe = 2; }},
        {"missiles 4", [](ShipDesign &d) { d.SetMissles(4); }, [](Parts &p) { p.missiles = 4; }},
        {"laser 4", [](ShipDesign &d) { d.SetLaser(4); }, [](Parts &p) { p.laser = 4; p.sbe = 2; }},
        {"plasma 4", [](ShipDesign &d) { d.SetPlasma(4); }, [](Parts &p) { p.plasma = 4; p.sbe = 2; }},
        {"colonisation", [](ShipDesign &d) { d.SetKolo(true); }, [](Parts &p) { p.kolo = true; p.sbe = 3; }},
        {"invasion", [](ShipDesign &d) { d.SetInva(true); }, [](Parts &p) { p.inva = true; p.sbe = 5; }},
        {"recycling", [](ShipDesign &d) { d.SetRecy(true); }, [](Parts &p) { p.recy = true; p.sbe = 2; }},
        {"spy", [](ShipDesign &d) { d.SetSpy(true); }, [](Parts &p) { p.spy = true; }},
        {"cloak", [](ShipDesign &d) { d.SetCloak(true); }, [](Parts &p) { p.cloak = true; }},
        {"raid", [](ShipDesign &d) { d.SetRaid(true); }, [](Parts &p) { p.raid = true; p.sbe = 2; }},
        {"sabotage", [](ShipDesign &d) { d.SetSabo(true); }, [](Parts &p) { p.sabo = true; p.sbe = 2; }},
        {"crewed adds no time", [](ShipDesign &d) { d.SetCrewed(true); }, [](Parts &) {}},
    };
    const std::pair<int, int> factories[] = {{2, 9}, {9, 2}, {1, 5}, {-3, 4}};
    for (const ProductionCase &c : cases) {
        ShipDesign d;
        c.build(d);
        Parts p;
        c.parts(p);
        ASSERT_EQ(d.GetSBE(), p.sbe) << c.what;
        for (const auto &[ship, war] : factories) {
            EXPECT_EQ(ProductionMinutes(d, ship, war), expectedMinutes(p, ship, war))
                << c.what << " with ship factory " << ship << " and weapon factory " << war;
        }
    }
}

// A design with every component and every action, worked out term by term.
TEST(Production, EverythingAtOnce)
{
    ShipDesign d;
    d.SetStorageBays(3);
    d.SetArmorLevel(2);
    d.SetThruster(5);
    d.SetFusi(4);
    d.SetZVA(2);
    d.SetMissles(6);
    d.SetLaser(3);
    d.SetPlasma(1);
    for (auto setter : {&ShipDesign::SetKolo, &ShipDesign::SetInva, &ShipDesign::SetRecy,
                        &ShipDesign::SetSpy, &ShipDesign::SetCloak, &ShipDesign::SetRaid,
                        &ShipDesign::SetSabo})
        (d.*setter)(true);
    // raw = 3 + 2 + 5 + 2*4 + 3*2 + 6 + 2*3 + 3*1 + 110 = 149
    ASSERT_EQ(d.GetSBE(), 15);
    Parts p;
    p.sbe = 15;
    p.storage = 3;
    p.armor = 2;
    p.thruster = 5;
    p.fusion = 4;
    p.zva = 2;
    p.missiles = 6;
    p.laser = 3;
    p.plasma = 1;
    p.kolo = p.inva = p.recy = p.spy = p.cloak = p.raid = p.sabo = true;
    EXPECT_EQ(ProductionMinutes(d, 4, 9), expectedMinutes(p, 4, 9));
    EXPECT_EQ(ProductionMinutes(d, 9, 4), expectedMinutes(p, 9, 4));
    EXPECT_EQ(DurationText(ProductionMinutes(d, 4, 9)), "59:22:06");
    EXPECT_EQ(DurationText(ProductionMinutes(d, 9, 4)), "41:51:19");
}

TEST(Production, NewDesignWithFactoriesAtOne)
{
    const ShipDesign d;
    EXPECT_NEAR(ProductionMinutes(d, 1, 1), 90.909 + 75.758 + 181.818, 0.001);
    const ProductionFigures p = ComputeProduction(d, 1, 1, d.GetFE(), d.GetSI(), d.GetC());
    EXPECT_EQ(p.productionTime, "05:48:29");
    EXPECT_EQ(p.feMine, "5");
    EXPECT_EQ(p.siMine, "9");
    EXPECT_EQ(p.cMine, "6");
}

TEST(Production, FactoriesScaleTheirOwnTerms)
{
    ShipDesign d;
    d.SetLaser(2);
    const float base = ProductionMinutes(d, 1, 1);
    const float ship2 = ProductionMinutes(d, 2, 1);
    const float war2 = ProductionMinutes(d, 1, 2);
    const double laser = double(BuildTime(2, 1, 150));
    EXPECT_NEAR(ship2, (base - laser) * 0.91 + laser, 0.01);
    EXPECT_NEAR(war2, base - laser * 0.09, 0.01);
    // Factory levels of 0 or below count as 1.
    EXPECT_EQ(ProductionMinutes(d, 0, -3), base);
}

TEST(Production, SpecialActionsAddShipFactoryTime)
{
    ShipDesign d;
    const float base = ProductionMinutes(d, 1, 1);
    d.SetKolo(true);
    EXPECT_NEAR(ProductionMinutes(d, 1, 1) - base, 1200 * 0.91 + (BuildTime(3, 1, 90) - BuildTime(1, 1, 90)), 0.01);
    ShipDesign crewed;
    crewed.SetCrewed(true);
    EXPECT_EQ(ProductionMinutes(crewed, 1, 1), base);
}

TEST(Production, FactoryLevelsFarBeyondTheGameRaiseAnErrorNotGarbage)
{
    const ShipDesign d;
    // The production time underflows to 0: no mine level exists.
    EXPECT_EQ(ProductionMinutes(d, 100000, 1), 0.0f);
    EXPECT_THROW(ComputeProduction(d, 100000, 1, 333, 291, 138), ArithmeticError);
}

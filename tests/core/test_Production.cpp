// Production time of a design and the mine levels that pay for it.
#include "model/Formulas.h"
#include "model/Production.h"

#include <gtest/gtest.h>
#include <array>
#include <functional>
#include <iterator>

using namespace qf;

namespace {

struct ProductionCase {
    const char *what;
    std::function<void(ShipDesign &)> build; // applied to a new design
    std::array<float, 4> minutes;            // with each pair of factory levels below
};

// Ship factory and weapon factory at different levels (below 1 counts as 1).
const std::pair<int, int> kFactories[] = {{2, 9}, {9, 2}, {1, 5}, {-3, 4}};

} // namespace

// Every component and every special action on its own, with the ship factory and the
// weapon factory at different levels, so that a term scaled by the wrong factory or
// carrying another term's base shows. The minutes are the game's, to the float.
TEST(Production, EveryTermWithItsOwnFactoryAndBase)
{
    const ProductionCase cases[] = {
        {"new design", [](ShipDesign &) {},
         {317.120911f, 163.875717f, 348.484497f, 348.484497f}},
        {"storage 4", [](ShipDesign &d) { d.SetStorageBays(4); },
         {342.465118f, 176.972626f, 376.335297f, 376.335297f}},
        {"armour 4", [](ShipDesign &d) { d.SetArmorLevel(4); },
         {467.974579f, 241.831039f, 514.257812f, 514.257812f}},
        {"thruster 4", [](ShipDesign &d) { d.SetThruster(4); },
         {373.69104f, 193.108963f, 410.649475f, 410.649475f}},
        {"fusion 4", [](ShipDesign &d) { d.SetFusi(4); },
         {377.947052f, 195.308304f, 415.326447f, 415.326447f}},
        {"fusion 0", [](ShipDesign &d) { d.SetFusi(0); },
         {193.030121f, 99.7504349f, 212.121002f, 212.121002f}},
        {"zva 4", [](ShipDesign &d) { d.SetZVA(4); },
         {891.922241f, 460.910645f, 980.134338f, 980.134338f}},
        {"missiles 4", [](ShipDesign &d) { d.SetMissles(4); },
         {346.354156f, 220.445847f, 391.114105f, 395.330231f}},
        {"laser 4", [](ShipDesign &d) { d.SetLaser(4); },
         {423.665009f, 357.145355f, 500.583221f, 514.636902f}},
        {"plasma 4", [](ShipDesign &d) { d.SetPlasma(4); },
         {560.086792f, 621.139343f, 699.521423f, 733.250305f}},
        {"colonisation", [](ShipDesign &d) { d.SetKolo(true); },
         {1330.04187f, 687.313782f, 1461.58447f, 1461.58447f}},
        {"invasion", [](ShipDesign &d) { d.SetInva(true); },
         {1552.44336f, 802.242249f, 1705.98181f, 1705.98181f}},
        {"recycling", [](ShipDesign &d) { d.SetRecy(true); },
         {400.749878f, 207.091934f, 440.384491f, 440.384491f}},
        {"spy", [](ShipDesign &d) { d.SetSpy(true); },
         {354.385406f, 183.132553f, 389.434509f, 389.434509f}},
        {"cloak", [](ShipDesign &d) { d.SetCloak(true); },
         {391.649902f, 202.389404f, 430.384491f, 430.384491f}},
        {"raid", [](ShipDesign &d) { d.SetRaid(true); },
         {438.014374f, 226.34877f, 481.334503f, 481.334503f}},
        {"sabotage", [](ShipDesign &d) { d.SetSabo(true); },
         {475.2789f, 245.605606f, 522.284485f, 522.284485f}},
        {"crewed adds no time", [](ShipDesign &d) { d.SetCrewed(true); },
         {317.120911f, 163.875717f, 348.484497f, 348.484497f}},
    };
    for (const ProductionCase &c : cases) {
        ShipDesign d;
        c.build(d);
        for (size_t i = 0; i < std::size(kFactories); ++i) {
            const auto [ship, war] = kFactories[i];
            EXPECT_EQ(ProductionMinutes(d, ship, war), c.minutes[i])
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
    EXPECT_EQ(ProductionMinutes(d, 4, 9), 3562.10352f);
    EXPECT_EQ(ProductionMinutes(d, 9, 4), 2511.32031f);
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

#pragma once
// The two sides of a battle. The home fleet is the player's ("Heimatflotte"),
// the foreign fleet the one it fights ("Fremdflotte").
#include <cstddef>

namespace qf {

enum class Side { Home, Foreign };

constexpr Side kBothSides[] = {Side::Home, Side::Foreign};

constexpr Side Opponent(Side side) { return side == Side::Home ? Side::Foreign : Side::Home; }

// The side's place in arrays of two, home first.
constexpr std::size_t Index(Side side) { return side == Side::Home ? 0 : 1; }

} // namespace qf

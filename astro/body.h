#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace orbisca {

// The ten bodies of a chart, in the slot order of the planet table.
enum class Body : unsigned char { Sun, Moon, Mercury, Venus, Mars, Jupiter, Saturn, Uranus, Neptune, Pluto };

inline constexpr std::size_t kBodyCount = 10;
inline constexpr std::size_t kPlanetTableSlots = 14;

// Names of the planet table's slots. The last four are named only: nothing
// computes a longitude for them.
inline constexpr std::array<std::string_view, kPlanetTableSlots> kSlotNames = {
    "Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn",
    "Uranus", "Neptune", "Pluto", "Asc", "Midheaven", "Rahu", "Ketu"};

inline constexpr std::size_t Index(Body b) { return static_cast<std::size_t>(b); }
inline constexpr std::string_view BodyName(Body b) { return kSlotNames[Index(b)]; }

inline constexpr std::array<Body, kBodyCount> kAllBodies = {
    Body::Sun, Body::Moon, Body::Mercury, Body::Venus, Body::Mars,
    Body::Jupiter, Body::Saturn, Body::Uranus, Body::Neptune, Body::Pluto};

}  // namespace orbisca

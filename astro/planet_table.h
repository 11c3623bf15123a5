#pragma once

#include <array>
#include <string_view>

#include "astro/body.h"

namespace orbisca {

// Sidereal longitudes of the chart's bodies. Slots 0 to 9 carry a longitude in
// degrees, 0 <= value < 360; slots 10 to 13 are named only.
struct PlanetTable {
  std::array<std::string_view, kPlanetTableSlots> BodyNames{};
  std::array<double, kPlanetTableSlots> BodyLongitudes{};

  double Longitude(Body b) const { return BodyLongitudes[Index(b)]; }
  bool operator==(const PlanetTable&) const = default;
};

}  // namespace orbisca

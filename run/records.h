#pragma once

#include <array>
#include <string_view>

#include "astro/body.h"
#include "run/chart_input.h"

namespace orbisca {

// Sidereal longitudes of the chart's bodies. Slots 0 to 9 carry a longitude in
// degrees, 0 <= value < 360; slots 10 to 13 are named only.
struct PlanetTable {
  std::array<std::string_view, kPlanetTableSlots> BodyNames{};
  std::array<double, kPlanetTableSlots> BodyLongitudes{};

  double Longitude(Body b) const { return BodyLongitudes[Index(b)]; }
  bool operator==(const PlanetTable&) const = default;
};

// The program-wide records that a run overwrites step by step: the birth data,
// the sidereal shift, the Moon, the planets in computation order and the
// planet table. They live from start to end of the program.
struct ProgramRecords {
  ChartInput Input;
  double SiderealShift = 0.0;
  double MoonLongitude = 0.0;
  std::array<double, 9> PlanetLongitudes{};
  PlanetTable Planets;
};

ProgramRecords& Records();

}  // namespace orbisca

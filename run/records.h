#pragma once

// The program-wide records of a run and the four steps that fill them. Only
// the run (RunChart) uses them; everything else calls the pure functions the
// steps wrap (PositionsAt, FindAspects, WriteAspects).

#include <array>
#include <vector>

#include "aspects/aspects.h"
#include "aspects/results_sink.h"
#include "astro/planet_table.h"
#include "run/chart_input.h"

namespace orbisca {

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

// The set-up step: SiderealShift from the Input.
void CalcSiderealShift();
// The Moon step: MoonLongitude from the Input.
void CalcMoonPosition();
// The planet step: PlanetLongitudes and the planet table from the Input, the
// SiderealShift and the MoonLongitude that the earlier steps left.
void CalcPlanetPositions();
// The aspect step: the aspects of the planet table written into the sink.
// Returns the list it wrote, so that every other view of the aspects shows
// the same pairs.
std::vector<AspectEntry> CalcAspects(ResultsSink& sink);

}  // namespace orbisca

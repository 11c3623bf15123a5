#pragma once

// The program-wide records of a run and the four steps that fill them, kept
// as the names of the original program's steps: each is a thin wrapper over
// ComputeChart. Nothing in the program calls them; the views read a Chart.

#include <vector>

#include "run/chart.h"

namespace orbisca {

struct ProgramRecords {
  Birth Input;
  double SiderealShift = 0.0;
  double MoonLongitude = 0.0;
  PlanetTable Planets;
};

ProgramRecords& Records();

// SiderealShift, the MoonLongitude, the planet table and the aspects of the
// Input, each from the chart of the Input.
void CalcSiderealShift();
void CalcMoonPosition();
void CalcPlanetPositions();
std::vector<AspectEntry> CalcAspects();

}  // namespace orbisca

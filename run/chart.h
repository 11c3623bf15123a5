#pragma once

// The chart of one birth, computed once and read by every view: the tabs,
// the report, the Chart tab, the picture, --json and the listing.

#include <array>
#include <string>
#include <vector>

#include "aspects/aspects.h"
#include "astro/body.h"
#include "astro/julian.h"
#include "astro/planet_table.h"
#include "astro/zodiac.h"
#include "run/birth.h"

namespace orbisca {

// What the chart may compute besides the positions and the aspects. The
// nodes, the dasha, the divisional charts and the particulars add their
// switches here as they join the chart.
struct ChartOptions {};

// The instant the positions were computed for.
struct ChartInstant {
  double universalHours;     // on the local calendar date (UniversalTimeHours)
  CalendarMinute universal;  // the same, carried into the calendar
  double julianDay;          // of that instant, universal time
  double siderealShift;      // as the positions use it (negative)
};

struct BodyPosition {
  Body body;
  double longitude;  // sidereal, degrees
  ZodiacPosition where;
};

struct AscendantPosition {
  double longitude;  // sidereal, degrees
  ZodiacPosition where;
};

struct Chart {
  ChartInstant instant;
  PlanetTable planets;  // the table the aspects are found in
  std::array<BodyPosition, kBodyCount> bodies;
  AscendantPosition ascendant;
  // Every ordered pair in an aspect, in the order the tabs list them.
  std::vector<AspectEntry> aspects;
  // Later members: the nodes, the dasha, the divisional charts, the particulars.
};

// The chart of a birth. Pure: the same birth gives the same chart.
Chart ComputeChart(const Birth& birth, const ChartOptions& options = {});

// "Universal time 1976-07-04 14:15, Julian day 2442964.09375, sidereal shift 23°31′58″".
std::string InstantLine(const ChartInstant& instant);

// "40°42′N 74°00′W".
std::string PlaceCoordinates(const Birth& birth);

}  // namespace orbisca

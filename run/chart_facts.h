#pragma once

// What a chart was computed from and where its bodies stand: the instant, the
// sidereal shift, each body's sign, degrees and nakshatra, and the ascendant.

#include <array>
#include <string>

#include "astro/body.h"
#include "astro/planet_position.h"
#include "astro/zodiac.h"
#include "report/chart_picture.h"
#include "run/chart_input.h"
#include "run/records.h"

namespace orbisca {

struct BodyPosition {
  Body body;
  double longitude;  // sidereal, degrees
  ZodiacPosition where;
};

struct ChartFacts {
  CalendarMinute universal;  // the planets' instant
  double julianDay;          // of that instant, universal time
  double siderealShift;      // as the set-up step computes it (negative)
  PlanetTable planets;       // the same table the run gives the aspect step
  std::array<BodyPosition, kBodyCount> bodies;
  double ascendant;          // sidereal, degrees
  ZodiacPosition ascendantWhere;
};

// Signed longitude of the birth place, east positive, and latitude, north
// positive, in degrees.
double EastLongitude(const ChartInput& in);
double NorthLatitude(const ChartInput& in);

// The chart of one birth, by the same steps and in the same order as the run.
ChartFacts ComputeChartFacts(const ChartInput& in);

// "Universal time 1976-07-04 14:15, Julian day 2442964.09375, sidereal shift 23°31′58″".
std::string InstantLine(const ChartFacts& facts);

// "40°42′N 74°00′W".
std::string PlaceCoordinates(const ChartInput& in);

// The picture of the chart: the ten bodies and the lagna in their signs; the
// centre shows the name, the local date and time and the place (the typed
// place, when there is one, above the coordinates).
ChartPicture PictureOfChart(const ChartInput& in, const ChartFacts& facts, const std::string& placeName);

}  // namespace orbisca

#pragma once

// What a chart was computed from and where its bodies stand: the instant, the
// sidereal shift, each body's sign, degrees and nakshatra, and the ascendant.

#include <array>

#include "astro/body.h"
#include "astro/julian.h"
#include "astro/planet_table.h"
#include "astro/zodiac.h"

namespace orbisca {

struct BodyPosition {
  Body body;
  double longitude;  // sidereal, degrees
  ZodiacPosition where;
};

struct ChartFacts {
  CalendarMinute universal;  // the planets' instant
  double julianDay;          // of that instant, universal time
  double siderealShift;      // as the positions use it (negative)
  PlanetTable planets;       // the same table the aspects are found in
  std::array<BodyPosition, kBodyCount> bodies;
  double ascendant;          // sidereal, degrees
  ZodiacPosition ascendantWhere;
};

// The chart at a birth instant and place: longitude east positive, latitude
// north positive, in degrees.
ChartFacts ChartFactsAt(const BirthInstant& instant, double eastLongitude, double latitude);

// "Universal time 1976-07-04 14:15, Julian day 2442964.09375, sidereal shift 23°31′58″".
std::string InstantLine(const ChartFacts& facts);

}  // namespace orbisca

#include "astro/chart_positions.h"

#include <cstdio>

#include "astro/ascendant.h"
#include "astro/planet_position.h"

namespace orbisca {

ChartFacts ChartFactsAt(const BirthInstant& instant, double eastLongitude, double latitude) {
  const ChartPositions positions = PositionsAt(instant);
  ChartFacts f{};
  f.universal = UniversalCalendarMinute(instant);
  f.julianDay = kJulianDayJ2000 + DayNumberJ2000(f.universal);
  f.siderealShift = positions.siderealShift;
  f.planets = positions.planets;
  for (Body b : kAllBodies) {
    const double lon = f.planets.Longitude(b);
    f.bodies[Index(b)] = {b, lon, ZodiacPositionOf(lon)};
  }
  f.ascendant = SiderealAscendant(f.julianDay, eastLongitude, latitude, f.siderealShift);
  f.ascendantWhere = ZodiacPositionOf(f.ascendant);
  return f;
}

std::string InstantLine(const ChartFacts& facts) {
  const CalendarMinute& u = facts.universal;
  char buffer[96];
  std::snprintf(buffer, sizeof buffer, "Universal time %04d-%02d-%02d %02d:%02d, Julian day %.5f, sidereal shift ",
                u.year, u.month, u.day, u.hour, u.minute, facts.julianDay);
  return buffer + FormatArcDms(facts.siderealShift);
}

}  // namespace orbisca

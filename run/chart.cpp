#include "run/chart.h"

#include <cstdio>

#include "astro/ascendant.h"
#include "astro/planet_position.h"

namespace orbisca {

Chart ComputeChart(const Birth& birth, const ChartOptions& /*options*/) {
  const BirthInstant instant = InstantOf(birth);
  const ChartPositions positions = PositionsAt(instant);
  Chart c{};
  c.instant.universalHours = instant.universalHours;
  c.instant.universal = UniversalCalendarMinute(instant);
  c.instant.julianDay = kJulianDayJ2000 + DayNumberJ2000(c.instant.universal);
  c.instant.siderealShift = positions.siderealShift;
  c.planets = positions.planets;
  for (Body b : kAllBodies) {
    const double lon = c.planets.Longitude(b);
    c.bodies[Index(b)] = {b, lon, ZodiacPositionOf(lon)};
  }
  const double asc = SiderealAscendant(c.instant.julianDay, EastLongitude(birth), NorthLatitude(birth),
                                       c.instant.siderealShift);
  c.ascendant = {asc, ZodiacPositionOf(asc)};
  c.aspects = FindAspects(c.planets);
  return c;
}

std::string InstantLine(const ChartInstant& instant) {
  const CalendarMinute& u = instant.universal;
  char buffer[96];
  std::snprintf(buffer, sizeof buffer, "Universal time %04d-%02d-%02d %02d:%02d, Julian day %.5f, sidereal shift ",
                u.year, u.month, u.day, u.hour, u.minute, instant.julianDay);
  return buffer + FormatArcDms(instant.siderealShift);
}

std::string PlaceCoordinates(const Birth& b) {
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%d\u00B0%02d\u2032%s %d\u00B0%02d\u2032%s", b.latDegrees, b.latMinutes,
                b.south ? "S" : "N", b.lonDegrees, b.lonMinutes, b.east ? "E" : "W");
  return buffer;
}

}  // namespace orbisca

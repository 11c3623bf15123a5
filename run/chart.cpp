#include "run/chart.h"

#include <cstdio>

#include "astro/ascendant.h"
#include "astro/civil_day.h"
#include "astro/planet_position.h"

namespace orbisca {

Chart ComputeChart(const Birth& birth, const ChartOptions& options) {
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

  const ZoneCorrection zone = CorrectionOf(birth.zone);
  c.instant.clockOffsetHours = (birth.dst ? 1.0 : 0.0) - (zone.hours + zone.minutes / 60.0);
  c.nodeKind = options.nodeKind;
  const LunarNodes nodes = SiderealNodes(c.instant.julianDay, c.instant.siderealShift, options.nodeKind);
  c.nodes = {{{Node::Rahu, nodes.rahu, ZodiacPositionOf(nodes.rahu)}, {Node::Ketu, nodes.ketu, ZodiacPositionOf(nodes.ketu)}}};

  const double sun = c.planets.Longitude(Body::Sun), moon = c.planets.Longitude(Body::Moon);
  c.particulars.weekday = WeekdayOf(birth.year, birth.month, birth.day);
  c.particulars.vara = VaraAt(c.instant.julianDay, c.instant.clockOffsetHours, EastLongitude(birth), NorthLatitude(birth));
  c.particulars.day = ParticularsOf(sun, moon);

  c.dasha.year = options.dashaYear;
  c.dasha.balance = VimshottariBalance(moon);
  if (options.dashaLevels > 0) {
    c.dasha.periods = VimshottariDasha(c.instant.julianDay, moon, DashaYearDays(options.dashaYear), options.dashaLevels);
  }
  if (options.vargas) {
    std::array<double, kVargaPointCount> points{};
    for (Body b : kAllBodies) points[Index(b)] = c.bodies[Index(b)].longitude;
    points[kVargaRahu] = c.nodes[0].longitude;
    points[kVargaKetu] = c.nodes[1].longitude;
    points[kVargaAscendant] = c.ascendant.longitude;
    for (std::size_t v = 0; v < kVargas.size(); ++v) {
      for (std::size_t p = 0; p < kVargaPointCount; ++p) c.vargas.signs[v][p] = VargaSign(kVargas[v].varga, points[p]);
    }
  }
  return c;
}

const std::array<int, kVargaPointCount>& ChartVargas::Of(Varga v) const {
  std::size_t i = 0;
  while (i + 1 < kVargas.size() && kVargas[i].varga != v) ++i;
  return signs[i];
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

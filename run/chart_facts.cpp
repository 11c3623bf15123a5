#include "run/chart_facts.h"

#include <cstdio>

#include "astro/ascendant.h"
#include "astro/julian.h"
#include "astro/moon.h"

namespace orbisca {

double EastLongitude(const ChartInput& in) {
  const double g = in.LonDeg + in.LonMin / 60.0;
  return IsSet(in.IsEast) ? g : -g;
}

double NorthLatitude(const ChartInput& in) {
  const double l = in.LatDeg + in.LatMin / 60.0;
  return IsSet(in.IsSouth) ? -l : l;
}

ChartFacts ComputeChartFacts(const ChartInput& in) {
  ChartFacts f{};
  f.universal = UniversalDateTime(in);
  const CalendarMinute& ut = f.universal;
  const double d = DayNumberJ2000(ut.year, ut.month, ut.day, ut.hour, ut.minute);
  f.julianDay = kJulianDayJ2000 + d;
  f.siderealShift = SiderealShiftFor(in);
  f.planets = BuildPlanetTable(PlanetSiderealLongitudes(d, f.siderealShift), MoonSiderealLongitude(in));
  for (Body b : kAllBodies) {
    const double lon = f.planets.Longitude(b);
    f.bodies[Index(b)] = {b, lon, ZodiacPositionOf(lon)};
  }
  f.ascendant = SiderealAscendant(f.julianDay, EastLongitude(in), NorthLatitude(in), f.siderealShift);
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

std::string PlaceCoordinates(const ChartInput& in) {
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%d\u00B0%02d\u2032%s %d\u00B0%02d\u2032%s", in.LatDeg, in.LatMin,
                IsSet(in.IsSouth) ? "S" : "N", in.LonDeg, in.LonMin, IsSet(in.IsEast) ? "E" : "W");
  return buffer;
}

ChartPicture PictureOfChart(const ChartInput& in, const ChartFacts& facts, const std::string& placeName) {
  ChartPicture p;
  p.name = in.PersonName;
  char local[48];
  std::snprintf(local, sizeof local, "%04d-%02d-%02d %02d:%02d", in.BirthYear, in.BirthMonth, in.BirthDay,
                in.BirthHour, in.BirthMinute);
  p.localDateTime = std::string(local) + (IsSet(in.IsDst) ? " DST" : "");
  if (!placeName.empty()) p.placeLines.push_back(placeName);
  p.placeLines.push_back(PlaceCoordinates(in));
  p.marks.push_back({std::string(kAscendantAbbreviation), facts.ascendantWhere.sign,
                     FormatInSign(facts.ascendantWhere), true});
  for (const BodyPosition& b : facts.bodies)
    p.marks.push_back({std::string(Abbreviation(b.body)), b.where.sign, FormatInSign(b.where), false});
  return p;
}

}  // namespace orbisca

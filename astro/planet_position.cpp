#include "astro/planet_position.h"

#include <cmath>

#include "astro/moon.h"
#include "astro/orbital_elements.h"

namespace orbisca {

// The planets' shift and the Moon's (MoonSiderealCorrection) are the same
// Lahiri formula written from two epochs: here T counts centuries from 1900
// and the constant is the ayanamsa there, 80861.27"; the Moon's T counts from
// J2000 with 85886.27". The two epochs' node and Sun terms are not the same
// polynomials, so the two shifts differ by a fraction of an arc-second. Both
// are kept as the original program computed them: every body's longitude,
// and so every aspect, depends on its own shift.
double PlanetSiderealCorrection(double T) {
  const double node = (933060.0 - 6962911.0 * T + 7.5 * T * T) / 3600.0;  // Moon's mean node
  const double twiceSun = (2013816.0 + 259205536.0 * T) / 3600.0;           // twice the Sun's mean longitude
  const double nutation = 1.27 * std::sin(twiceSun * kDegToRad) + 17.23 * std::sin(node * kDegToRad);
  const double precession = (5025.64 + 1.11 * T) * T;
  return (nutation - precession - 80861.27) / 3600.0;
}

double Centuries1900(const BirthInstant& instant) {
  const double jdn = JulianDayNumber(instant.month, instant.day, instant.year);
  return ((jdn - 2415020.0) + instant.universalHours / 24.0 - 0.5) / 36525.0;
}

double SiderealShiftFor(const BirthInstant& instant) { return PlanetSiderealCorrection(Centuries1900(instant)); }

double PrecessionSinceJ2000(double T) { return (5028.796195 * T + 1.1054348 * T * T) / 3600.0; }

std::array<double, 9> PlanetSiderealLongitudes(double d, double siderealShift) {
  // The orbital elements give longitudes on the fixed J2000 equinox; the
  // ayanamsa is counted from the equinox of date, so precess first.
  const double precession = PrecessionSinceJ2000(d / 36525.0);
  const std::array<double, kOrbitalBodies> tropical = GeocentricLongitudes(d);
  std::array<double, 9> out{};
  for (std::size_t i = 0; i < out.size(); ++i) {
    double s = tropical[i] + precession - std::fabs(siderealShift);
    while (s < 0.0) s += 360.0;
    while (s >= 360.0) s -= 360.0;
    out[i] = s;
  }
  return out;
}

std::array<double, 9> PlanetSiderealLongitudes(const BirthInstant& instant, double siderealShift) {
  return PlanetSiderealLongitudes(DayNumberJ2000(UniversalCalendarMinute(instant)), siderealShift);
}

PlanetTable BuildPlanetTable(const std::array<double, 9>& p, double moonLongitude) {
  PlanetTable table;
  table.BodyNames = kSlotNames;
  // Computation order is Mercury, Venus, Sun(Earth), Mars, ... Pluto.
  table.BodyLongitudes[Index(Body::Sun)] = p[2];
  table.BodyLongitudes[Index(Body::Moon)] = moonLongitude;
  table.BodyLongitudes[Index(Body::Mercury)] = p[0];
  table.BodyLongitudes[Index(Body::Venus)] = p[1];
  for (std::size_t k = 3; k < 9; ++k) table.BodyLongitudes[k + 1] = p[k];
  return table;
}

ChartPositions PositionsAt(const BirthInstant& instant) {
  ChartPositions c;
  c.siderealShift = SiderealShiftFor(instant);
  c.moonLongitude = MoonSiderealLongitude(instant);
  c.planetLongitudes = PlanetSiderealLongitudes(instant, c.siderealShift);
  c.planets = BuildPlanetTable(c.planetLongitudes, c.moonLongitude);
  return c;
}

}  // namespace orbisca

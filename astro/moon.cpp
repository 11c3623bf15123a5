#include "astro/moon.h"

#include <cmath>

#include "astro/julian.h"
#include "astro/orbital_elements.h"

namespace orbisca {

double MoonCenturies(const BirthInstant& instant) {
  const double jdn = JulianDayNumber(instant.month, instant.day, instant.year);
  return ((jdn - 2451545.0) + instant.universalHours / 24.0 - 0.5) / 36525.0;
}

double MoonPeriodicSum(double T) {
  // Mean elements, linear in T only, left unreduced.
  const double D = (297.8502042 + 445267.1115168 * T) * kDegToRad;
  const double M = (357.5291092 + 35999.0502909 * T) * kDegToRad;
  const double Mp = (134.9634114 + 477198.8676313 * T) * kDegToRad;
  const double F = (93.2720993 + 483202.0175273 * T) * kDegToRad;
  const double E = 1.0 - 0.002516 * T - 0.0000074 * T * T;

  double sum = 0.0;
  for (const MoonTerm& t : MoonTerms) {
    double term = t.coefficient * std::sin(t.D * D + t.M * M + t.Mp * Mp + t.F * F);
    if (t.withE) term *= E;
    sum += term;
  }
  return sum;
}

double MoonTropicalLongitude(double T) {
  const double meanLongitude = 218.3164591 + 481267.88134236 * T;
  double lambda = meanLongitude + MoonPeriodicSum(T);
  while (lambda < 0.0) lambda += 360.0;
  while (lambda > 360.0) lambda -= 360.0;
  return lambda;
}

double MoonSiderealCorrection(double T) {
  const double node = 125.044555 - 1934.1361849 * T + 0.0020762 * T * T;
  const double sunMean = 280.466449 + 36000.7698231 * T + 0.0003106 * T * T;
  const double nutation = 1.27 * std::sin(2.0 * sunMean * kDegToRad) + 17.23 * std::sin(node * kDegToRad);
  const double precession = T * (5025.64 + 1.11 * T);
  return (nutation - precession - 85886.27) / 3600.0;
}

double MoonSiderealLongitude(const BirthInstant& instant) {
  const double T = MoonCenturies(instant);
  double longitude = MoonTropicalLongitude(T) + MoonSiderealCorrection(T);
  if (longitude < 0.0) longitude += 360.0;
  return longitude;
}

}  // namespace orbisca

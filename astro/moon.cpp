#include "astro/moon.h"

#include <array>
#include <cmath>

#include "astro/angle_multiples.h"
#include "astro/julian.h"
#include "astro/orbital_elements.h"

namespace orbisca {

double MoonCenturies(const BirthInstant& instant) {
  const double jdn = JulianDayNumber(instant.month, instant.day, instant.year);
  return ((jdn - 2451545.0) + instant.universalHours / 24.0 - 0.5) / 36525.0;
}

namespace {

constexpr bool WithinMultiples() {
  const auto within = [](int k, int n) { return -n <= k && k <= n; };
  for (const MoonTerm& t : MoonTerms) {
    if (!within(t.D, 4) || !within(t.M, 1) || !within(t.Mp, 3) || !within(t.F, 2)) return false;
  }
  return true;
}
static_assert(WithinMultiples(), "a lunar term needs more multiples than MoonPeriodicSum prepares");

}  // namespace

double MoonPeriodicSum(double T) {
  // Mean elements, linear in T only, left unreduced.
  const double D = (297.8502042 + 445267.1115168 * T) * kDegToRad;
  const double M = (357.5291092 + 35999.0502909 * T) * kDegToRad;
  const double Mp = (134.9634114 + 477198.8676313 * T) * kDegToRad;
  const double F = (93.2720993 + 483202.0175273 * T) * kDegToRad;
  const double E = 1.0 - 0.002516 * T - 0.0000074 * T * T;

  // Each term's sine from the multiples of the four angles (the terms use
  // D up to 4, M up to 1, M' up to 3, F up to 2): four sines and cosines
  // instead of twenty-five sines.
  const auto d = Multiples<4>(D);
  const auto m = Multiples<1>(M);
  const auto mp = Multiples<3>(Mp);
  const auto f = Multiples<2>(F);
  double sum = 0.0;
  for (const MoonTerm& t : MoonTerms) {
    const Turn angle = d[static_cast<std::size_t>(4 + t.D)] * m[static_cast<std::size_t>(1 + t.M)] *
                       mp[static_cast<std::size_t>(3 + t.Mp)] * f[static_cast<std::size_t>(2 + t.F)];
    double term = t.coefficient * angle.s;
    if (t.withE) term *= E;
    sum += term;
  }
  return sum;
}

double ReduceLongitudeKeeping360(double x) {
  // x - 360 n is exact for |x| < 2^44 (both are multiples of x's last
  // place, and the difference is smaller than x), so one step gives to the
  // bit what adding or taking 360 a thousand times would. The quotient can
  // round up to the next whole number: then the remainder is negative.
  double r = x - 360.0 * static_cast<double>(static_cast<long long>(x / 360.0));
  if (r < 0.0) r += 360.0;
  if (r == 0.0 && x > 0.0) r = 360.0;
  return r;
}

double MoonTropicalLongitude(double T) {
  const double meanLongitude = 218.3164591 + 481267.88134236 * T;
  return ReduceLongitudeKeeping360(meanLongitude + MoonPeriodicSum(T));
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

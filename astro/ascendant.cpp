#include "astro/ascendant.h"

#include <cmath>
#include <numbers>

namespace orbisca {
namespace {

constexpr double kRadPerDeg = std::numbers::pi / 180.0;

double Reduce360(double degrees) {
  double r = std::fmod(degrees, 360.0);
  if (r < 0.0) r += 360.0;
  return r >= 360.0 ? 0.0 : r;  // fmod of a tiny negative can round up to 360
}

}  // namespace

// IAU 1982 expression of mean sidereal time (Aoki et al. 1982) in the degree
// form of Meeus, "Astronomical Algorithms", 2nd ed., eq. 12.4, with T counted
// from J2000.0 in Julian centuries of universal time.
double GreenwichMeanSiderealTime(double julianDayUt) {
  const double days = julianDayUt - kJulianDayJ2000;
  const double T = days / 36525.0;
  return Reduce360(280.46061837 + 360.98564736629 * days + 0.000387933 * T * T - T * T * T / 38710000.0);
}

// Lieske et al. 1977 (IAU 1976), as Meeus eq. 22.2: 23°26'21.448" less
// 46.8150"T, 0.00059"T² and plus 0.001813"T³.
double MeanObliquity(double T) {
  const double arcsec = 84381.448 - 46.8150 * T - 0.00059 * T * T + 0.001813 * T * T * T;
  return arcsec / 3600.0;
}

// The two ecliptic points on the horizon have tan λ = -cos θ / (sin ε tan φ +
// cos ε sin θ) (Meeus, ch. 14, eq. 14.2, θ the local sidereal time); the
// usual choice of quadrant is λ = atan2(cos θ, -(sin ε tan φ + cos ε sin θ)),
// which gives 90° with θ = 0 on the equator. Below the polar circles that is
// always the point on the eastern horizon. Within them it is at times the
// western one, so the point is taken on the eastern side explicitly, as Swiss
// Ephemeris does (its houses give the same ascendant there).
double AscendantFromSiderealTime(double localSiderealTime, double obliquity, double latitude) {
  const double theta = localSiderealTime * kRadPerDeg;
  const double eps = obliquity * kRadPerDeg;
  const double phi = latitude * kRadPerDeg;
  const double denominator = std::sin(eps) * std::tan(phi) + std::cos(eps) * std::sin(theta);
  double lambda = std::atan2(std::cos(theta), -denominator);
  // Equatorial direction of λ against the east point (-sin θ, cos θ, 0).
  const double towardEast =
      -std::cos(lambda) * std::sin(theta) + std::sin(lambda) * std::cos(eps) * std::cos(theta);
  if (towardEast < 0.0) lambda += std::numbers::pi;
  return Reduce360(lambda / kRadPerDeg);
}

double TropicalAscendant(double julianDayUt, double eastLongitude, double latitude) {
  const double T = (julianDayUt - kJulianDayJ2000) / 36525.0;
  const double lst = GreenwichMeanSiderealTime(julianDayUt) + eastLongitude;
  return AscendantFromSiderealTime(lst, MeanObliquity(T), latitude);
}

double SiderealAscendant(double julianDayUt, double eastLongitude, double latitude, double siderealShift) {
  return Reduce360(TropicalAscendant(julianDayUt, eastLongitude, latitude) - std::fabs(siderealShift));
}

}  // namespace orbisca

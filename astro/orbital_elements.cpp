#include "astro/orbital_elements.h"

#include <cmath>

namespace orbisca {

Elements OrbitalElements(std::size_t planet, double d) {
  const OrbitalElementRow& row = OrbitalElementTable[planet];
  const double T = d / 36525.0;
  Elements el{};
  el.a = row.a0 + row.a1 * T;
  el.e = row.e0 + row.e1 * T;
  el.i = (row.i0 + row.i1 * T / 3600.0) * kDegToRad;
  el.node = (row.node0 + row.node1 * T / 3600.0) * kDegToRad;
  el.peri = (row.peri0 + row.peri1 * T / 3600.0) * kDegToRad;
  el.L = NormalizeRadians((row.L0 + row.L1 * T / 3600.0) * kDegToRad);
  return el;
}

double NormalizeRadians(double x) {
  const double q = x / kTwoPi;
  const double w = q >= 0 ? std::floor(q) : std::floor(q) + 1.0;
  double r = (q - w) * kTwoPi;
  if (r < 0) r += kTwoPi;
  return r;
}

double TrueAnomaly(double M, double e) {
  double E = M + e * std::sin(M) * (1.0 + e * std::cos(M));
  for (int round = 0; round < kKeplerMaxRounds; ++round) {
    const double previous = E;
    E = previous - (previous - e * std::sin(previous) - M) / (1.0 - e * std::cos(previous));
    if (std::fabs(E - previous) <= KeplerTolerance) break;
  }
  double nu = 2.0 * std::atan(std::sqrt((1.0 + e) / (1.0 - e)) * std::tan(E * 0.5));
  if (nu < 0) nu += kTwoPi;
  return nu;
}

double ArcTan2(double y, double x) {
  const auto sgn = [](double v) { return v > 0 ? 1.0 : (v < 0 ? -1.0 : 0.0); };
  if (x > 0) return std::atan(y / x);
  if (x == 0) return sgn(y) * kPi / 2.0;
  if (y != 0) return sgn(y) * (kPi - std::atan(std::fabs(y / x)));
  return kPi;
}

EclipticXY EarthPosition(double d) {
  const Elements earth = OrbitalElements(kEarthRow, d);
  const double M = NormalizeRadians(earth.L - earth.peri);
  const double nu = TrueAnomaly(M, earth.e);
  const double r = earth.a * (1.0 - earth.e * earth.e) / (1.0 + earth.e * std::cos(nu));
  return {r * std::cos(nu + earth.peri), r * std::sin(nu + earth.peri)};
}

double GeocentricLongitude(std::size_t planet, double d) { return GeocentricLongitude(planet, d, EarthPosition(d)); }

double GeocentricLongitude(std::size_t planet, double d, EclipticXY earth) {
  double x = 0.0;
  double y = 0.0;
  // For the Earth's own row what remains is the direction of the Sun.
  if (planet != kEarthRow) {
    const Elements body = OrbitalElements(planet, d);
    const double M = NormalizeRadians(body.L - body.peri);
    const double nu = TrueAnomaly(M, body.e);
    const double r = body.a * (1.0 - body.e * body.e) / (1.0 + body.e * std::cos(nu));
    const double u = nu + body.peri - body.node;  // argument of latitude
    x = r * (std::cos(body.node) * std::cos(u) - std::sin(body.node) * std::sin(u) * std::cos(body.i));
    y = r * (std::sin(body.node) * std::cos(u) + std::cos(body.node) * std::sin(u) * std::cos(body.i));
  }

  double lambda = ArcTan2(y - earth.y, x - earth.x) * (180.0 / kPi);
  while (lambda > 360.0) lambda -= 360.0;
  while (lambda < 0.0) lambda += 360.0;
  return lambda;
}

}  // namespace orbisca

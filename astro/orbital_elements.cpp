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

namespace {

// The eccentric anomaly with its sine and cosine.
struct Eccentric {
  double E, sinE, cosE;
};

Eccentric EccentricAnomaly(double M, double e) {
  double E = M + e * std::sin(M) * (1.0 + e * std::cos(M));
  for (int round = 0; round < kKeplerMaxRounds; ++round) {
    const double previous = E;
    const double s = std::sin(previous), c = std::cos(previous);
    const double slope = 1.0 - e * c;
    E = previous - (previous - s * e - M) / slope;
    const double step = E - previous;
    // Newton's method squares the error: the next step would be about
    // e sin(E) / (2 (1 - e cos(E))) times this one squared. When that is
    // below the tolerance, E is solved without another round; the sine and
    // cosine of E then follow from those of the previous value to first
    // order, with an error of the order of the step squared.
    const double nextStep = 0.5 * e * std::fabs(s) / slope * step * step;
    if (std::fabs(step) <= KeplerTolerance || nextStep <= KeplerTolerance) {
      return {E, s + step * c - 0.5 * step * step * s, c - step * s - 0.5 * step * step * c};
    }
  }
  return {E, std::sin(E), std::cos(E)};
}

// The body in its orbit's plane, x toward perihelion: r cos(nu) and r sin(nu)
// straight from the eccentric anomaly (Meeus, "Astronomical Algorithms",
// ch. 30), without the true anomaly's tangent and arc tangent.
struct InOrbit {
  double x, y;
};
InOrbit PositionInOrbit(const Elements& el) {
  const Eccentric E = EccentricAnomaly(NormalizeRadians(el.L - el.peri), el.e);
  return {el.a * (E.cosE - el.e), el.a * std::sqrt(1.0 - el.e * el.e) * E.sinE};
}

}  // namespace

double TrueAnomaly(double M, double e) {
  const double E = EccentricAnomaly(M, e).E;
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
  const InOrbit p = PositionInOrbit(earth);
  const double c = std::cos(earth.peri), s = std::sin(earth.peri);
  return {p.x * c - p.y * s, p.x * s + p.y * c};
}

double GeocentricLongitude(std::size_t planet, double d) { return GeocentricLongitude(planet, d, EarthPosition(d)); }

double GeocentricLongitude(std::size_t planet, double d, EclipticXY earth) {
  double x = 0.0;
  double y = 0.0;
  // For the Earth's own row what remains is the direction of the Sun.
  if (planet != kEarthRow) {
    const Elements body = OrbitalElements(planet, d);
    const InOrbit p = PositionInOrbit(body);
    // Turned by the argument of perihelion: r cos(u) and r sin(u), u the
    // argument of latitude.
    const double w = body.peri - body.node;
    const double cw = std::cos(w), sw = std::sin(w);
    const double ru = p.x * cw - p.y * sw, rv = p.x * sw + p.y * cw;
    const double cn = std::cos(body.node), sn = std::sin(body.node), ci = std::cos(body.i);
    x = ru * cn - rv * sn * ci;
    y = ru * sn + rv * cn * ci;
  }

  double lambda = ArcTan2(y - earth.y, x - earth.x) * (180.0 / kPi);
  while (lambda > 360.0) lambda -= 360.0;
  while (lambda < 0.0) lambda += 360.0;
  return lambda;
}

}  // namespace orbisca

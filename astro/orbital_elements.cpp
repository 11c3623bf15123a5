#include "astro/orbital_elements.h"

#include <cmath>

namespace orbisca {

namespace {

// The elements of a row at T Julian centuries from J2000.0.
Elements ElementsAt(std::size_t planet, double T) {
  const OrbitalElementRow& row = OrbitalElementTable[planet];
  Elements el{};
  el.a = row.a0 + row.a1 * T;
  el.e = row.e0 + row.e1 * T;
  el.i = (row.i0 + row.i1 * T / 3600.0) * kDegToRad;
  el.node = (row.node0 + row.node1 * T / 3600.0) * kDegToRad;
  el.peri = (row.peri0 + row.peri1 * T / 3600.0) * kDegToRad;
  el.L = NormalizeRadians((row.L0 + row.L1 * T / 3600.0) * kDegToRad);
  return el;
}

}  // namespace

Elements OrbitalElements(std::size_t planet, double d) { return ElementsAt(planet, d / 36525.0); }

double NormalizeRadians(double x) {
  const double q = x / kTwoPi;
  const double w = q >= 0 ? std::floor(q) : std::floor(q) + 1.0;
  double r = (q - w) * kTwoPi;
  if (r < 0) r += kTwoPi;
  return r;
}

namespace {

// One orbit's Kepler equation, M = E - e sin(E), with the eccentric anomaly
// and its sine and cosine once solved.
struct Kepler {
  double M, e;
  double E = 0.0, sinE = 0.0, cosE = 0.0;
  bool solved = false;
};

// One round of Newton's method; true when E is solved.
bool NewtonRound(Kepler& k) {
  const double previous = k.E;
  const double s = std::sin(previous), c = std::cos(previous);
  const double slope = 1.0 - k.e * c;
  k.E = previous - (previous - s * k.e - k.M) / slope;
  const double step = k.E - previous;
  // Newton's method squares the error: the next step would be about
  // e sin(E) / (2 (1 - e cos(E))) times this one squared. When that is
  // below the tolerance, E is solved without another round; the sine and
  // cosine of E then follow from those of the previous value to first
  // order, with an error of the order of the step squared.
  const double nextStep = 0.5 * k.e * std::fabs(s) / slope * step * step;
  const bool solved = std::fabs(step) <= KeplerTolerance || nextStep <= KeplerTolerance;
  if (!solved) return false;
  k.sinE = s + step * c - 0.5 * step * step * s;
  k.cosE = c - step * s - 0.5 * step * step * c;
  return true;
}

// Several orbits solved side by side. Each goes through exactly the rounds it
// would alone, but a round is taken for every unsolved orbit before the next
// round: the orbits do not depend on one another, so the processor overlaps
// one orbit's sines and divisions with the next one's instead of waiting on
// each orbit's chain of rounds in turn.
template <std::size_t n>
void SolveKepler(std::array<Kepler, n>& orbits) {
  for (Kepler& k : orbits) k.E = k.M + k.e * std::sin(k.M) * (1.0 + k.e * std::cos(k.M));
  std::size_t unsolved = n;
  for (int round = 0; round < kKeplerMaxRounds && unsolved > 0; ++round) {
    for (Kepler& k : orbits) {
      if (k.solved || !NewtonRound(k)) continue;
      k.solved = true;
      --unsolved;
    }
  }
  for (Kepler& k : orbits) {
    if (k.solved) continue;
    k.sinE = std::sin(k.E);
    k.cosE = std::cos(k.E);
  }
}

// A heliocentric ecliptic position in au.
struct EclipticXY {
  double x, y;
};

Kepler KeplerOf(const Elements& el) { return {NormalizeRadians(el.L - el.peri), el.e}; }

// The body's heliocentric ecliptic position from its solved orbit. In the
// orbit's plane, x toward perihelion, r cos(nu) and r sin(nu) come straight
// from the eccentric anomaly (Meeus, "Astronomical Algorithms", ch. 30),
// without the true anomaly's tangent and arc tangent. The Earth's orbit is
// taken to lie in the ecliptic and is turned by its perihelion alone.
EclipticXY Heliocentric(std::size_t row, const Elements& el, const Kepler& k) {
  const double px = el.a * (k.cosE - el.e), py = el.a * std::sqrt(1.0 - el.e * el.e) * k.sinE;
  if (row == kEarthRow) {
    const double c = std::cos(el.peri), s = std::sin(el.peri);
    return {px * c - py * s, px * s + py * c};
  }
  // Turned by the argument of perihelion: r cos(u) and r sin(u), u the
  // argument of latitude; then by the node and the inclination.
  const double w = el.peri - el.node;
  const double cw = std::cos(w), sw = std::sin(w);
  const double ru = px * cw - py * sw, rv = px * sw + py * cw;
  const double cn = std::cos(el.node), sn = std::sin(el.node), ci = std::cos(el.i);
  return {ru * cn - rv * sn * ci, ru * sn + rv * cn * ci};
}

// Degrees, 0..360, of the direction from the Earth to the body; for the
// Earth's own row the body stands at the origin and the direction is the Sun's.
double LongitudeSeenFrom(EclipticXY earth, EclipticXY body) {
  double lambda = ArcTan2(body.y - earth.y, body.x - earth.x) * (180.0 / kPi);
  while (lambda > 360.0) lambda -= 360.0;
  while (lambda < 0.0) lambda += 360.0;
  return lambda;
}

}  // namespace

double ArcTan2(double y, double x) {
  const auto sgn = [](double v) { return v > 0 ? 1.0 : (v < 0 ? -1.0 : 0.0); };
  if (x > 0) return std::atan(y / x);
  if (x == 0) return sgn(y) * kPi / 2.0;
  if (y != 0) return sgn(y) * (kPi - std::atan(std::fabs(y / x)));
  return kPi;
}

std::array<double, kOrbitalBodies> GeocentricLongitudes(double d) {
  const double T = d / 36525.0;
  std::array<Elements, kOrbitalBodies> el;
  std::array<Kepler, kOrbitalBodies> k;
  for (std::size_t i = 0; i < kOrbitalBodies; ++i) {
    el[i] = ElementsAt(i, T);
    k[i] = KeplerOf(el[i]);
  }
  SolveKepler(k);
  std::array<EclipticXY, kOrbitalBodies> at{};
  for (std::size_t i = 0; i < kOrbitalBodies; ++i) at[i] = Heliocentric(i, el[i], k[i]);
  std::array<double, kOrbitalBodies> lambda{};
  for (std::size_t i = 0; i < kOrbitalBodies; ++i) {
    lambda[i] = LongitudeSeenFrom(at[kEarthRow], i == kEarthRow ? EclipticXY{0.0, 0.0} : at[i]);
  }
  return lambda;
}

}  // namespace orbisca

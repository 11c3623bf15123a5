#include "astro/nodes.h"

#include <cmath>
#include <cstddef>

#include "astro/angle_multiples.h"
#include "astro/orbital_elements.h"

namespace orbisca {
namespace {

// c0 + c1 T + c2 T^2 + c3 T^3 + c4 T^4 degrees, T in Julian centuries.
struct Polynomial {
  double c0, c1, c2, c3, c4;
  double Value(double T) const { return c0 + T * (c1 + T * (c2 + T * (c3 + T * c4))); }
  double Rate(double T) const { return c1 + T * (2.0 * c2 + T * (3.0 * c3 + T * 4.0 * c4)); }
};

// Meeus, "Astronomical Algorithms" (2nd ed.), eqs. 47.1 to 47.5 and 47.7,
// and the arguments A1, A2, A3 of the additive terms (p. 338).
constexpr Polynomial kMeanLongitude = {218.3164477, 481267.88123421, -0.0015786, 1.0 / 538841, -1.0 / 65194000};
constexpr Polynomial kElongation = {297.8501921, 445267.1114034, -0.0018819, 1.0 / 545868, -1.0 / 113065000};
constexpr Polynomial kSunAnomaly = {357.5291092, 35999.0502909, -0.0001536, 1.0 / 24490000, 0.0};
constexpr Polynomial kMoonAnomaly = {134.9633964, 477198.8675055, 0.0087414, 1.0 / 69699, -1.0 / 14712000};
constexpr Polynomial kLatitudeArgument = {93.2720950, 483202.0175233, -0.0036539, -1.0 / 3526000, 1.0 / 863310000};
constexpr Polynomial kMeanNode = {125.0445479, -1934.1362891, 0.0020754, 1.0 / 467441, -1.0 / 60616000};
constexpr Polynomial kA1 = {119.75, 131.849, 0.0, 0.0, 0.0};
constexpr Polynomial kA2 = {53.09, 479264.290, 0.0, 0.0, 0.0};
constexpr Polynomial kA3 = {313.45, 481266.484, 0.0, 0.0, 0.0};

// An angle in radians and its rate in radians per century.
struct Angle {
  double value, rate;
};
Angle AngleOf(const Polynomial& p, double T) {
  return {std::fmod(p.Value(T), 360.0) * kDegToRad, p.Rate(T) * kDegToRad};
}

Turn TurnOf(Angle a) { return {std::cos(a.value), std::sin(a.value)}; }
Turn Reversed(Turn t) { return {t.c, -t.s}; }

// Sums of coefficient x sin(argument) and of their rates, in millionths of a
// degree, from each argument's cosine and sine and its rate.
struct Sum {
  double value = 0.0, rate = 0.0;
  void Add(double coefficient, Turn argument, double argumentRate) {
    value += coefficient * argument.s;
    rate += coefficient * argument.c * argumentRate;
  }
};

constexpr bool WithinMultiples() {
  const auto within = [](const LunarTerm& t) {
    // A range test, not std::abs: libc's abs is not constexpr under clang.
    const auto inRange = [](int value, int most) { return -most <= value && value <= most; };
    return inRange(t.D, 4) && inRange(t.M, 2) && inRange(t.Mp, 4) && inRange(t.F, 3);
  };
  for (const LunarTerm& t : kLunarLongitudeTerms) {
    if (!within(t)) return false;
  }
  for (const LunarTerm& t : kLunarLatitudeTerms) {
    if (!within(t)) return false;
  }
  return true;
}
static_assert(WithinMultiples(), "a lunar term needs more multiples than LunarMotionAt prepares");

double Reduce360(double x) {
  double r = std::fmod(x, 360.0);
  if (r < 0.0) r += 360.0;
  return r >= 360.0 ? 0.0 : r;
}

}  // namespace

double CenturiesFromJ2000(double julianDay) { return (julianDay - 2451545.0) / 36525.0; }

LunarMotion LunarMotionAt(double T) {
  const Angle Lp = AngleOf(kMeanLongitude, T), D = AngleOf(kElongation, T), M = AngleOf(kSunAnomaly, T),
              Mp = AngleOf(kMoonAnomaly, T), F = AngleOf(kLatitudeArgument, T);
  const Angle A1 = AngleOf(kA1, T), A2 = AngleOf(kA2, T), A3 = AngleOf(kA3, T);
  // The eccentricity factor E (eq. 47.6); its own slow change is left out of
  // the rates (a relative 2.5e-3 per century).
  const double E = 1.0 - 0.002516 * T - 0.0000074 * T * T;
  const double ePowers[3] = {1.0, E, E * E};
  // Each term's sine and cosine from the multiples of the four angles: four
  // sines and four cosines for the 120 terms instead of 240 calls.
  const auto d = Multiples<4>(D.value);
  const auto m = Multiples<2>(M.value);
  const auto mp = Multiples<4>(Mp.value);
  const auto f = Multiples<3>(F.value);
  const auto sum = [&](const auto& terms, Sum& into) {
    for (const LunarTerm& t : terms) {
      const Turn a = d[static_cast<std::size_t>(4 + t.D)] * m[static_cast<std::size_t>(2 + t.M)] *
                     mp[static_cast<std::size_t>(4 + t.Mp)] * f[static_cast<std::size_t>(3 + t.F)];
      into.Add(t.coefficient * ePowers[std::abs(t.M)], a,
               D.rate * t.D + M.rate * t.M + Mp.rate * t.Mp + F.rate * t.F);
    }
  };
  Sum l, b;
  sum(kLunarLongitudeTerms, l);
  sum(kLunarLatitudeTerms, b);
  // The additive terms for Venus, Jupiter and the Earth's flattening (p. 338).
  const Turn lp = TurnOf(Lp), a1 = TurnOf(A1), a2 = TurnOf(A2), a3 = TurnOf(A3);
  const Turn f1 = f[4], mp1 = mp[5];
  l.Add(3958, a1, A1.rate);
  l.Add(1962, lp * Reversed(f1), Lp.rate - F.rate);
  l.Add(318, a2, A2.rate);
  b.Add(-2235, lp, Lp.rate);
  b.Add(382, a3, A3.rate);
  b.Add(175, a1 * Reversed(f1), A1.rate - F.rate);
  b.Add(175, a1 * f1, A1.rate + F.rate);
  b.Add(127, lp * Reversed(mp1), Lp.rate - Mp.rate);
  b.Add(-115, lp * mp1, Lp.rate + Mp.rate);
  return {Reduce360(Lp.value / kDegToRad + l.value * 1e-6), b.value * 1e-6, Lp.rate / kDegToRad + l.rate * 1e-6,
          b.rate * 1e-6};
}

double MeanNodeLongitude(double T) { return Reduce360(kMeanNode.Value(T)); }

double TrueNodeLongitude(double T) {
  const LunarMotion m = LunarMotionAt(T);
  const double lon = m.longitude * kDegToRad, lat = m.latitude * kDegToRad;
  const double cl = std::cos(lon), sl = std::sin(lon), cb = std::cos(lat), sb = std::sin(lat);
  // The Moon's direction u and the change of that direction (the distance's
  // change lies along u and leaves the plane as it is).
  const double u[3] = {cb * cl, cb * sl, sb};
  const double dl = m.longitudeRate * kDegToRad, db = m.latitudeRate * kDegToRad;
  const double du[3] = {-cb * sl * dl - sb * cl * db, cb * cl * dl - sb * sl * db, cb * db};
  // The orbit's pole h = u x du is (sin i sin node, -sin i cos node, cos i).
  const double hx = u[1] * du[2] - u[2] * du[1];
  const double hy = u[2] * du[0] - u[0] * du[2];
  return Reduce360(std::atan2(hx, -hy) / kDegToRad);
}

LunarNodes SiderealNodes(double julianDay, double siderealShift, NodeKind kind) {
  const double T = CenturiesFromJ2000(julianDay);
  const double tropical = kind == NodeKind::Mean ? MeanNodeLongitude(T) : TrueNodeLongitude(T);
  const double rahu = Reduce360(tropical + siderealShift);
  return {rahu, Reduce360(rahu + 180.0)};
}

}  // namespace orbisca

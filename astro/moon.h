#pragma once

// The Moon's sidereal longitude from a truncated lunar series.

#include <array>
#include <cstddef>

#include "astro/julian.h"

namespace orbisca {

// One periodic term of the Moon's longitude: multipliers of D, M, M', F and
// the coefficient in degrees; withE marks the terms scaled by the eccentricity
// factor E of the Earth's orbit.
struct MoonTerm {
  signed char D, M, Mp, F;
  double coefficient;
  bool withE;
};

inline constexpr std::size_t kMoonTermCount = 25;

// The 25 leading terms of the lunar longitude series: Meeus, "Astronomical
// Algorithms" (2nd ed.), table 47.A. The smaller terms and the additive
// corrections are left out.
inline constexpr std::array<MoonTerm, kMoonTermCount> MoonTerms = {{
    {0, 0, 1, 0, +6.288774, false},
    {2, 0, -1, 0, +1.274027, false},
    {2, 0, 0, 0, +0.658314, false},
    {0, 0, 2, 0, +0.213618, false},
    {0, 1, 0, 0, -0.185116, true},
    {0, 0, 0, 2, -0.114332, false},
    {2, 0, -2, 0, +0.058793, false},
    {2, -1, -1, 0, +0.057066, true},
    {2, 0, 1, 0, +0.053322, false},
    {2, -1, 0, 0, +0.045758, true},
    {0, 1, -1, 0, -0.040923, true},
    {1, 0, 0, 0, -0.034720, false},
    {0, 1, 1, 0, -0.030383, true},
    {2, 0, 0, -2, +0.015327, false},
    {0, 0, 1, 2, -0.012528, false},
    {0, 0, 1, -2, +0.010980, false},
    {4, 0, -1, 0, +0.010675, false},
    {0, 0, 3, 0, +0.010034, false},
    {4, 0, -2, 0, +0.008548, false},
    {2, 1, -1, 0, -0.007888, true},
    {2, 1, 0, 0, -0.006766, true},
    {1, 0, -1, 0, -0.005163, false},
    {1, 1, 0, 0, +0.004987, true},
    {2, -1, 1, 0, +0.004036, true},
    {2, 0, 2, 0, +0.003994, false},
}};

// Julian centuries from J2000.0 of the birth instant, universal time.
double MoonCenturies(const BirthInstant& instant);

// Sum of the periodic terms, degrees, at T centuries from J2000.0.
double MoonPeriodicSum(double T);

// Tropical longitude, degrees, reduced into 0..360 (360 itself is kept).
double MoonTropicalLongitude(double T);

// Degrees to add to a tropical longitude to make it sidereal (minus an
// ayanamsa of Lahiri's kind, J2000-based).
double MoonSiderealCorrection(double T);

// The Moon's sidereal longitude, 0 <= value < 360.
double MoonSiderealLongitude(const BirthInstant& instant);

}  // namespace orbisca

#pragma once

// The sidereal shift of the birth instant, the nine orbital bodies and the
// planet table.

#include <array>

#include "astro/julian.h"
#include "astro/planet_table.h"

namespace orbisca {

// Lahiri ayanamsa, negated, in degrees, with T in Julian centuries from
// 1899 December 31, 12:00 (JD 2415020.0).
double PlanetSiderealCorrection(double T1900);

// Julian centuries from JD 2415020.0 of the birth instant, universal time.
double Centuries1900(const BirthInstant& instant);

// The sidereal shift of the birth instant (negative: about -23.85 in 2000).
double SiderealShiftFor(const BirthInstant& instant);

// General precession in longitude since J2000.0 in degrees (IAU 2006, Capitaine
// et al. 2003, first two terms), T in Julian centuries; refers a J2000 longitude
// to the equinox of date.
double PrecessionSinceJ2000(double T);

// Sidereal longitudes of the nine orbital bodies in computation order
// (Mercury, Venus, Sun, Mars ... Pluto), each in 0 <= value < 360, at `d`
// days from J2000.0.
std::array<double, 9> PlanetSiderealLongitudes(double d, double siderealShift);
// The same at the birth instant, on its universal date and time.
std::array<double, 9> PlanetSiderealLongitudes(const BirthInstant& instant, double siderealShift);

// The planet table from the planets in computation order and the Moon.
PlanetTable BuildPlanetTable(const std::array<double, 9>& planetLongitudes, double moonLongitude);

// Everything the positions give for one instant.
struct ChartPositions {
  double siderealShift = 0.0;
  double moonLongitude = 0.0;
  std::array<double, 9> planetLongitudes{};  // computation order
  PlanetTable planets;
};
ChartPositions PositionsAt(const BirthInstant& instant);

}  // namespace orbisca

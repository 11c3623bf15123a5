#pragma once

// modVedicPlanetPosition: the set-up step (universal time and the sidereal
// shift) and the planet step (the nine orbital bodies and the planet table).

#include <array>

#include "run/chart_input.h"
#include "run/records.h"

namespace orbisca {

// Lahiri ayanamsa, negated, in degrees, with T in Julian centuries from
// 1899 December 31, 12:00 (JD 2415020.0).
double PlanetSiderealCorrection(double T1900);

// Julian centuries from JD 2415020.0 of the birth instant, universal time.
double Centuries1900(const ChartInput& in);

// The sidereal shift of the birth instant (negative: about -23.85 in 2000).
double SiderealShiftFor(const ChartInput& in);

// A calendar date and time to the minute.
struct CalendarMinute {
  int year, month, day, hour, minute;
  bool operator==(const CalendarMinute&) const = default;
};

// The local birth date and time moved back an hour under daylight saving and
// shifted by the signed zone correction, with full calendar carry.
CalendarMinute UniversalDateTime(const ChartInput& in);

// General precession in longitude since J2000.0 in degrees (IAU 2006, Capitaine
// et al. 2003, first two terms), T in Julian centuries; refers a J2000 longitude
// to the equinox of date.
double PrecessionSinceJ2000(double T);

// Sidereal longitudes of the nine orbital bodies in computation order
// (Mercury, Venus, Sun, Mars ... Pluto), each in 0 <= value < 360.
std::array<double, 9> PlanetSiderealLongitudes(double d, double siderealShift);

// The planet table from the planets in computation order and the Moon.
PlanetTable BuildPlanetTable(const std::array<double, 9>& planetLongitudes, double moonLongitude);

// The set-up step of a run: the program's SiderealShift from its ChartInput.
void CalcSiderealShift();
// The planet step: PlanetLongitudes and the planet table from the ChartInput,
// the SiderealShift and the MoonLongitude that the earlier steps left.
void CalcPlanetPositions();

}  // namespace orbisca

#pragma once

// The ascendant (lagna): the point of the ecliptic rising on the eastern
// horizon of the birth place at the birth instant.

namespace orbisca {

// Julian day of J2000.0, 2000 January 1, 12:00.
inline constexpr double kJulianDayJ2000 = 2451545.0;

// Greenwich mean sidereal time in degrees, 0 <= value < 360, at a Julian day
// on the universal-time scale.
double GreenwichMeanSiderealTime(double julianDayUt);

// Mean obliquity of the ecliptic of date in degrees, T in Julian centuries
// from J2000.0.
double MeanObliquity(double T);

// Tropical longitude of the ascendant, equinox of date, 0 <= value < 360, from
// the local sidereal time, the obliquity and the geographic latitude (north
// positive), all in degrees.
double AscendantFromSiderealTime(double localSiderealTime, double obliquity, double latitude);

// Tropical ascendant, equinox of date, for a universal-time Julian day and a
// place: longitude east positive, latitude north positive, in degrees.
double TropicalAscendant(double julianDayUt, double eastLongitude, double latitude);

// The ascendant made sidereal the way the planet step makes the Sun sidereal:
// minus the magnitude of the sidereal shift, reduced into 0 <= value < 360.
double SiderealAscendant(double julianDayUt, double eastLongitude, double latitude, double siderealShift);

}  // namespace orbisca

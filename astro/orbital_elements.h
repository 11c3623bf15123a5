#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace orbisca {

// Mean elements of one row at J2000.0 with their rates per Julian century.
// The four angles are in degrees; their rates are in arc-seconds per century.
struct OrbitalElementRow {
  std::string_view body;
  double a0, a1;          // semi-major axis, au and au/cy
  double e0, e1;          // eccentricity and its rate per century
  double i0, i1;          // inclination
  double node0, node1;    // longitude of the ascending node
  double peri0, peri1;    // longitude of perihelion
  double L0, L1;          // mean longitude
};

inline constexpr std::size_t kOrbitalBodies = 9;
inline constexpr std::size_t kEarthRow = 2;  // the row that gives the Sun

// Keplerian elements and rates, J2000 ecliptic and equinox: Standish, "Keplerian
// Elements for Approximate Positions of the Major Planets" (JPL, table 1,
// valid 1800-2050), angular rates in arc-seconds per century.
inline constexpr std::array<OrbitalElementRow, kOrbitalBodies> OrbitalElementTable = {{
    // body       a0           a1           e0          e1           i0        i1       node0       node1      peri0       peri1     L0          L1
    {"Mercury",  0.38709893,  +0.00000066, 0.20563069, +0.00002527, 7.00487,  -23.51, 48.33167,   -446.30,   77.45645,  +573.57,  252.25084, +538101628.29},
    {"Venus",    0.72333199,  +0.00000092, 0.00677323, -0.00004938, 3.39471,  -2.86,  76.68069,   -996.89,   131.53298, -108.80,  181.97973, +210664136.06},
    {"Earth",    1.00000011,  -0.00000005, 0.01671022, -0.00003804, 0.00005,  -46.94, -11.26064,  -18228.25, 102.94719, +1198.28, 100.46435, +129597740.63},
    {"Mars",     1.52366231,  -0.00007221, 0.09341233, +0.00011902, 1.85061,  -25.47, 49.57854,   -1020.19,  336.04084, +1560.78, 355.45332, +68905103.78},
    {"Jupiter",  5.20336301,  +0.00060737, 0.04839266, -0.00012880, 1.30530,  -4.15,  100.55615,  +1217.17,  14.75385,  +839.93,  34.40438,  +10925078.35},
    {"Saturn",   9.53707032,  -0.00301530, 0.05415060, -0.00036762, 2.48446,  +6.11,  113.71504,  -1591.05,  92.43194,  -1948.89, 49.94432,  +4401052.95},
    {"Uranus",   19.19126393, +0.00152025, 0.04716771, -0.00019150, 0.76986,  -2.09,  74.22988,   -1681.40,  170.96424, +1312.56, 313.23218, +1542547.79},
    {"Neptune",  30.06896348, -0.00125196, 0.00858587, +0.00002510, 1.76917,  -3.64,  131.72169,  -151.25,   44.97135,  -844.43,  304.88003, +786449.21},
    {"Pluto",    39.48168677, -0.00076912, 0.24880766, +0.00006465, 17.14175, +11.07, 110.30347,  -37.33,    224.06676, -132.25,  238.92881, +522747.90},
}};

// The six elements of a row at one instant, angles in radians.
struct Elements {
  double a, e, i, node, peri, L;
};

inline constexpr double kPi = 3.14159265358979;
inline constexpr double kTwoPi = 6.28318530717958;
inline constexpr double kDegToRad = 0.0174532925199433;
inline constexpr double KeplerTolerance = 1e-12;
// Newton's method converges in two to four rounds for these eccentricities;
// the bound only guards against inputs the program never produces.
inline constexpr int kKeplerMaxRounds = 50;

Elements OrbitalElements(std::size_t planet, double d);

// NormalizeRadians and ArcTan2 are written out rather than std::fmod and
// std::atan2: they use the program's 15-digit kPi and kTwoPi above, and the
// reduction goes through the quotient x / 2pi. The standard functions work
// with the exact pi and the exact remainder, which moves the last bits of
// every longitude, and orbisca-chart --json prints every bit.
// x reduced into 0 <= value < 2pi.
double NormalizeRadians(double x);
// The angle of (x, y) in -pi..pi; (0, 0) gives 0.
double ArcTan2(double y, double x);

// Tropical geocentric ecliptic longitude (J2000 equinox) in degrees, 0..360,
// of every row at `d` days from J2000.0: the rows' orbits are solved side by
// side and the Earth's once.
std::array<double, kOrbitalBodies> GeocentricLongitudes(double d);

}  // namespace orbisca

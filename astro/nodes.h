#pragma once

// The Moon's nodes, Rahu (ascending) and Ketu (descending): the mean node of
// Meeus and the true (osculating) node from the Moon's position and motion.

#include <array>
#include <cstddef>
#include <string_view>

namespace orbisca {

enum class NodeKind { Mean, True };

enum class Node { Rahu, Ketu };

struct NodeRow {
  Node node;
  std::string_view name;
  std::string_view letters;  // the chart picture's mark
};

// The two nodes in the order the chart lists them, Rahu first.
inline constexpr std::array<NodeRow, 2> kNodes = {{
    {Node::Rahu, "Rahu", "Ra"},
    {Node::Ketu, "Ketu", "Ke"},
}};
inline constexpr std::string_view NodeName(Node n) { return kNodes[static_cast<std::size_t>(n)].name; }

// One periodic term of the Moon's longitude or latitude: multipliers of D, M,
// M' and F, and the coefficient in millionths of a degree. Terms with M are
// scaled by the eccentricity factor E once per unit of |M|.
struct LunarTerm {
  signed char D, M, Mp, F;
  int coefficient;
};

// Meeus, "Astronomical Algorithms" (2nd ed.), table 47.A, sine column: the
// 60 terms of the Moon's longitude (the last one is zero in the book).
inline constexpr std::array<LunarTerm, 60> kLunarLongitudeTerms = {{
    {0, 0, 1, 0, 6288774},
    {2, 0, -1, 0, 1274027},
    {2, 0, 0, 0, 658314},
    {0, 0, 2, 0, 213618},
    {0, 1, 0, 0, -185116},
    {0, 0, 0, 2, -114332},
    {2, 0, -2, 0, 58793},
    {2, -1, -1, 0, 57066},
    {2, 0, 1, 0, 53322},
    {2, -1, 0, 0, 45758},
    {0, 1, -1, 0, -40923},
    {1, 0, 0, 0, -34720},
    {0, 1, 1, 0, -30383},
    {2, 0, 0, -2, 15327},
    {0, 0, 1, 2, -12528},
    {0, 0, 1, -2, 10980},
    {4, 0, -1, 0, 10675},
    {0, 0, 3, 0, 10034},
    {4, 0, -2, 0, 8548},
    {2, 1, -1, 0, -7888},
    {2, 1, 0, 0, -6766},
    {1, 0, -1, 0, -5163},
    {1, 1, 0, 0, 4987},
    {2, -1, 1, 0, 4036},
    {2, 0, 2, 0, 3994},
    {4, 0, 0, 0, 3861},
    {2, 0, -3, 0, 3665},
    {0, 1, -2, 0, -2689},
    {2, 0, -1, 2, -2602},
    {2, -1, -2, 0, 2390},
    {1, 0, 1, 0, -2348},
    {2, -2, 0, 0, 2236},
    {0, 1, 2, 0, -2120},
    {0, 2, 0, 0, -2069},
    {2, -2, -1, 0, 2048},
    {2, 0, 1, -2, -1773},
    {2, 0, 0, 2, -1595},
    {4, -1, -1, 0, 1215},
    {0, 0, 2, 2, -1110},
    {3, 0, -1, 0, -892},
    {2, 1, 1, 0, -810},
    {4, -1, -2, 0, 759},
    {0, 2, -1, 0, -713},
    {2, 2, -1, 0, -700},
    {2, 1, -2, 0, 691},
    {2, -1, 0, -2, 596},
    {4, 0, 1, 0, 549},
    {0, 0, 4, 0, 537},
    {4, -1, 0, 0, 520},
    {1, 0, -2, 0, -487},
    {2, 1, 0, -2, -399},
    {0, 0, 2, -2, -381},
    {1, 1, 1, 0, 351},
    {3, 0, -2, 0, -340},
    {4, 0, -3, 0, 330},
    {2, -1, 2, 0, 327},
    {0, 2, 1, 0, -323},
    {1, 1, -1, 0, 299},
    {2, 0, 3, 0, 294},
    {2, 0, -1, -2, 0},
}};

// Meeus, "Astronomical Algorithms" (2nd ed.), table 47.B: the 60 terms of
// the Moon's latitude.
inline constexpr std::array<LunarTerm, 60> kLunarLatitudeTerms = {{
    {0, 0, 0, 1, 5128122},
    {0, 0, 1, 1, 280602},
    {0, 0, 1, -1, 277693},
    {2, 0, 0, -1, 173237},
    {2, 0, -1, 1, 55413},
    {2, 0, -1, -1, 46271},
    {2, 0, 0, 1, 32573},
    {0, 0, 2, 1, 17198},
    {2, 0, 1, -1, 9266},
    {0, 0, 2, -1, 8822},
    {2, -1, 0, -1, 8216},
    {2, 0, -2, -1, 4324},
    {2, 0, 1, 1, 4200},
    {2, 1, 0, -1, -3359},
    {2, -1, -1, 1, 2463},
    {2, -1, 0, 1, 2211},
    {2, -1, -1, -1, 2065},
    {0, 1, -1, -1, -1870},
    {4, 0, -1, -1, 1828},
    {0, 1, 0, 1, -1794},
    {0, 0, 0, 3, -1749},
    {0, 1, -1, 1, -1565},
    {1, 0, 0, 1, -1491},
    {0, 1, 1, 1, -1475},
    {0, 1, 1, -1, -1410},
    {0, 1, 0, -1, -1344},
    {1, 0, 0, -1, -1335},
    {0, 0, 3, 1, 1107},
    {4, 0, 0, -1, 1021},
    {4, 0, -1, 1, 833},
    {0, 0, 1, -3, 777},
    {4, 0, -2, 1, 671},
    {2, 0, 0, -3, 607},
    {2, 0, 2, -1, 596},
    {2, -1, 1, -1, 491},
    {2, 0, -2, 1, -451},
    {0, 0, 3, -1, 439},
    {2, 0, 2, 1, 422},
    {2, 0, -3, -1, 421},
    {2, 1, -1, 1, -366},
    {2, 1, 0, 1, -351},
    {4, 0, 0, 1, 331},
    {2, -1, 1, 1, 315},
    {2, -2, 0, -1, 302},
    {0, 0, 1, 3, -283},
    {2, 1, 1, -1, -229},
    {1, 1, 0, -1, 223},
    {1, 1, 0, 1, 223},
    {0, 1, -2, -1, -220},
    {2, 1, -1, -1, -220},
    {1, 0, 1, 1, -185},
    {2, -1, -2, -1, 181},
    {0, 1, 2, 1, -177},
    {4, 0, -2, -1, 176},
    {4, -1, -1, -1, 166},
    {1, 0, 1, -1, -164},
    {4, 0, 1, -1, 132},
    {1, 0, -1, -1, -119},
    {4, -1, 0, -1, 115},
    {2, -2, 0, 1, 107},
}};

// Julian centuries from J2000.0 (JD 2451545.0).
double CenturiesFromJ2000(double julianDay);

// The Moon's geocentric ecliptic longitude and latitude on the mean equinox
// of date (Meeus ch. 47, tables 47.A and 47.B with the additive terms), in
// degrees, and their rates in degrees per Julian century.
struct LunarMotion {
  double longitude, latitude;
  double longitudeRate, latitudeRate;
};
LunarMotion LunarMotionAt(double T);

// Longitude of the mean ascending node on the mean equinox of date, degrees
// in 0..360: Meeus eq. 47.7.
double MeanNodeLongitude(double T);

// Longitude of the osculating (true) ascending node on the mean equinox of
// date, degrees in 0..360: where the plane through the Earth, the Moon and the
// Moon's direction of motion meets the ecliptic.
double TrueNodeLongitude(double T);

struct LunarNodes {
  double rahu;  // ascending node, sidereal degrees, 0 <= value < 360
  double ketu;  // descending node, Rahu + 180°
};

// The nodes at an instant given as a Julian day in universal time, made
// sidereal with the chart's sidereal shift (negative, degrees).
//
// Time: the series are written for dynamical time (TT), and they are read
// here at universal time, as the Moon and the planets are. Delta T stays
// under 70 s over 1901-2050, in which the mean node moves 0.003' and the true
// node under 0.02'.
//
// Shift: the chart's shift, the 1900-based one that the planets and the
// ascendant use (SiderealShiftFor), so that the nodes stand on the same
// zodiac as the ascendant the houses are counted from. The Moon's J2000-based
// correction differs from it by under 3" over 1901-2050; either one is within
// 0.37' of Swiss Ephemeris' Lahiri ayanamsa there.
LunarNodes SiderealNodes(double julianDay, double siderealShift, NodeKind kind);

}  // namespace orbisca

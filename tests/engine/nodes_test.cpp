// The Moon's nodes against Meeus' worked examples and Swiss Ephemeris.
#include <gtest/gtest.h>

#include <array>

#include "astro/ascendant.h"
#include "astro/julian.h"
#include "astro/nodes.h"
#include "astro/planet_position.h"
#include "tests/engine/angle_check.h"

namespace orbisca {
namespace {

// The goals against Swiss Ephemeris, in arc-seconds.
constexpr double kMeanNodeGoalArcsec = 0.5 * 60.0;
constexpr double kTrueNodeGoalArcsec = 3.0 * 60.0;

// Meeus, "Astronomical Algorithms" (2nd ed.): example 47.a, 1992 April 12 at
// 0h TD (JDE 2448724.5), gives the Moon at longitude 133.162655° and latitude
// -3.229126°; eq. 47.7 there gives the mean node 274.400656°. Example 22.a,
// 1987 April 10 at 0h TD, has the node at 11.2531°.
TEST(Nodes, MeeusWorkedExamples) {
  const double T1992 = CenturiesFromJ2000(2448724.5);
  const LunarMotion moon = LunarMotionAt(T1992);
  EXPECT_ANGLE(moon.longitude, 133.162655, 0.0000006 * 3600.0);
  EXPECT_ANGLE(moon.latitude, -3.229126, 0.0000006 * 3600.0);
  EXPECT_ANGLE(MeanNodeLongitude(T1992), 274.400656, 0.0000006 * 3600.0);
  EXPECT_ANGLE(MeanNodeLongitude(CenturiesFromJ2000(2446895.5)), 11.2531, 0.00006 * 3600.0);
}

// The rates are the series' own derivatives: a centred difference over a
// minute agrees with them to a millionth of the motion (the longitude runs at
// about 481,000° a century, the latitude at up to 43,000°).
TEST(Nodes, LunarRatesAreTheSeriesDerivatives) {
  constexpr double kMinute = 1.0 / (36525.0 * 1440.0);
  for (const double jd : {2415385.5, 2440423.345833, 2451545.0, 2470172.489583}) {
    const double T = CenturiesFromJ2000(jd);
    const LunarMotion m = LunarMotionAt(T), before = LunarMotionAt(T - kMinute), after = LunarMotionAt(T + kMinute);
    double dl = after.longitude - before.longitude;
    if (dl < -180.0) dl += 360.0;
    EXPECT_NEAR(m.longitudeRate, dl / (2.0 * kMinute), 1e-6 * std::fabs(m.longitudeRate)) << jd;
    EXPECT_NEAR(m.latitudeRate, (after.latitude - before.latitude) / (2.0 * kMinute), 1e-6 * 43000.0)
        << jd;
  }
}

struct SwissNodes {
  BirthInstant instant;  // universal time
  double mean, truth;    // sidereal degrees
};

// Swiss Ephemeris 2.10.03 (Debian libswe-dev): swe_calc_ut(jd, SE_MEAN_NODE
// and SE_TRUE_NODE, SEFLG_MOSEPH | SEFLG_SIDEREAL) after
// swe_set_sid_mode(SE_SIDM_LAHIRI, 0, 0), jd = swe_julday of the universal
// date and time below.
constexpr std::array<SwissNodes, 8> kSwissNodes = {{
    {{1901, 1, 1, 0.0}, 217.353814, 218.830459},
    {{1930, 6, 15, 6.5}, 7.303509, 8.473848},
    {{1947, 8, 15, 0.0}, 35.057581, 35.708277},
    {{1969, 7, 20, 20.3}, 330.546422, 329.043494},
    {{1987, 4, 10, 0.0}, 347.573813, 347.839644},
    {{2000, 1, 1, 12.0}, 101.187424, 100.099673},
    {{2024, 3, 25, 7.0}, 352.219266, 351.381649},
    {{2050, 12, 31, 23.75}, 194.079742, 195.065828},
}};

// Through the chart's own instant and sidereal shift, as a chart computes
// them. The two kinds differ by up to 1.7°, so each value tells them apart.
TEST(Nodes, SiderealAgainstSwissEphemeris) {
  for (const SwissNodes& row : kSwissNodes) {
    const double jd = kJulianDayJ2000 + DayNumberJ2000(UniversalCalendarMinute(row.instant));
    const double shift = SiderealShiftFor(row.instant);
    const LunarNodes mean = SiderealNodes(jd, shift, NodeKind::Mean);
    const LunarNodes truth = SiderealNodes(jd, shift, NodeKind::True);
    SCOPED_TRACE(row.instant.year);
    EXPECT_ANGLE(mean.rahu, row.mean, kMeanNodeGoalArcsec);
    EXPECT_ANGLE(truth.rahu, row.truth, kTrueNodeGoalArcsec);
    EXPECT_ANGLE(mean.ketu, row.mean + 180.0, kMeanNodeGoalArcsec);
    EXPECT_ANGLE(truth.ketu, row.truth + 180.0, kTrueNodeGoalArcsec);
    for (const double lon : {mean.rahu, mean.ketu, truth.rahu, truth.ketu}) {
      EXPECT_GE(lon, 0.0);
      EXPECT_LT(lon, 360.0);
    }
  }
}

}  // namespace
}  // namespace orbisca

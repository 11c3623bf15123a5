// The nodes, the particulars and the dasha as the chart computes them from a
// birth, and the texts the window and the listing share.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "astro/ascendant.h"
#include "astro/julian.h"
#include "run/chart.h"
#include "run/vedic_text.h"
#include "tests/support/births.h"

namespace orbisca {
namespace {

// Julian day of a universal date and time.
double JulianDayAt(int y, int mo, int d, int h, int mi) { return kJulianDayJ2000 + DayNumberJ2000(y, mo, d, h, mi); }

// The clock the dates are shown on is the one the birth was given in.
TEST(VedicChart, ClockOffsetOfEachKindOfZone) {
  const struct {
    const char* what;
    BirthZone zone;
    bool dst;
    const char* name;
  } rows[] = {
      {"Indian Time from the list", ZoneRow{34}, false, "UTC+5:30"},
      {"an exact offset from the tz database", ZoneOffset{330, "Asia/Kolkata"}, false, "UTC+5:30"},
      {"Eastern Standard Time under daylight saving", ZoneRow{27}, true, "UTC-4:00"},
      {"Newfoundland", ZoneOffset{-210, "America/St_Johns"}, false, "UTC-3:30"},
      {"Greenwich Mean Time", ZoneRow{29}, false, "UTC"},
  };
  for (const auto& row : rows) {
    Birth b = NewYork1976();
    b.zone = row.zone;
    b.dst = row.dst;
    const Chart chart = ComputeChart(b);
    EXPECT_EQ(ClockOffsetName(chart.instant.clockOffsetHours), row.name) << row.what;
    // The birth's own clock time comes back from its universal instant.
    EXPECT_EQ(ClockDateTime(chart.instant.julianDay, chart.instant.clockOffsetHours), "1976-07-04 10:15") << row.what;
  }
}

// The choices change the nodes and the dasha only: the ten bodies, the
// ascendant and the aspects are those of the default chart.
TEST(VedicChart, ChoicesLeaveTheAspectPassAlone) {
  const Birth b = NewYork1976();
  const Chart plain = ComputeChart(b);
  for (const ChartOptions options : {ChartOptions{NodeKind::True, DashaYear::Savana, 0},
                                     ChartOptions{NodeKind::Mean, DashaYear::Tropical, 1},
                                     ChartOptions{NodeKind::True, DashaYear::Julian, 2}}) {
    const Chart c = ComputeChart(b, options);
    EXPECT_EQ(c.aspects, plain.aspects);
    for (std::size_t i = 0; i < kBodyCount; ++i) EXPECT_EQ(c.bodies[i].longitude, plain.bodies[i].longitude);
    EXPECT_EQ(c.ascendant.longitude, plain.ascendant.longitude);
    EXPECT_EQ(c.nodeKind, options.nodeKind);
    EXPECT_EQ(c.nodes[0].node, Node::Rahu);
    EXPECT_NEAR(std::fmod(c.nodes[1].longitude - c.nodes[0].longitude + 360.0, 360.0), 180.0, 1e-9);
    EXPECT_EQ(c.nodes[0].longitude == plain.nodes[0].longitude, options.nodeKind == NodeKind::Mean);
    EXPECT_EQ(c.dasha.balance.lord, plain.dasha.balance.lord);
    // Level 0 is the balance alone; otherwise nine mahadashas as deep as asked.
    if (options.dashaLevels == 0) {
      EXPECT_TRUE(c.dasha.periods.empty());
      continue;
    }
    ASSERT_EQ(c.dasha.periods.size(), 9u);
    int depth = 0;
    for (const std::vector<DashaPeriod>* level = &c.dasha.periods; !level->empty(); level = &level->front().periods)
      ++depth;
    EXPECT_EQ(depth, options.dashaLevels);
    EXPECT_NEAR(c.dasha.periods.back().end - c.dasha.periods.front().start, 120 * DashaYearDays(options.dashaYear),
                1e-6);
  }
}

// New York's sunrise on 1976-07-03 and 04 is near 05:30 EDT at 40°43'N
// 74°00'W (the engine's sunrise is checked against a published table in
// panchanga_test). Minutes before it the Vedic day is still Saturday's.
TEST(VedicChart, BirthMinutesBeforeAndAfterSunrise) {
  const struct {
    int hour, minute;
    const char* vara;
  } rows[] = {
      {5, 20, "vara Saturday (Shanivara) from sunrise 1976-07-03 05:30"},
      {5, 40, "vara Sunday (Ravivara) from sunrise 1976-07-04 05:30"},
  };
  for (const auto& row : rows) {
    Birth b = NewYork1976();
    b.hour = row.hour;
    b.minute = row.minute;
    const Chart chart = ComputeChart(b);
    EXPECT_EQ(chart.particulars.weekday, 0);  // the civil day is Sunday either way
    EXPECT_EQ(VaraText(chart), row.vara);
    EXPECT_EQ(ParticularsLine(chart).rfind("Born on a Sunday; " + std::string(row.vara) + "; tithi ", 0), 0u);
  }
}

// The worked example of the balance: the Moon at 7°35' Tula is in Swati
// (Rahu's), 745' of its 800' to run: 745/800 x 18 = 16.7625 years, which the
// dasha texts count as 16 y 9 m 5 d (0.7625 x 12 = 9.15 months; 0.15 x 30 =
// 4.5 days, a half rounded up).
// The chart's varga rows follow its points: the rasi row repeats each body's,
// node's and the ascendant's own sign, the navamsa row each one's ninth part,
// and a chart computed without them has none.
TEST(VedicChart, VargaRowsFollowTheirPoints) {
  const Chart chart = ComputeChart(NewYork1976());
  const auto& rasi = chart.vargas.Of(Varga::D1);
  const auto& navamsa = chart.vargas.Of(Varga::D9);
  std::array<double, kVargaPointCount> longitudes{};
  for (const BodyPosition& p : chart.bodies) longitudes[Index(p.body)] = p.longitude;
  longitudes[kVargaRahu] = chart.nodes[0].longitude;
  longitudes[kVargaKetu] = chart.nodes[1].longitude;
  longitudes[kVargaAscendant] = chart.ascendant.longitude;
  for (std::size_t p = 0; p < kVargaPointCount; ++p) {
    EXPECT_EQ(rasi[p], ZodiacPositionOf(longitudes[p]).sign) << p;
    // Each navamsa is 3°20′: the n-th from Mesha counting across the circle.
    EXPECT_EQ(navamsa[p], static_cast<int>(std::floor(longitudes[p] * 9.0 / 30.0)) % 12 + 1) << p;
  }
  EXPECT_EQ(chart.vargas.Of(Varga::D60)[kVargaAscendant], VargaSign(Varga::D60, chart.ascendant.longitude));
  ChartOptions without;
  without.vargas = false;
  EXPECT_EQ(ComputeChart(NewYork1976(), without).vargas.Of(Varga::D9)[0], 0);
}

TEST(VedicChart, BalanceLine) {
  EXPECT_EQ(BalanceLine(VimshottariBalance(180.0 + 7.0 + 35.0 / 60.0)), "Born in Rahu dasha, balance 16 y 9 m 5 d");
  EXPECT_EQ(BalanceLine(VimshottariBalance(0.0)), "Born in Ketu dasha, balance 7 y 0 m 0 d");
}

// Ages count whole months of the calendar on the birth's clock (EDT), the
// month complete when the birth's day and time come round.
TEST(VedicChart, AgeInYearsAndMonths) {
  const Birth b = NewYork1976();  // 1976-07-04 10:15 EDT, 14:15 UT
  const Chart chart = ComputeChart(b);
  const struct {
    double julianDay;
    const char* age;
  } rows[] = {
      {JulianDayAt(1976, 7, 4, 14, 14), ""},  // a minute before the birth
      {JulianDayAt(1976, 7, 4, 14, 15), "0 y 0 m"},
      {JulianDayAt(1976, 8, 4, 14, 14), "0 y 0 m"},
      {JulianDayAt(1976, 8, 4, 14, 15), "0 y 1 m"},
      {JulianDayAt(1977, 7, 4, 14, 14), "0 y 11 m"},
      {JulianDayAt(1977, 7, 4, 14, 15), "1 y 0 m"},
      {JulianDayAt(2090, 12, 15, 7, 22), "114 y 5 m"},
  };
  for (const auto& row : rows) EXPECT_EQ(AgeAt(b, chart, row.julianDay), row.age) << row.julianDay;
}

}  // namespace
}  // namespace orbisca

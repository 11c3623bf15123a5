// The day's particulars: tithi, yoga and karana at their edges, sunrise
// against a published table, and the Vedic day around sunrise.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string_view>

#include "astro/civil_day.h"
#include "astro/panchanga.h"
#include "astro/planet_position.h"
#include "astro/sunrise.h"
#include "astro/zodiac.h"

namespace orbisca {
namespace {

struct EdgeRow {
  double elongation, sum;  // Moon - Sun and Sun + Moon, degrees
  int tithi, yoga, karana;
  std::string_view tithiName, yogaName, karanaName;
};

// Both sides of each edge: the full Moon (tithi 15 -> 16), the four fixed
// karanas after Vishti (57 -> 58, 59, 60) and Kimstughna at the new Moon
// (60 -> 1), and the yoga's turn at a sum of 360° (27 -> 1).
constexpr std::array<EdgeRow, 11> kEdges = {{
    {0.0, 200.0, 1, 16, 1, "Pratipada", "Siddhi", "Kimstughna"},
    {179.999, 200.0, 15, 16, 30, "Purnima", "Siddhi", "Bava"},
    {180.0, 200.0, 16, 16, 31, "Pratipada", "Siddhi", "Balava"},
    {336.0, 200.0, 29, 16, 57, "Chaturdashi", "Siddhi", "Vishti"},
    {341.999, 200.0, 29, 16, 57, "Chaturdashi", "Siddhi", "Vishti"},
    {342.0, 200.0, 29, 16, 58, "Chaturdashi", "Siddhi", "Shakuni"},
    {348.0, 200.0, 30, 16, 59, "Amavasya", "Siddhi", "Chatushpada"},
    {354.0, 200.0, 30, 16, 60, "Amavasya", "Siddhi", "Naga"},
    {359.999, 200.0, 30, 16, 60, "Amavasya", "Siddhi", "Naga"},
    {100.0, 359.999, 9, 27, 17, "Navami", "Vaidhriti", "Balava"},
    {100.0, 360.0, 9, 1, 17, "Navami", "Vishkambha", "Balava"},
}};

TEST(Panchanga, EdgesOfTithiYogaKarana) {
  for (const EdgeRow& row : kEdges) {
    const double sun = (row.sum - row.elongation) / 2.0, moon = (row.sum + row.elongation) / 2.0;
    const Particulars p = ParticularsOf(sun, moon);
    SCOPED_TRACE(testing::Message() << "elongation " << row.elongation << ", sum " << row.sum);
    EXPECT_EQ(p.tithi, row.tithi);
    EXPECT_EQ(p.paksha, row.tithi <= 15 ? Paksha::Shukla : Paksha::Krishna);
    EXPECT_EQ(p.yoga, row.yoga);
    EXPECT_EQ(p.karana, row.karana);
    EXPECT_EQ(TithiName(p.tithi), row.tithiName);
    EXPECT_EQ(YogaName(p.yoga), row.yogaName);
    EXPECT_EQ(KaranaName(p.karana), row.karanaName);
    EXPECT_EQ(p.nakshatra, ZodiacPositionOf(moon).nakshatra);
  }
}

// The karana cycle: the seven movable ones eight times each from Bava (2) to
// Vishti (57), the four fixed ones once (their places are in kEdges).
TEST(Panchanga, KaranaCycle) {
  std::array<int, 11> seen{};
  for (int k = 1; k <= 60; ++k) {
    const std::string_view name = KaranaName(k);
    for (std::size_t i = 0; i < kKaranas.size(); ++i) seen[i] += kKaranas[i].name == name;
    if (k >= 2 && k <= 57) {
      EXPECT_EQ(name, kKaranas[static_cast<std::size_t>((k - 2) % 7)].name) << k;
    }
  }
  for (std::size_t i = 0; i < 7; ++i) EXPECT_EQ(seen[i], 8) << kKaranas[i].name;
  for (std::size_t i = 7; i < 11; ++i) EXPECT_EQ(seen[i], 1) << kKaranas[i].name;
  EXPECT_THROW(KaranaName(61), std::out_of_range);
  EXPECT_THROW(TithiName(0), std::out_of_range);
}

// The Moon's phases of 2024 as the U.S. Naval Observatory tabulates them
// ("Phases of the Moon"): full Moon March 25 07:00 UT, new Moon April 8
// 18:21 UT. The tithi changes there, 15 -> 16 and 30 -> 1. Tolerance: the
// Moon model's worst error (2.6') and the Sun's (1.0') against Swiss
// Ephemeris move the elongation by at most 3.6', which the Moon gains on the
// Sun in about 7 minutes (0.5' a minute); 15 minutes either side are clear.
TEST(Panchanga, TithiChangesAtTheMoonsPhases) {
  const auto tithiAt = [](int month, int day, double hours) {
    const ChartPositions c = PositionsAt({2024, month, day, hours});
    return ParticularsOf(c.planets.Longitude(Body::Sun), c.moonLongitude).tithi;
  };
  EXPECT_EQ(tithiAt(3, 25, 7.0 - 0.25), 15);
  EXPECT_EQ(tithiAt(3, 25, 7.0 + 0.25), 16);
  EXPECT_EQ(tithiAt(4, 8, 18.35 - 0.25), 30);
  EXPECT_EQ(tithiAt(4, 8, 18.35 + 0.25), 1);
}

struct SunriseRow {
  int latitude;
  int hour, minute;  // local mean time at longitude 0, that is universal time
};

// Astronomy Answers (aa.quae.nl, "The Position of the Sun: Tables", table 1,
// times of sunrise for 2002 January 1, to the minute): the upper limb with
// the standard refraction, at longitude 0.
constexpr std::array<SunriseRow, 7> kSunrise20020101 = {{
    {-60, 2, 43},
    {-40, 4, 35},
    {-20, 5, 24},
    {0, 6, 0},
    {20, 6, 35},
    {40, 7, 22},
    {50, 7, 59},
}};

TEST(Sunrise, AgainstAPublishedTable) {
  for (const SunriseRow& row : kSunrise20020101) {
    const Sunrise s = SunriseOn(2002, 1, 1, 0.0, 0.0, row.latitude);
    ASSERT_EQ(s.kind, SunriseKind::Rises) << row.latitude;
    const double minutes = (s.julianDay - (JulianDayNumber(1, 1, 2002) - 0.5)) * 1440.0;
    EXPECT_NEAR(minutes, row.hour * 60 + row.minute, 1.0) << "latitude " << row.latitude;
  }
}

// Where the Sun does not rise: 80° north at the June solstice (it never
// sets) and at the December one (it never rises), the reverse at 80° south;
// the vara is then the civil weekday and says why.
TEST(Sunrise, PolarDayAndNight) {
  EXPECT_EQ(SunriseOn(2002, 6, 21, 1.0, 15.0, 80.0).kind, SunriseKind::PolarDay);
  EXPECT_EQ(SunriseOn(2002, 12, 21, 1.0, 15.0, 80.0).kind, SunriseKind::PolarNight);
  EXPECT_EQ(SunriseOn(2002, 6, 21, 0.0, 0.0, -80.0).kind, SunriseKind::PolarNight);
  EXPECT_EQ(SunriseOn(2002, 12, 21, 0.0, 0.0, -80.0).kind, SunriseKind::PolarDay);
  EXPECT_EQ(SunriseOn(2002, 6, 21, 0.0, 0.0, 90.0).kind, SunriseKind::PolarDay);  // at the pole itself
  // 2002 June 21, 03:00 local (UT+1) at 80° N: a Friday, no sunrise.
  const double early = JulianDayNumber(6, 21, 2002) - 0.5 + 2.0 / 24.0;
  const Vara v = VaraAt(early, 1.0, 15.0, 80.0);
  EXPECT_EQ(v.weekday, 5);
  EXPECT_EQ(v.day, 21);
  EXPECT_EQ(v.sunrise.kind, SunriseKind::PolarDay);
}

// New Delhi (28°37' N, 77°13' E, UT+5:30) on Monday 2024 March 25: a birth
// two minutes before sunrise belongs to Sunday, two minutes after to Monday,
// and so does one at 00:30 on Tuesday's date.
TEST(Sunrise, VaraAroundSunrise) {
  constexpr double kOffset = 5.5, kLongitude = 77.0 + 13.0 / 60.0, kLatitude = 28.0 + 37.0 / 60.0;
  const Sunrise monday = SunriseOn(2024, 3, 25, kOffset, kLongitude, kLatitude);
  ASSERT_EQ(monday.kind, SunriseKind::Rises);
  const CalendarMinute local = CalendarMinuteOfJulianDay(monday.julianDay + kOffset / 24.0);
  EXPECT_EQ(local.day, 25);
  EXPECT_EQ(local.hour, 6);  // about 06:18 local

  const Vara before = VaraAt(monday.julianDay - 2.0 / 1440.0, kOffset, kLongitude, kLatitude);
  EXPECT_EQ(before.weekday, 0);
  EXPECT_EQ(before.day, 24);
  EXPECT_EQ(before.sunrise.kind, SunriseKind::Rises);
  EXPECT_NEAR(monday.julianDay - before.sunrise.julianDay, 1.0, 2.0 / 1440.0);  // the day before's sunrise

  const Vara after = VaraAt(monday.julianDay + 2.0 / 1440.0, kOffset, kLongitude, kLatitude);
  EXPECT_EQ(after.weekday, 1);
  EXPECT_EQ(after.day, 25);
  EXPECT_EQ(after.sunrise.julianDay, monday.julianDay);

  const double tuesdayHalfPastMidnight = JulianDayNumber(3, 26, 2024) - 0.5 + (0.5 - kOffset) / 24.0;
  EXPECT_EQ(VaraAt(tuesdayHalfPastMidnight, kOffset, kLongitude, kLatitude).weekday, 1);
  EXPECT_EQ(WeekdayOf(2024, 3, 26), 2);
}

// A zone far from the place's solar time: Kiritimati (1°52' N, 157°24' W)
// keeps UT+14, so its clock runs 24.5 hours ahead of its mean solar time.
// Every date still has its sunrise within the date, in the local morning.
TEST(Sunrise, ZoneFarFromSolarTime) {
  for (int day = 1; day <= 28; day += 9) {
    const Sunrise s = SunriseOn(2024, 2, day, 14.0, -157.4, 1.87);
    ASSERT_EQ(s.kind, SunriseKind::Rises) << day;
    const CalendarMinute local = CalendarMinuteOfJulianDay(s.julianDay + 14.0 / 24.0);
    EXPECT_EQ(local.day, day);
    EXPECT_TRUE(local.hour >= 5 && local.hour <= 7) << local.hour;
  }
}

}  // namespace
}  // namespace orbisca

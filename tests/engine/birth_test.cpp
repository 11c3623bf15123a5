// The birth every front end parses into, and the chart computed from it.
#include <gtest/gtest.h>

#include <cmath>
#include <variant>

#include "run/birth.h"
#include "run/chart.h"
#include "tests/support/births.h"

namespace orbisca {
namespace {

TEST(Birth, UniversalTimeFromARowOrAnOffset) {
  struct Row {
    const char* what;
    BirthZone zone;
    bool dst;
    double universalHours;  // of 10:15 local
  };
  const Row rows[] = {
      {"EST", ZoneRow{27}, false, 15.25},
      {"EST under daylight saving", ZoneRow{27}, true, 14.25},
      {"Indian Time, 5 h 30 min east", ZoneRow{34}, false, 4.75},
      {"Newfoundland, 3 h 30 min west", ZoneRow{50}, false, 13.75},
      {"offset 330 east, as Indian Time", ZoneOffset{330, "Asia/Kolkata"}, false, 4.75},
      {"offset 210 west, as Newfoundland", ZoneOffset{-210, "America/St_Johns"}, false, 13.75},
      {"offset 345 east (Nepal), no row has it", ZoneOffset{345, "Asia/Kathmandu"}, false, 4.5},
      {"a row outside the list corrects nothing", ZoneRow{71}, false, 10.25},
  };
  for (const Row& r : rows) {
    Birth b = NewYork1976();
    b.zone = r.zone;
    b.dst = r.dst;
    EXPECT_DOUBLE_EQ(UniversalTimeHours(b), r.universalHours) << r.what;
  }
}

TEST(Birth, TheFormsEntriesAreReadOnceAfterTheirChecks) {
  BirthEntries e;
  e.name = "ANNA ";
  e.monthIndex = 6;
  e.dayIndex = 3;
  e.dayText = "4";
  e.yearText = "1976";
  e.hourText = "10";
  e.minuteText = "15";
  e.zoneIndex = 34;
  e.lonDeg = "77.5";  // rounds half to even, as the degree boxes always have
  e.lonMin = "12";
  e.latDeg = "12abc";
  e.latMin = "36";
  e.east = true;
  e.south = true;
  e.dst = true;
  const auto read = BirthFromEntries(e);
  ASSERT_TRUE(std::holds_alternative<Birth>(read));
  const Birth& b = std::get<Birth>(read);
  EXPECT_EQ(b.name, "ANNA ");
  EXPECT_EQ((std::array{b.year, b.month, b.day, b.hour, b.minute}), (std::array{1976, 7, 4, 10, 15}));
  EXPECT_EQ(b.zone, BirthZone{ZoneRow{34}});
  EXPECT_EQ((std::array{b.lonDegrees, b.lonMinutes, b.latDegrees, b.latMinutes}), (std::array{78, 12, 12, 36}));
  EXPECT_TRUE(b.east && b.south && b.dst);

  e.zoneOffsetMinutes = -300;
  EXPECT_EQ((BirthZone{ZoneOffset{-300, {}}}), std::get<Birth>(BirthFromEntries(e)).zone);
  e.latMin = "60";
  const auto refused = BirthFromEntries(e);
  ASSERT_TRUE(std::holds_alternative<EntryRefusal>(refused));
  EXPECT_EQ(std::get<EntryRefusal>(refused).focus, EntryField::LatMin);
}

// The checks of a birth read from digits: the form's messages in the form's order.
TEST(Birth, ChecksInTheFormsOrder) {
  struct Row {
    const char* what;
    void (*edit)(Birth&);
    std::optional<EntryField> refused;  // nothing: accepted
    const char* message = "";
  };
  const Row rows[] = {
      {"valid", [](Birth&) {}, std::nullopt},
      {"blank name before a bad longitude",
       [](Birth& b) {
         b.name = "  ";
         b.lonDegrees = 180;
       },
       EntryField::Name, "Please Enter Name"},
      {"longitude 180", [](Birth& b) { b.lonDegrees = 180; }, EntryField::LonDeg,
       "Please Enter Value Between 0 And 179 in the Degree of Longitude"},
      {"longitude minutes 60", [](Birth& b) { b.lonMinutes = 60; }, EntryField::LonMin,
       "Please Enter Value Between 0 And 59 in the  Minute of Longitude"},
      {"latitude 90 before minutes 60",
       [](Birth& b) {
         b.latDegrees = 90;
         b.latMinutes = 60;
       },
       EntryField::LatDeg, "Please Enter Value Between 0 And 89 in the Degree of Latitude"},
      {"latitude minutes 60", [](Birth& b) { b.latMinutes = 60; }, EntryField::LatMin,
       "Please Enter Value Between 0 And 59 in the  Minute of Latitude"},
      {"29 February 1976 is a date", [](Birth& b) { b.month = 2, b.day = 29; }, std::nullopt},
      {"29 February 1977",
       [](Birth& b) {
         b.year = 1977;
         b.month = 2;
         b.day = 29;
       },
       EntryField::None, "Please Enter Correct Date Or Month!"},
      {"31 April", [](Birth& b) { b.month = 4, b.day = 31; }, EntryField::None,
       "Please Enter Correct Date Or Month !"},
  };
  for (const Row& r : rows) {
    Birth b = NewYork1976();
    r.edit(b);
    const std::optional<EntryRefusal> refusal = CheckBirth(b);
    ASSERT_EQ(refusal.has_value(), r.refused.has_value()) << r.what;
    if (!refusal) continue;
    EXPECT_EQ(refusal->focus, *r.refused) << r.what;
    EXPECT_EQ(refusal->message, r.message) << r.what;
  }
}

double ArcsecApart(double a, double b) { return std::fabs(std::remainder(a - b, 360.0)) * 3600.0; }

// The instant and the ascendant of a known birth: the tropical ascendant
// 158.200406 comes from tests/engine/reference/ascendant_reference.py, the
// sidereal shift -23.532879 from the position tests.
TEST(ComputeChart, InstantAscendantAndAspectsOfOneBirth) {
  const Chart c = ComputeChart(NewYork1976());
  EXPECT_EQ(c.instant.universalHours, 14.25);
  EXPECT_EQ(c.instant.universal, (CalendarMinute{1976, 7, 4, 14, 15}));
  EXPECT_EQ(c.instant.julianDay, 2442964.09375);
  EXPECT_LT(ArcsecApart(c.instant.siderealShift, -23.532879), 0.5);
  EXPECT_LT(ArcsecApart(c.ascendant.longitude, 158.200406 - 23.532879), 1.0);
  EXPECT_EQ(c.ascendant.where.sign, 5);  // 134.67°: Simha
  EXPECT_EQ(InstantLine(c.instant),
            "Universal time 1976-07-04 14:15, Julian day 2442964.09375, sidereal shift 23\u00B031\u203258\u2033");
  for (Body b : kAllBodies) {
    EXPECT_EQ(c.bodies[Index(b)].body, b);
    EXPECT_EQ(c.bodies[Index(b)].longitude, c.planets.Longitude(b));
    EXPECT_GE(c.planets.Longitude(b), 0.0);
    EXPECT_LT(c.planets.Longitude(b), 360.0);
  }
  // The aspects: ordered by first body, then second, each pair's separation
  // as the tabs print it.
  ASSERT_FALSE(c.aspects.empty());
  for (std::size_t i = 1; i < c.aspects.size(); ++i) {
    const AspectEntry& a = c.aspects[i - 1];
    const AspectEntry& z = c.aspects[i];
    EXPECT_TRUE(Index(a.first) < Index(z.first) || (a.first == z.first && Index(a.second) < Index(z.second)));
  }
  for (const AspectEntry& a : c.aspects) {
    EXPECT_EQ(a.separation, Separation(c.planets.Longitude(a.first), c.planets.Longitude(a.second)));
  }
  EXPECT_EQ(PlaceCoordinates(NewYork1976()), "40\u00B043\u2032N 74\u00B000\u2032W");
  EXPECT_EQ(ComputeChart(NewYork1976()).aspects, c.aspects);  // pure
}

}  // namespace
}  // namespace orbisca

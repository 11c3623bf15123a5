#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "aspects/aspects.h"
#include "run/birth_entries.h"
#include "run/birth.h"

namespace orbisca {
namespace {

BirthEntries Valid() {
  BirthEntries e;
  e.name = "ANNA";
  e.lonDeg = "74";
  e.lonMin = "0";
  e.latDeg = "40";
  e.latMin = "42";
  return e;
}

constexpr std::string_view kLonDegMessage = "Please Enter Value Between 0 And 179 in the Degree of Longitude";
constexpr std::string_view kLonMinMessage = "Please Enter Value Between 0 And 59 in the  Minute of Longitude";
constexpr std::string_view kLatDegMessage = "Please Enter Value Between 0 And 89 in the Degree of Latitude";
constexpr std::string_view kLatMinMessage = "Please Enter Value Between 0 And 59 in the  Minute of Latitude";
constexpr std::string_view kFebMessage = "Please Enter Correct Date Or Month!";
constexpr std::string_view kAprMessage = "Please Enter Correct Date Or Month !";

TEST(CheckEntries, RefusalTable) {
  using enum MessageIcon;
  using enum EntryField;
  struct Row {
    const char* name;
    void (*edit)(BirthEntries&);
    std::optional<EntryRefusal> expected;
  };
  const Row rows[] = {
      {"all valid", [](BirthEntries&) {}, std::nullopt},
      {"empty name", [](BirthEntries& e) { e.name = ""; }, EntryRefusal{"Please Enter Name", Error, Name}},
      {"spaces only name", [](BirthEntries& e) { e.name = "   "; }, EntryRefusal{"Please Enter Name", Error, Name}},
      {"name with inner space", [](BirthEntries& e) { e.name = "ANNA MARIA"; }, std::nullopt},
      {"name first, even with bad longitude",
       [](BirthEntries& e) {
         e.name = "";
         e.lonDeg = "500";
       },
       EntryRefusal{"Please Enter Name", Error, Name}},
      {"lon 179 59 passes",
       [](BirthEntries& e) {
         e.lonDeg = "179";
         e.lonMin = "59";
       },
       std::nullopt},
      {"lon 180", [](BirthEntries& e) { e.lonDeg = "180"; }, EntryRefusal{kLonDegMessage, Error, LonDeg}},
      {"lon empty", [](BirthEntries& e) { e.lonDeg = ""; }, EntryRefusal{kLonDegMessage, Error, LonDeg}},
      {"lon degrees without a number count as 0", [](BirthEntries& e) { e.lonDeg = "x"; }, std::nullopt},
      {"lon minutes 60", [](BirthEntries& e) { e.lonMin = "60"; }, EntryRefusal{kLonMinMessage, Error, LonMin}},
      {"lon minutes empty", [](BirthEntries& e) { e.lonMin = ""; }, EntryRefusal{kLonMinMessage, Error, LonMin}},
      {"lon minutes not a number", [](BirthEntries& e) { e.lonMin = "5x"; },
       EntryRefusal{kLonMinMessage, Error, LonMin}},
      {"lat 89 passes", [](BirthEntries& e) { e.latDeg = "89"; }, std::nullopt},
      {"lat 90", [](BirthEntries& e) { e.latDeg = "90"; }, EntryRefusal{kLatDegMessage, Error, LatDeg}},
      {"lat minutes empty", [](BirthEntries& e) { e.latMin = ""; }, EntryRefusal{kLatMinMessage, Error, LatMin}},
      {"lat minutes 59 with spaces", [](BirthEntries& e) { e.latMin = " 59 "; }, std::nullopt},
      {"29 Feb 2000",
       [](BirthEntries& e) {
         e.monthIndex = 1;
         e.dayIndex = 28;
         e.yearText = "2000";
       },
       std::nullopt},
      {"29 Feb 1904",
       [](BirthEntries& e) {
         e.monthIndex = 1;
         e.dayIndex = 28;
         e.yearText = "1904";
       },
       std::nullopt},
      {"30 Feb 2000",
       [](BirthEntries& e) {
         e.monthIndex = 1;
         e.dayIndex = 29;
         e.yearText = "2000";
       },
       EntryRefusal{kFebMessage, Information, None}},
      {"29 Feb 2001",
       [](BirthEntries& e) {
         e.monthIndex = 1;
         e.dayIndex = 28;
         e.yearText = "2001";
       },
       EntryRefusal{kFebMessage, Information, None}},
      {"28 Feb 2001",
       [](BirthEntries& e) {
         e.monthIndex = 1;
         e.dayIndex = 27;
         e.yearText = "2001";
       },
       std::nullopt},
      {"31 April",
       [](BirthEntries& e) {
         e.monthIndex = 3;
         e.dayIndex = 30;
       },
       EntryRefusal{kAprMessage, Information, None}},
      {"31 November",
       [](BirthEntries& e) {
         e.monthIndex = 10;
         e.dayIndex = 30;
       },
       EntryRefusal{kAprMessage, Information, None}},
      {"31 March",
       [](BirthEntries& e) {
         e.monthIndex = 2;
         e.dayIndex = 30;
       },
       std::nullopt},
  };
  for (const Row& r : rows) {
    BirthEntries e = Valid();
    r.edit(e);
    EXPECT_EQ(CheckEntries(e), r.expected) << r.name;
  }
}

TEST(NumberText, ConversionRules) {
  EXPECT_EQ(TextToInt16("12"), std::optional<short>(12));
  EXPECT_EQ(TextToInt16(" 7 "), std::optional<short>(7));
  EXPECT_EQ(TextToInt16("2.5"), std::optional<short>(2));  // half to even
  EXPECT_EQ(TextToInt16("3.5"), std::optional<short>(4));
  EXPECT_EQ(TextToInt16("-0.5"), std::optional<short>(0));
  EXPECT_EQ(TextToInt16(""), std::nullopt);
  EXPECT_EQ(TextToInt16("abc"), std::nullopt);
  EXPECT_EQ(TextToInt16("12a"), std::nullopt);
  EXPECT_EQ(TextToInt16("40000"), std::nullopt);
  EXPECT_EQ(LeadingNumber("12abc"), 12.0);
  EXPECT_EQ(LeadingNumber("abc"), 0.0);
  EXPECT_EQ(LeadingNumber("  179.5"), 179.5);
  // Beyond the range of a double: too large reads as infinite, too small as
  // 0 (the value it is nearest), whatever the digits before the exponent.
  EXPECT_EQ(LeadingNumber("1e999"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(LeadingNumber("-1e999"), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(LeadingNumber("0.001e999"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(LeadingNumber("1e-999"), 0.0);
  EXPECT_EQ(LeadingNumber(".70e-583"), 0.0);
  EXPECT_EQ(LeadingNumber("12000e-330"), 0.0);
  EXPECT_EQ(LeadingNumber("1e-310"), 1e-310);  // subnormal, still a double
  EXPECT_EQ(WholeNumber("0.5e-400"), std::optional<double>(0.0));
  const std::pair<double, double> halves[] = {{0.5, 0},  {1.5, 2},   {2.5, 2},  {-0.5, 0},
                                              {-1.5, -2}, {-2.5, -2}, {2.4, 2},  {2.6, 3}, {-2.6, -3}};
  for (const auto& [x, rounded] : halves) EXPECT_EQ(RoundHalfEven(x), rounded) << x;
}

TEST(BirthFromEntries, DegreesTheCheckAcceptsReadTheSameValue) {
  // Regression: the check read a degree box with one conversion and the fill
  // with another, so a text like "-0-0" passed the check and then left the
  // previous run's degrees in the record. Each text below passes the check;
  // the birth must hold the value the check read, rounded half to even.
  struct Row {
    const char* text;
    int degrees;
  };
  const Row rows[] = {{"-0-0", 0}, {"x", 0}, {"12abc", 12}, {" 7 ", 7}, {"0.5", 0},
                      {"1.5", 2},  {"179", 179}, {"1e2", 100}, {"+45", 45}, {"-0", 0}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.text);
    BirthEntries e = Valid();
    const bool latitudeToo = r.degrees <= 89;
    e.lonDeg = r.text;
    if (latitudeToo) e.latDeg = r.text;
    ASSERT_EQ(CheckEntries(e), std::nullopt);
    const auto read = BirthFromEntries(e);
    ASSERT_TRUE(std::holds_alternative<Birth>(read));
    EXPECT_EQ(std::get<Birth>(read).lonDegrees, r.degrees);
    if (latitudeToo) {
      EXPECT_EQ(std::get<Birth>(read).latDegrees, r.degrees);
    }
  }
}

}  // namespace
}  // namespace orbisca

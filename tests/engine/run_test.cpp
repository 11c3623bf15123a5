#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "aspects/aspects.h"
#include "run/birth_entries.h"
#include "run/calculation_run.h"
#include "run/records.h"

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

// The birth-data window as the run sees it.
class FakeView final : public BirthDataView {
 public:
  explicit FakeView(BirthEntries e) : entries(std::move(e)) {}
  BirthEntries Entries() const override { return entries; }
  void Refuse(const EntryRefusal& r) override { refusals.push_back(r); }
  ResultsSink& Results() override {
    ++resultsRequested;
    return results;
  }
  void ShowResults() override { ++shown; }

  BirthEntries entries;
  std::vector<EntryRefusal> refusals;
  PlainResults results;
  int resultsRequested = 0;
  int shown = 0;
};

TEST(RunChart, RefusalChangesNothing) {
  Records().Input = ChartInput{};
  Records().Input.PersonName = "EARLIER";
  const ProgramRecords before = Records();
  BirthEntries e = Valid();
  e.name = "";
  FakeView view(e);
  EXPECT_FALSE(RunChart(view));
  ASSERT_EQ(view.refusals.size(), 1u);
  EXPECT_EQ(view.refusals[0].message, "Please Enter Name");
  EXPECT_EQ(view.shown, 0);
  EXPECT_EQ(view.resultsRequested, 0);
  EXPECT_EQ(Records().Input, before.Input);
}

// Every entry away from its default, each with a value of its own.
BirthEntries EveryEntrySet() {
  BirthEntries e = Valid();
  e.name = "ANNA ";
  e.monthIndex = 6;
  e.dayIndex = 3;
  e.dayText = "4";
  e.yearText = "1976";
  e.hourText = "10";
  e.minuteText = "15";
  e.zoneIndex = 34;  // Indian Time: -5 h -30 min
  e.lonDeg = "77";
  e.lonMin = "12";
  e.latDeg = "28";
  e.latMin = "36";
  e.east = true;
  e.south = true;
  e.dst = true;
  return e;
}

TEST(RunChart, FillsTheRecordInOrderAndShowsResults) {
  FakeView view(EveryEntrySet());
  ASSERT_TRUE(RunChart(view));
  const ChartInput& r = Records().Input;
  EXPECT_EQ(r.PersonName, "ANNA ");
  EXPECT_EQ(r.BirthMonth, 7);
  EXPECT_EQ(r.BirthDay, 4);
  EXPECT_EQ(r.BirthYear, 1976);
  EXPECT_EQ(r.BirthHour, 10);
  EXPECT_EQ(r.BirthMinute, 15);
  EXPECT_EQ(r.ZoneCorrHours, -5);
  EXPECT_EQ(r.ZoneCorrMinutes, -30);
  EXPECT_EQ(r.ZoneHours, 5);
  EXPECT_EQ(r.ZoneMinutes, 30);
  EXPECT_EQ(r.LonDeg, 77);
  EXPECT_EQ(r.LonMin, 12);
  EXPECT_EQ(r.LatDeg, 28);
  EXPECT_EQ(r.LatMin, 36);
  EXPECT_EQ(r.IsEast, -1);
  EXPECT_EQ(r.IsSouth, -1);
  EXPECT_EQ(r.IsDst, -1);
  EXPECT_EQ(view.shown, 1);
  EXPECT_EQ(view.resultsRequested, 1);

  // The results written are those of the chart now in the records.
  PlainResults expected;
  WriteAspects(FindAspects(Records().Planets), expected);
  for (const AspectKindInfo& info : kAspectKinds) {
    EXPECT_EQ(view.results.Text(info.kind), expected.Text(info.kind)) << info.caption;
    EXPECT_EQ(view.results.Covered(info.kind), expected.Covered(info.kind)) << info.caption;
  }
}

TEST(RunChart, DefaultEntriesRunAndSecondRunReplacesTheFirst) {
  BirthEntries defaults;  // 1 January 1901, 00:00, GMT, East, North
  defaults.name = "X";
  defaults.lonDeg = defaults.lonMin = defaults.latDeg = defaults.latMin = "0";
  FakeView first(defaults);
  ASSERT_TRUE(RunChart(first));
  EXPECT_EQ(Records().Input.BirthYear, 1901);
  const PlanetTable firstTable = Records().Planets;

  BirthEntries other = Valid();
  other.yearText = "1990";
  other.zoneIndex = 27;  // EST
  other.east = false;
  FakeView second(other);
  ASSERT_TRUE(RunChart(second));
  EXPECT_EQ(Records().Input.BirthYear, 1990);
  EXPECT_EQ(Records().Input.ZoneCorrHours, 5);
  EXPECT_EQ(Records().Input.IsEast, 0);
  EXPECT_NE(Records().Planets, firstTable);
}

TEST(FillChartInput, TextThatDoesNotConvertKeepsTheField) {
  ChartInput r;
  r.BirthDay = 9;
  BirthEntries e = Valid();
  e.dayText = "";
  e.zoneIndex = -1;
  r.ZoneCorrHours = -3;
  FillChartInput(e, r);
  EXPECT_EQ(r.BirthDay, 9);
  EXPECT_EQ(r.ZoneCorrHours, -3);  // no zone selected: the correction stays
  EXPECT_EQ(r.ZoneHours, 3);
}

TEST(FillChartInput, DegreesTheCheckAcceptsFillTheSameValue) {
  // Regression: the check read a degree box with one conversion and the fill
  // with another, so a text like "-0-0" passed the check and then left the
  // previous run's degrees in the record. Each text below passes the check;
  // the record must hold the value the check read, rounded half to even.
  struct Row {
    const char* text;
    std::int16_t degrees;
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
    ChartInput record;
    record.LonDeg = record.LatDeg = 33;  // the previous run's place
    FillChartInput(e, record);
    EXPECT_EQ(record.LonDeg, r.degrees);
    if (latitudeToo) {
      EXPECT_EQ(record.LatDeg, r.degrees);
    }
  }
}

}  // namespace
}  // namespace orbisca

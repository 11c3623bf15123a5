#include "run/birth.h"
#include "run/time_zones.h"

#include <gtest/gtest.h>

#include <cmath>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace orbisca {
namespace {

struct ZoneCase {
  int position;
  const char* text;
  int hours;
  int minutes;
};

// Rows picked for their traps: the ".3" half hour, the half hours west of
// Greenwich, the extremes, the duplicated South Australia rows, the defaults.
const ZoneCase kZoneCases[] = {
    {0, "Alaska/Hawaii Daylight Time,AHDT,-9.0", 9, 0},
    {29, "Greenwich Mean Time,GMT,0.0", 0, 0},
    {32, "Hawaiian Standard Time,HST,-10.5", 10, 30},
    {34, "Indian Time, IST, +5.3", -5, -30},
    {36, "Int'l Date Line West,IDLW,-12.0", 12, 0},
    {46, "New Zealand Std Summer Time,NZST,+13.0", -13, 0},
    {50, "Newfoundland Standard Time,NST,-3.5", 3, 30},
    {52, "North Sumatra Time,NST,+6.5", -6, -30},
    {56, "South Australia Daylight Time,SAD,+10.5", -10, -30},
    {57, "South Australia Daylight Time,SDT,+10.5", -10, -30},
    {61, "Universal Time, UT, 0.0", 0, 0},
    {70, "Yukon War Time,YWT,-8.0", 8, 0},
};

TEST(TimeZoneTable, SelectedRowsGiveTheirCorrection) {
  for (const ZoneCase& c : kZoneCases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(TimeZoneTable[static_cast<std::size_t>(c.position)].text, c.text);
    const ZoneCorrection correction = CorrectionOf(ZoneRow{c.position});
    EXPECT_EQ(correction.hours, c.hours);
    EXPECT_EQ(correction.minutes, c.minutes);
  }
}

// The comma-separated fields of a list text, trimmed.
std::vector<std::string> Fields(std::string_view text) {
  std::vector<std::string> fields;
  std::string current;
  for (char c : std::string(text) + ",") {
    if (c != ',') {
      current += c;
      continue;
    }
    const auto first = current.find_first_not_of(' ');
    const auto last = current.find_last_not_of(' ');
    fields.push_back(first == std::string::npos ? "" : current.substr(first, last - first + 1));
    current.clear();
  }
  return fields;
}

TEST(TimeZoneTable, EveryRowAgreesWithTheOffsetItShows) {
  ASSERT_EQ(TimeZoneTable.size(), 71u);
  for (const TimeZoneRow& row : TimeZoneTable) {
    SCOPED_TRACE(std::string(row.text));
    const std::vector<std::string> f = Fields(row.text);
    ASSERT_EQ(f.size(), 3u);
    EXPECT_EQ(row.abbreviation, f[1]);
    // The offset shown, in minutes east of Greenwich; India writes its half
    // hour as ".3", every other row as ".5".
    const double shown = std::stod(f[2]);
    const double hours = std::trunc(shown);
    const double fraction = std::fabs(shown - hours);
    const bool halfHour = (f[1] == "IST") ? std::fabs(fraction - 0.3) < 1e-9 : std::fabs(fraction - 0.5) < 1e-9;
    ASSERT_TRUE(halfHour || fraction < 1e-9);
    const int shownMinutes = static_cast<int>(hours) * 60 + (halfHour ? (shown < 0 ? -30 : 30) : 0);
    EXPECT_EQ(row.corrHours * 60 + row.corrMinutes, -shownMinutes);
    // The minutes share the sign of the hours.
    EXPECT_TRUE(row.corrMinutes == 0 || (row.corrMinutes > 0) == (row.corrHours > 0));
  }
}

TEST(TimeZoneTable, TextsAreDistinctAndOnlyNstIsShared) {
  std::set<std::string_view> texts;
  std::map<std::string_view, int> abbreviations;
  for (const TimeZoneRow& row : TimeZoneTable) {
    texts.insert(row.text);
    ++abbreviations[row.abbreviation];
  }
  EXPECT_EQ(texts.size(), 71u);
  for (const auto& [abbreviation, count] : abbreviations) {
    EXPECT_EQ(count, abbreviation == "NST" ? 2 : 1) << abbreviation;
  }
  EXPECT_EQ(TimeZoneTable[kDefaultTimeZone].text, "Greenwich Mean Time,GMT,0.0");
}

TEST(TimeZoneTable, APositionOutsideTheListCorrectsNothing) {
  for (int position : {-1, 71, 1000}) {
    const ZoneCorrection correction = CorrectionOf(ZoneRow{position});
    EXPECT_EQ(correction.hours, 0);
    EXPECT_EQ(correction.minutes, 0);
  }
}

}  // namespace
}  // namespace orbisca

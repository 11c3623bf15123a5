#include "run/time_zones.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

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
    ChartInput record;
    Zone_Calculation(c.position, record);
    EXPECT_EQ(record.ZoneCorrHours, c.hours);
    EXPECT_EQ(record.ZoneCorrMinutes, c.minutes);
  }
}

}  // namespace
}  // namespace orbisca

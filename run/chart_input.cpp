#include "run/chart_input.h"

namespace orbisca {

double UniversalTimeHours(const ChartInput& in) {
  double ut = in.BirthHour + in.BirthMinute / 60.0;
  if (IsSet(in.IsDst)) ut -= 1.0;
  return ut + in.ZoneCorrHours + in.ZoneCorrMinutes / 60.0;
}

BirthInstant InstantOf(const ChartInput& in) {
  return {in.BirthYear, in.BirthMonth, in.BirthDay, UniversalTimeHours(in)};
}

CalendarMinute UniversalDateTime(const ChartInput& in) { return UniversalCalendarMinute(InstantOf(in)); }

}  // namespace orbisca

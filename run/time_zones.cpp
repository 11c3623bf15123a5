#include "run/time_zones.h"

namespace orbisca {

void Zone_Calculation(int position, ChartInput& record) {
  if (position < 0 || position >= kTimeZoneCount) return;
  const TimeZoneRow& row = TimeZoneTable[static_cast<std::size_t>(position)];
  record.ZoneCorrHours = row.corrHours;
  record.ZoneCorrMinutes = row.corrMinutes;
}

}  // namespace orbisca

#pragma once

#include <cstdint>
#include <string>

#include "astro/julian.h"

namespace orbisca {

// A flag of the chart record: -1 for true, 0 for false, in a 16-bit integer.
using Flag16 = std::int16_t;
inline constexpr Flag16 kTrue = -1;
inline constexpr Flag16 kFalse = 0;
inline constexpr Flag16 ToFlag(bool b) { return b ? kTrue : kFalse; }
inline constexpr bool IsSet(Flag16 f) { return f != kFalse; }

// The birth data of one run. The place and the zone are held as unsigned
// magnitudes with hemisphere flags; the signed zone correction sits beside them.
struct ChartInput {
  std::string PersonName;
  std::int16_t BirthMonth = 0;   // 1..12
  std::int16_t BirthDay = 0;     // 1..31
  std::int16_t BirthYear = 0;    // 1901..2050
  std::int16_t BirthHour = 0;    // 0..23
  std::int16_t BirthMinute = 0;  // 0..59
  std::int16_t ZoneHours = 0;    // |ZoneCorrHours|
  std::int16_t ZoneMinutes = 0;  // |ZoneCorrMinutes|
  std::int16_t LonDeg = 0;       // 0..179
  std::int16_t LonMin = 0;       // 0..59
  std::int16_t LatDeg = 0;       // 0..89
  std::int16_t LatMin = 0;       // 0..59
  Flag16 IsEast = kFalse;
  Flag16 IsSouth = kFalse;
  Flag16 IsDst = kFalse;

  // Signed correction from local clock time to universal time.
  std::int16_t ZoneCorrHours = 0;    // -13..+12
  std::int16_t ZoneCorrMinutes = 0;  // -30, 0, +30, same sign as the hours

  bool operator==(const ChartInput&) const = default;
};

// Universal time of the birth in hours on the local calendar date: it may run
// below 0 or past 24, the date is not moved.
// UT = local time - (1 h under daylight saving) + the signed zone correction.
double UniversalTimeHours(const ChartInput& in);

// The birth instant: the local date with UniversalTimeHours. The sidereal
// shift and the Moon read it as it is; the planets read the same instant as a
// universal date and time (UniversalDateTime), so every body shares one
// instant.
BirthInstant InstantOf(const ChartInput& in);

// The local birth date and time moved back an hour under daylight saving and
// shifted by the signed zone correction, with full calendar carry.
CalendarMinute UniversalDateTime(const ChartInput& in);

}  // namespace orbisca

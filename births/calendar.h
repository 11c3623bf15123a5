#pragma once

// Civil dates as day counts, for the Julian day of the AAF format and for
// checking dates read from files.

#include <cstdint>

namespace orbisca::births {

struct CivilDateTime {
  int year = 1970, month = 1, day = 1;
  int hour = 0, minute = 0, second = 0;
  bool operator==(const CivilDateTime&) const = default;
};

// Days from 1970-01-01 of a proleptic Gregorian date, and back: Howard
// Hinnant's days_from_civil / civil_from_days ("chrono-Compatible Low-Level
// Date Algorithms", howardhinnant.github.io/date_algorithms.html).
std::int64_t DaysFromCivil(int year, int month, int day);
void CivilFromDays(std::int64_t days, int& year, int& month, int& day);

// Whether the date is one of the calendar's and the time one of the day's.
bool IsValidCivil(const CivilDateTime& t);

// Seconds from 1970-01-01 00:00:00 of a civil date and time, and back.
std::int64_t SecondsFromCivil(const CivilDateTime& t);
CivilDateTime CivilFromSeconds(std::int64_t seconds);

// The Julian day of 1970-01-01 00:00 UT (Meeus, Astronomical Algorithms,
// ch. 7: JD 2440587.5).
inline constexpr double kUnixEpochJulianDay = 2440587.5;

}  // namespace orbisca::births

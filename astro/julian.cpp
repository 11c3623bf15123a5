#include "astro/julian.h"

#include <array>
#include <cmath>
#include <cstddef>

namespace orbisca {
namespace {
// Int of BASIC: the floor, also for negative quotients.
long long FloorDiv(long long a, long long b) {
  long long q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}

bool IsGregorianLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
  static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return (m == 2 && IsGregorianLeap(y)) ? 29 : kDays[static_cast<std::size_t>(m - 1)];
}

void PreviousDay(CalendarMinute& t) {
  if (--t.day >= 1) return;
  if (--t.month < 1) {
    t.month = 12;
    --t.year;
  }
  t.day = DaysInMonth(t.year, t.month);
}

void NextDay(CalendarMinute& t) {
  if (++t.day <= DaysInMonth(t.year, t.month)) return;
  t.day = 1;
  if (++t.month > 12) {
    t.month = 1;
    ++t.year;
  }
}

}  // namespace

// Fliegel and Van Flandern's integer form, counting months from March of
// year -4800 so that the leap day ends each counted year.
double JulianDayNumber(int month, int day, int year) {
  const long long n = (static_cast<long long>(year) + 4800) * 12 + month - 3;
  long long j = FloorDiv(2 * (n - 12 * FloorDiv(n, 12)) + 7 + 365 * n, 12) + day + FloorDiv(n, 48) - 32083;
  if (j > 2299171) j += FloorDiv(n, 4800) - FloorDiv(n, 1200) + 38;
  return static_cast<double>(j);
}

// The day-number formula of Schlyter's "How to compute planetary positions".
double DayNumberJ2000(int year, int month, int day, int hour, int minute) {
  const long long y = year;
  const long long whole = 367 * y - FloorDiv(7 * (y + FloorDiv(month + 9, 12)), 4) + FloorDiv(275LL * month, 9) + day;
  return static_cast<double>(whole) - 730531.5 + (hour + minute / 60.0) / 24.0;
}

double DayNumberJ2000(const CalendarMinute& t) { return DayNumberJ2000(t.year, t.month, t.day, t.hour, t.minute); }

// The hours are whole minutes (clock minutes and zone corrections), so the
// rounding only removes the binary fraction's error.
CalendarMinute UniversalCalendarMinute(const BirthInstant& instant) {
  CalendarMinute t{instant.year, instant.month, instant.day, 0, 0};
  long long total = std::llround(instant.universalHours * 60.0);
  for (; total < 0; total += 24 * 60) PreviousDay(t);
  for (; total >= 24 * 60; total -= 24 * 60) NextDay(t);
  t.hour = static_cast<int>(total / 60);
  t.minute = static_cast<int>(total % 60);
  return t;
}

}  // namespace orbisca

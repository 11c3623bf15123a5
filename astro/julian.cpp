#include "astro/julian.h"

#include <cmath>

namespace orbisca {
namespace {
// Int of BASIC: the floor, also for negative quotients.
long long FloorDiv(long long a, long long b) {
  long long q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
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

}  // namespace orbisca

#include "astro/civil_day.h"

#include <cmath>

namespace orbisca {

CalendarMinute CalendarMinuteOfJulianDay(double julianDay) {
  // Whole minutes since the Julian day's epoch (noon), rounded once, so that
  // the date and the time come from the same count.
  const long long minutes = std::llround((julianDay + 0.5) * 1440.0);
  const long long Z = minutes >= 0 ? minutes / 1440 : -((-minutes + 1439) / 1440);
  const long long ofDay = minutes - Z * 1440;
  // Meeus ch. 7: from the day number Z to the Gregorian date.
  long long A = Z;
  if (Z >= 2299161) {
    const long long alpha = static_cast<long long>(std::floor((static_cast<double>(Z) - 1867216.25) / 36524.25));
    A = Z + 1 + alpha - alpha / 4;
  }
  const long long B = A + 1524;
  const long long C = static_cast<long long>(std::floor((static_cast<double>(B) - 122.1) / 365.25));
  const long long D = static_cast<long long>(std::floor(365.25 * static_cast<double>(C)));
  const long long E = static_cast<long long>(std::floor(static_cast<double>(B - D) / 30.6001));
  CalendarMinute t{};
  t.day = static_cast<int>(B - D - static_cast<long long>(std::floor(30.6001 * static_cast<double>(E))));
  t.month = static_cast<int>(E < 14 ? E - 1 : E - 13);
  t.year = static_cast<int>(t.month > 2 ? C - 4716 : C - 4715);
  t.hour = static_cast<int>(ofDay / 60);
  t.minute = static_cast<int>(ofDay % 60);
  return t;
}

int WeekdayOf(int year, int month, int day) {
  const long long jdn = static_cast<long long>(JulianDayNumber(month, day, year));
  return static_cast<int>(((jdn + 1) % 7 + 7) % 7);
}

}  // namespace orbisca

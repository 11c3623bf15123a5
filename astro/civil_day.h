#pragma once

// Julian days back to calendar dates, and the days of the week.

#include <array>
#include <string_view>

#include "astro/julian.h"

namespace orbisca {

// The universal calendar date and time of a Julian day, rounded to the
// nearest minute (Gregorian calendar; Meeus, "Astronomical Algorithms" 2nd
// ed., ch. 7). For a local clock time, add the offset first:
// CalendarMinuteOfJulianDay(jd + offsetHours / 24).
CalendarMinute CalendarMinuteOfJulianDay(double julianDay);

struct WeekdayRow {
  int number;  // 0 = Sunday .. 6 = Saturday
  std::string_view english;
  std::string_view sanskrit;  // the vara's name
};

// The seven days and their Vedic names (vara), Sunday first, in the common
// romanization without diacritics (the lords of the days: Sun, Moon, Mars,
// Mercury, Jupiter, Venus, Saturn).
inline constexpr std::array<WeekdayRow, 7> kWeekdays = {{
    {0, "Sunday", "Ravivara"},
    {1, "Monday", "Somavara"},
    {2, "Tuesday", "Mangalavara"},
    {3, "Wednesday", "Budhavara"},
    {4, "Thursday", "Guruvara"},
    {5, "Friday", "Shukravara"},
    {6, "Saturday", "Shanivara"},
}};

// Day of the week of a Gregorian date, 0 = Sunday (Julian Day Number + 1,
// modulo 7: JD 2451545, 2000 January 1, was a Saturday).
int WeekdayOf(int year, int month, int day);

}  // namespace orbisca

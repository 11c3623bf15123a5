#pragma once

namespace orbisca {

// Julian Day Number of a calendar date (the Julian day at noon), Gregorian
// calendar after 1582 October 15.
double JulianDayNumber(int month, int day, int year);

// Days from J2000.0 (2000 January 1, 12:00) of a universal date and time.
// Exact from 1900 March 1 to 2100 February 28.
double DayNumberJ2000(int year, int month, int day, int hour, int minute);

}  // namespace orbisca

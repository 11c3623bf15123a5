#pragma once

namespace orbisca {

// A calendar date and time to the minute.
struct CalendarMinute {
  int year, month, day, hour, minute;
  bool operator==(const CalendarMinute&) const = default;
};

// The birth instant as the position formulas read it: the local calendar
// date and the universal time in hours counted from that date's midnight. The
// hours may run below 0 or past 24 when the zone moves the day; the date is
// not moved.
struct BirthInstant {
  int year, month, day;
  double universalHours;
};

// The instant's universal date and time, carried into the day, month and
// year (Gregorian leap years).
CalendarMinute UniversalCalendarMinute(const BirthInstant& instant);

// Julian Day Number of a calendar date (the Julian day at noon), Gregorian
// calendar after 1582 October 15.
double JulianDayNumber(int month, int day, int year);

// Days from J2000.0 (2000 January 1, 12:00) of a universal date and time.
// Exact from 1900 March 1 to 2100 February 28.
double DayNumberJ2000(int year, int month, int day, int hour, int minute);
double DayNumberJ2000(const CalendarMinute& t);

}  // namespace orbisca

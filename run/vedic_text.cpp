#include "run/vedic_text.h"

#include <cmath>
#include <cstdio>

#include "astro/civil_day.h"

namespace orbisca {
namespace {

std::string FormatMinute(const CalendarMinute& t, const char* format) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, format, t.year, t.month, t.day, t.hour, t.minute);
  return buffer;
}

}  // namespace

std::string ClockDateTime(double julianDay, double offsetHours) {
  return FormatMinute(CalendarMinuteOfJulianDay(julianDay + offsetHours / 24.0), "%04d-%02d-%02d %02d:%02d");
}

std::string BirthClockText(const Birth& b) {
  return FormatMinute({b.year, b.month, b.day, b.hour, b.minute}, "%04d-%02d-%02d %02d:%02d");
}

std::string IsoUniversal(double julianDay) {
  return FormatMinute(CalendarMinuteOfJulianDay(julianDay), "%04d-%02d-%02dT%02d:%02dZ");
}

std::string ClockOffsetName(double offsetHours) {
  const long minutes = std::lround(offsetHours * 60.0);
  if (minutes == 0) return "UTC";
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "UTC%c%ld:%02ld", minutes < 0 ? '-' : '+', std::labs(minutes) / 60,
                std::labs(minutes) % 60);
  return buffer;
}

std::string_view DashaYearName(DashaYear year) { return kDashaYears[static_cast<std::size_t>(year)].name; }

std::string BalanceLine(const DashaBalance& balance) {
  const YearsMonthsDays left = SplitDashaYears(balance.years);
  return "Born in " + std::string(LordName(balance.lord)) + " dasha, balance " + std::to_string(left.years) + " y " +
         std::to_string(left.months) + " m " + std::to_string(left.days) + " d";
}

std::string AgeAt(const Birth& birth, const Chart& chart, double julianDay) {
  const CalendarMinute t = CalendarMinuteOfJulianDay(julianDay + chart.instant.clockOffsetHours / 24.0);
  int months = (t.year - birth.year) * 12 + (t.month - birth.month);
  // A month is not complete until the birth's day and time of day come round.
  const int later = (t.day - birth.day) * 1440 + (t.hour - birth.hour) * 60 + (t.minute - birth.minute);
  if (later < 0) --months;
  if (months < 0) return {};
  return std::to_string(months / 12) + " y " + std::to_string(months % 12) + " m";
}

std::string VaraText(const Chart& chart) {
  const Vara& v = chart.particulars.vara;
  const WeekdayRow& day = kWeekdays[static_cast<std::size_t>(v.weekday)];
  std::string text = "vara " + std::string(day.english) + " (" + std::string(day.sanskrit) + ")";
  switch (v.sunrise.kind) {
    case SunriseKind::Rises:
      return text + " from sunrise " + ClockDateTime(v.sunrise.julianDay, chart.instant.clockOffsetHours);
    case SunriseKind::PolarDay:
      return text + ", the civil day: no sunrise that day, the Sun stays above the horizon (polar day)";
    case SunriseKind::PolarNight:
      return text + ", the civil day: no sunrise that day, the Sun stays below the horizon (polar night)";
  }
  return text;
}

std::string ParticularsLine(const Chart& chart) {
  const ChartParticulars& p = chart.particulars;
  const Particulars& d = p.day;
  return "Born on a " + std::string(kWeekdays[static_cast<std::size_t>(p.weekday)].english) + "; " + VaraText(chart) +
         "; tithi " + std::to_string(d.tithi) + " (" + std::string(PakshaName(d.paksha)) + " " +
         std::string(TithiName(d.tithi)) + "); yoga " + std::to_string(d.yoga) + " (" + std::string(YogaName(d.yoga)) +
         "); karana " + std::to_string(d.karana) + " (" + std::string(KaranaName(d.karana)) + "); Moon in " +
         std::string(NakshatraName(d.nakshatra)) + ", pada " + std::to_string(d.pada);
}

}  // namespace orbisca

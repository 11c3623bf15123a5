#include "places/zone_facts.h"

#include "places/civil_time.h"

#include <date/date.h>

#include <chrono>
#include <cmath>
#include <cstdio>

namespace orbisca::places {
namespace {

using std::chrono::seconds;

std::string TwoDigits(int n) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d", n);
  return text;
}

// Appended piece by piece: g++ 12 at -O3 gives a false -Wrestrict warning for
// a literal added to a temporary string.
std::string ClockText(const LocalDateTime& t) {
  std::string text = TwoDigits(t.hour);
  text += ':';
  text += TwoDigits(t.minute);
  if (t.second) {
    text += ':';
    text += TwoDigits(t.second);
  }
  return text;
}

std::string Described(const ClockOffset& offset, bool sayDst) {
  return offset.abbreviation + " (" + FormatUtcOffset(offset.offsetSeconds) +
         (sayDst && offset.dst ? ", daylight saving" : "") + ")";
}

}  // namespace

bool IsValidLocalDateTime(const LocalDateTime& local) {
  const date::year_month_day ymd{date::year{local.year}, date::month{static_cast<unsigned>(local.month)},
                                 date::day{static_cast<unsigned>(local.day)}};
  return ymd.ok() && local.hour >= 0 && local.hour <= 23 && local.minute >= 0 && local.minute <= 59 &&
         local.second >= 0 && local.second <= 59;
}

std::string FormatLocalDateTime(const LocalDateTime& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d ", t.year, t.month, t.day);
  return text + ClockText(t);
}

std::string FormatUtcOffset(int offsetSeconds) {
  const int magnitude = std::abs(offsetSeconds);
  const int hours = magnitude / 3600, minutes = magnitude / 60 % 60, secs = magnitude % 60;
  std::string text = std::string("UTC") + (offsetSeconds < 0 ? "\u2212" : "+") + std::to_string(hours);
  if (minutes || secs) text.append(1, ':').append(TwoDigits(minutes));
  if (secs) text.append(1, ':').append(TwoDigits(secs));
  return text;
}

std::string SkippedTimeMessage(std::string_view zone, const LocalDateTime& local, const ZoneAnswer& answer) {
  LocalDateTime after = answer.changeAt;
  const int jump = answer.second.offsetSeconds - answer.first.offsetSeconds;
  const auto later = date::local_seconds{date::local_days{date::year{after.year} / after.month / after.day}} +
                     seconds{after.hour * 3600 + after.minute * 60 + after.second + jump};
  after = LocalDateTimeAt(later);
  return FormatLocalDateTime(local) + " did not happen in " + std::string(zone) + ": the clocks went forward from " +
         ClockText(answer.changeAt) + " " + Described(answer.first, false) + " to " + ClockText(after) + " " +
         Described(answer.second, false) + ".";
}

std::string RepeatedTimeMessage(std::string_view zone, const LocalDateTime& local, const ZoneAnswer& answer) {
  return FormatLocalDateTime(local) + " happened twice in " + std::string(zone) + ": first " +
         Described(answer.first, true) + ", then " + Described(answer.second, true) + ".";
}

int MeanTimeOffsetSeconds(double longitudeDegrees) {
  return static_cast<int>(std::lround(longitudeDegrees * 240.0));  // 360° = 86,400 s
}

std::string MeanTimeNote(std::string_view zone, const ClockOffset& offset, std::string_view placeName,
                         double longitudeDegrees) {
  if (!offset.localMeanTime) return {};
  return "Before standard time, " + std::string(zone) + " gives the local mean time of its main city, " +
         FormatUtcOffset(offset.offsetSeconds) + "; the mean time of " + std::string(placeName) +
         " itself (longitude \u00F7 15) is " + FormatUtcOffset(MeanTimeOffsetSeconds(longitudeDegrees)) + ".";
}

}  // namespace orbisca::places

#include "places/zone_facts.h"

#include <date/tz.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace orbisca::places {
namespace {

using std::chrono::seconds;

// How far to walk from a daylight-saving period to the nearest standard one;
// the longest run in the database (Britain's war years) has about a dozen.
constexpr int kMaxPeriodsToStandard = 64;

const date::time_zone* FindZone(std::string_view zone, std::string& error) {
  try {
    return date::locate_zone(zone);
  } catch (const std::exception&) {
    error = "The time zone \"" + std::string(zone) + "\" is not in the system's tz database";
    return nullptr;
  }
}

// The tz data compiled into /usr/share/zoneinfo keeps only a flag for daylight
// saving, not its amount, so the standard time is that of the nearest period
// without the flag: before first, then after. None found: an hour less.
date::sys_info StandardPeriod(const date::time_zone& zone, const date::sys_info& info) {
  if (info.save == std::chrono::minutes{0}) return info;
  date::sys_info period = info;
  for (int i = 0; i < kMaxPeriodsToStandard && period.begin > date::sys_seconds::min() + seconds{1}; ++i) {
    period = zone.get_info(period.begin - seconds{1});
    if (period.save == std::chrono::minutes{0}) return period;
  }
  period = info;
  for (int i = 0; i < kMaxPeriodsToStandard && period.end < date::sys_seconds::max(); ++i) {
    period = zone.get_info(period.end);
    if (period.save == std::chrono::minutes{0}) return period;
  }
  period = info;
  period.offset -= std::chrono::hours{1};
  period.abbrev.clear();
  return period;
}

ClockOffset ToClockOffset(const date::time_zone& zone, const date::sys_info& info) {
  ClockOffset offset;
  offset.offsetSeconds = static_cast<int>(info.offset.count());
  offset.dst = info.save != std::chrono::minutes{0};
  const date::sys_info standard = StandardPeriod(zone, info);
  offset.standardOffsetSeconds = static_cast<int>(standard.offset.count());
  offset.standardAbbreviation = standard.abbrev;
  offset.abbreviation = info.abbrev;
  offset.localMeanTime = info.abbrev == "LMT";
  return offset;
}

LocalDateTime ToLocal(date::local_seconds time) {
  const auto days = date::floor<date::days>(time);
  const date::year_month_day ymd{days};
  const date::hh_mm_ss<seconds> clock{time - days};
  return {static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
          static_cast<int>(static_cast<unsigned>(ymd.day())), static_cast<int>(clock.hours().count()),
          static_cast<int>(clock.minutes().count()), static_cast<int>(clock.seconds().count())};
}

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

std::string FormatLocalDateTime(const LocalDateTime& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d ", t.year, t.month, t.day);
  return text + ClockText(t);
}

ZoneLookup LookUpZone(std::string_view zoneName, const LocalDateTime& local) {
  std::string error;
  const date::time_zone* zone = FindZone(zoneName, error);
  if (!zone) return {std::nullopt, error};
  const date::year_month_day ymd{date::year{local.year}, date::month{static_cast<unsigned>(local.month)},
                                 date::day{static_cast<unsigned>(local.day)}};
  if (!ymd.ok() || local.hour < 0 || local.hour > 23 || local.minute < 0 || local.minute > 59 || local.second < 0 ||
      local.second > 59) {
    return {std::nullopt, FormatLocalDateTime(local) + " is not a valid date and time"};
  }
  const date::local_seconds time =
      date::local_days{ymd} + std::chrono::hours{local.hour} + std::chrono::minutes{local.minute} + seconds{local.second};
  const date::local_info info = zone->get_info(time);
  ZoneAnswer answer;
  answer.first = ToClockOffset(*zone, info.first);
  if (info.result == date::local_info::unique) return {answer, {}};
  answer.kind = info.result == date::local_info::nonexistent ? LocalTimeKind::Skipped : LocalTimeKind::Repeated;
  answer.second = ToClockOffset(*zone, info.second);
  answer.changeAt = ToLocal(date::local_seconds{info.first.end.time_since_epoch()} + info.first.offset);
  return {answer, {}};
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
  after = ToLocal(later);
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

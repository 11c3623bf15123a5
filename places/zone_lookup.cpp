// The zone's offset at a local time, from the tz database: the one part of
// the places that needs libdate-tz, so that a program can leave it out of
// its start-up (orbisca-chart loads it as a module when a place needs it).
#include <date/tz.h>

#include <chrono>
#include <stdexcept>

#include "places/civil_time.h"
#include "places/zone_facts.h"

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

}  // namespace

ZoneLookup LookUpZone(std::string_view zoneName, const LocalDateTime& local) {
  std::string error;
  const date::time_zone* zone = FindZone(zoneName, error);
  if (!zone) return {std::nullopt, error};
  if (!IsValidLocalDateTime(local)) return {std::nullopt, FormatLocalDateTime(local) + " is not a valid date and time"};
  const date::year_month_day ymd{date::year{local.year}, date::month{static_cast<unsigned>(local.month)},
                                 date::day{static_cast<unsigned>(local.day)}};
  const date::local_seconds time =
      date::local_days{ymd} + std::chrono::hours{local.hour} + std::chrono::minutes{local.minute} + seconds{local.second};
  const date::local_info info = zone->get_info(time);
  ZoneAnswer answer;
  answer.first = ToClockOffset(*zone, info.first);
  if (info.result == date::local_info::unique) return {answer, {}};
  answer.kind = info.result == date::local_info::nonexistent ? LocalTimeKind::Skipped : LocalTimeKind::Repeated;
  answer.second = ToClockOffset(*zone, info.second);
  answer.changeAt = LocalDateTimeAt(date::local_seconds{info.first.end.time_since_epoch()} + info.first.offset);
  return {answer, {}};
}

void PrepareZoneLookUp() {
  try {
    date::get_tzdb();
  } catch (const std::exception&) {
    // Reported by the first look-up.
  }
}

}  // namespace orbisca::places

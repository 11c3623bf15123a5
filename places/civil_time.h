#pragma once

// The calendar of the date library's date.h, which is header-only: no tz
// database needed.
#include <date/date.h>

#include <chrono>

#include "places/zone_facts.h"

namespace orbisca::places {

// The date and clock time of a local time point.
inline LocalDateTime LocalDateTimeAt(date::local_seconds time) {
  const auto days = date::floor<date::days>(time);
  const date::year_month_day ymd{days};
  const date::hh_mm_ss<std::chrono::seconds> clock{time - days};
  return {static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
          static_cast<int>(static_cast<unsigned>(ymd.day())), static_cast<int>(clock.hours().count()),
          static_cast<int>(clock.minutes().count()), static_cast<int>(clock.seconds().count())};
}

}  // namespace orbisca::places

#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orbisca::places {

// A date and clock time as read from a clock at the place.
struct LocalDateTime {
  int year = 2000;
  int month = 1;   // 1..12
  int day = 1;     // 1..31
  int hour = 0;    // 0..23
  int minute = 0;  // 0..59
  int second = 0;  // 0..59
};
// Whether the date is one of the calendar's and the clock time one of the day's.
bool IsValidLocalDateTime(const LocalDateTime& local);
// "1976-07-04 10:15", with ":SS" only when the seconds are not zero.
std::string FormatLocalDateTime(const LocalDateTime& local);

// One of the zone's clock settings.
struct ClockOffset {
  int offsetSeconds = 0;          // local clock minus UTC
  int standardOffsetSeconds = 0;  // the same without daylight saving
  bool dst = false;               // the tz database marks the time as daylight saving
  std::string abbreviation;       // "EDT", "+0630", "LMT"
  std::string standardAbbreviation;  // of the standard time: "EST", "IST"
  // The tz database gives the local mean time of the zone's main city here,
  // before the zone kept a standard time.
  bool localMeanTime = false;
};

enum class LocalTimeKind {
  Unique,    // one offset: `first`
  Skipped,   // the clocks jumped over this time: `first` before, `second` after
  Repeated,  // the clocks showed this time twice: `first`, then `second`
};

struct ZoneAnswer {
  LocalTimeKind kind = LocalTimeKind::Unique;
  ClockOffset first;
  ClockOffset second;
  // Skipped or Repeated: the local clock time, on the `first` offset, at
  // which the clocks changed.
  LocalDateTime changeAt;
};

// The zone's offset at a local date and time, from the system's tz database,
// or why there is none (an unknown zone or a date that does not exist).
// Defined in zone_lookup.cpp, the one place that needs libdate-tz; the
// programs define it instead by loading that code as a module on the first
// call (places/module), so that their start-up does without the library.
struct ZoneLookup {
  std::optional<ZoneAnswer> answer;
  std::string error;
};
ZoneLookup LookUpZone(std::string_view zone, const LocalDateTime& local);

// Reads the tz database's list of zones now, rather than at the first
// look-up: for a thread that has time before a look-up is wanted. A database
// that cannot be read is left for the look-up to report, with the zone's name.
void PrepareZoneLookUp();

// "UTC+0", "UTC−4", "UTC+5:30", "UTC+0:53:28" (with the minus sign U+2212).
std::string FormatUtcOffset(int offsetSeconds);

// Why a skipped local time is refused: "2021-03-14 02:30 did not happen in
// America/New_York: the clocks went forward from 02:00 EST (UTC−5) to 03:00 EDT (UTC−4)."
std::string SkippedTimeMessage(std::string_view zone, const LocalDateTime& local, const ZoneAnswer& answer);
// "2021-11-07 01:30 happened twice in America/New_York: first EDT (UTC−4,
// daylight saving), then EST (UTC−5)."
std::string RepeatedTimeMessage(std::string_view zone, const LocalDateTime& local, const ZoneAnswer& answer);

// The mean time of a longitude: longitude ÷ 15 hours, to the second.
int MeanTimeOffsetSeconds(double longitudeDegrees);
// Where the tz database gives a local mean time: says so, and offers the
// place's own mean time. Empty when `offset` is not a local mean time.
std::string MeanTimeNote(std::string_view zone, const ClockOffset& offset, std::string_view placeName,
                         double longitudeDegrees);

}  // namespace orbisca::places

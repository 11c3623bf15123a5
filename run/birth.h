#pragma once

// One birth, as every front end hands it to the engine: the form, the
// command's options, a batch row and, later, a saved birth each parse their
// own texts into it once.

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "astro/julian.h"
#include "run/birth_entries.h"

namespace orbisca {

// A zone chosen from the zone list (TimeZoneTable), by its position.
struct ZoneRow {
  int row = 0;
  bool operator==(const ZoneRow&) const = default;
};

// A zone given as an exact UTC offset, minutes east of Greenwich, with the
// IANA zone it came from when there is one ("Asia/Kolkata").
struct ZoneOffset {
  int minutesEast = 0;
  std::string iana;
  bool operator==(const ZoneOffset&) const = default;
};

using BirthZone = std::variant<ZoneRow, ZoneOffset>;

// The place of the atlas a birth was given by: its GeoNames id and its
// "City, State, Country" text.
struct BirthPlace {
  std::int64_t geonameId = 0;
  std::string text;
  bool operator==(const BirthPlace&) const = default;
};

// The coordinates are held as the form holds them, whole degrees and minutes
// with a hemisphere, so that every output prints them as before.
struct Birth {
  std::string name;
  int year = 1901, month = 1, day = 1;  // local calendar date
  int hour = 0, minute = 0, second = 0;  // local clock time; the positions read it to the minute
  BirthZone zone = ZoneRow{};
  bool dst = false;  // the clock ran an hour ahead of the zone's standard time
  int lonDegrees = 0, lonMinutes = 0;
  bool east = true;
  int latDegrees = 0, latMinutes = 0;
  bool south = false;
  std::optional<BirthPlace> place;
  bool operator==(const Birth&) const = default;
};

// The signed correction from local clock time to universal time of the zone,
// hours and minutes of the same sign (India: -5 h -30 min). A row outside the
// zone list corrects nothing.
struct ZoneCorrection {
  int hours = 0;
  int minutes = 0;
};
ZoneCorrection CorrectionOf(const BirthZone& zone);

// Universal time of the birth in hours on the local calendar date: it may run
// below 0 or past 24, the date is not moved.
// UT = local time - (1 h under daylight saving) + the zone's correction.
double UniversalTimeHours(const Birth& birth);

// The birth instant: the local date with UniversalTimeHours. Every body, the
// sidereal shift and the ascendant read this one instant.
BirthInstant InstantOf(const Birth& birth);

// Signed longitude of the birth place, east positive, and latitude, north
// positive, in degrees.
double EastLongitude(const Birth& birth);
double NorthLatitude(const Birth& birth);

// The checks of a birth whose numbers were read from digits (the command's
// options, a batch row): the form's checks in the form's order, on the
// numbers. The first that fails is returned, nothing when all pass.
std::optional<EntryRefusal> CheckBirth(const Birth& birth);

// The birth the form's entries stand for, or the form's first refusal: the
// checks of CheckEntries, then each list and box read once.
std::variant<Birth, EntryRefusal> BirthFromEntries(const BirthEntries& entries);

}  // namespace orbisca

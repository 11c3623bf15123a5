#pragma once

// The command's texts of one birth, from the options or a batch row's cells,
// read into a Birth once.

#include <optional>
#include <string>
#include <variant>

#include "run/birth.h"

namespace orbisca::cli {

// A message that refuses the command line (exit status 2).
struct UsageError {
  std::string message;
};

// A zone argument resolved to a list position, or the reason it was refused.
struct ZoneRefusal {
  std::string message;
};
std::variant<int, ZoneRefusal> ResolveZone(const std::string& argument);

// The texts of one birth as the options give them, or a batch row's cells:
// the same forms, the same defaults.
struct OptionTexts {
  std::string date, time, zone, lon = "0:00E", lat = "0:00N", name = "CHART", place, placesQuery;
  bool dst = false, noDst = false;
};

// Each reads its option into the birth, or says why it cannot: --date
// (YYYY-MM-DD), --time (HH:MM or HH:MM:SS), --zone (a list position, text,
// abbreviation or an exact UTC+HH:MM), and --lon with --lat (DEG:MIN and a hemisphere letter).
std::optional<UsageError> ReadDate(const std::string& date, Birth& birth);
std::optional<UsageError> ReadTime(const std::string& time, Birth& birth);
std::optional<UsageError> ReadZone(const std::string& zone, Birth& birth);
std::optional<UsageError> ReadCoordinates(const OptionTexts& texts, Birth& birth);

// The years a chart is made for, as --date and the form's year list give them.
inline constexpr int kFirstYear = 1901, kLastYear = 2050;

// The message that refuses a birth before it is charted, empty when it
// charts: a year out of those (a saved birth may have any), then the form's
// checks (CheckBirth).
std::string BirthRefusal(const Birth& birth);

// The birth that the texts stand for, or the message that refuses them; the
// form's checks (CheckBirth) come after, on the birth. With a place, the
// longitude and latitude are left for ApplyPlace, and so is the zone when
// none is given.
std::variant<Birth, UsageError> BirthFromTexts(const OptionTexts& texts);

}  // namespace orbisca::cli

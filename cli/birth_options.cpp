#include "cli/birth_options.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string_view>
#include <vector>

#include "births/saved_birth.h"
#include "run/plain_words.h"
#include "run/time_zones.h"

namespace orbisca::cli {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Takes a run of `least` to `most` ASCII digits from the front of `text`.
std::optional<std::string_view> TakeDigits(std::string_view& text, std::size_t least, std::size_t most) {
  std::size_t n = 0;
  while (n < text.size() && n < most && IsDigit(text[n])) ++n;
  if (n < least || (n < text.size() && IsDigit(text[n]))) return std::nullopt;
  const std::string_view digits = text.substr(0, n);
  text.remove_prefix(n);
  return digits;
}

// Takes one of `choices` from the front of `text`.
std::optional<char> TakeOneOf(std::string_view& text, std::string_view choices) {
  if (text.empty() || choices.find(text.front()) == std::string_view::npos) return std::nullopt;
  const char c = text.front();
  text.remove_prefix(1);
  return c;
}

int ToInt(std::string_view digits) {
  int v = 0;
  for (char c : digits) v = v * 10 + (c - '0');
  return v;
}

}  // namespace

std::optional<UsageError> ReadDate(const std::string& date, Birth& b) {
  std::string_view rest = date;
  const auto y = TakeDigits(rest, 4, 4);
  const bool dash1 = y && TakeOneOf(rest, "-");
  const auto m = dash1 ? TakeDigits(rest, 1, 2) : std::nullopt;
  const bool dash2 = m && TakeOneOf(rest, "-");
  const auto d = dash2 ? TakeDigits(rest, 1, 2) : std::nullopt;
  if (!d || !rest.empty()) return UsageError{"--date expects YYYY-MM-DD, not \"" + date + "\""};
  const int year = ToInt(*y), month = ToInt(*m), day = ToInt(*d);
  if (year < kFirstYear || year > kLastYear) return UsageError{"--date: the year must be 1901 to 2050"};
  if (month < 1 || month > 12) return UsageError{"--date: the month must be 1 to 12"};
  if (day < 1 || day > 31) return UsageError{"--date: the day must be 1 to 31"};
  b.year = year;
  b.month = month;
  b.day = day;
  return std::nullopt;
}

std::optional<UsageError> ReadTime(const std::string& time, Birth& b) {
  std::string_view rest = time;
  const auto h = TakeDigits(rest, 1, 2);
  const bool colon = h && TakeOneOf(rest, ":");
  const auto m = colon ? TakeDigits(rest, 2, 2) : std::nullopt;
  // Seconds, as a saved birth may have them (a library's export).
  const auto sec = m && TakeOneOf(rest, ":") ? TakeDigits(rest, 2, 2) : std::optional<std::string_view>("0");
  if (!m || !sec || !rest.empty()) return UsageError{"--time expects HH:MM, not \"" + time + "\""};
  if (ToInt(*h) > 23) return UsageError{"--time: the hour must be 0 to 23"};
  if (ToInt(*m) > 59) return UsageError{"--time: the minute must be 0 to 59"};
  if (ToInt(*sec) > 59) return UsageError{"--time: the second must be 0 to 59"};
  b.hour = ToInt(*h);
  b.minute = ToInt(*m);
  b.second = ToInt(*sec);
  return std::nullopt;
}

namespace {

// A place coordinate, DEG:MIN and a hemisphere letter. The degrees and the
// minutes go to the form's checks (CheckBirth) as read.
struct Coordinate {
  int degrees, minutes;
  char hemisphere;
};
std::optional<Coordinate> ReadCoordinate(std::string_view text, std::string_view hemispheres) {
  const auto deg = TakeDigits(text, 1, 3);
  const bool colon = deg && TakeOneOf(text, ":");
  const auto min = colon ? TakeDigits(text, 1, 2) : std::nullopt;
  const auto side = min ? TakeOneOf(text, hemispheres) : std::nullopt;
  if (!side || !text.empty()) return std::nullopt;
  return Coordinate{ToInt(*deg), ToInt(*min),
                    static_cast<char>(std::toupper(static_cast<unsigned char>(*side)))};
}

}  // namespace

std::optional<UsageError> ReadCoordinates(const OptionTexts& t, Birth& b) {
  const std::optional<Coordinate> lon = ReadCoordinate(t.lon, "EWew");
  if (!lon) return UsageError{"--lon expects DEG:MIN followed by E or W, for example 77:12E, not \"" + t.lon + "\""};
  const std::optional<Coordinate> lat = ReadCoordinate(t.lat, "NSns");
  if (!lat) return UsageError{"--lat expects DEG:MIN followed by N or S, for example 28:36N, not \"" + t.lat + "\""};
  b.lonDegrees = lon->degrees;
  b.lonMinutes = lon->minutes;
  b.east = lon->hemisphere == 'E';
  b.latDegrees = lat->degrees;
  b.latMinutes = lat->minutes;
  b.south = lat->hemisphere == 'S';
  return std::nullopt;
}

std::optional<UsageError> ReadZone(const std::string& zone, Birth& b) {
  // An exact offset, "UTC+05:45", as a library's export writes one.
  if (zone.starts_with("UTC+") || zone.starts_with("UTC-")) {
    if (!births::ReadZone(zone, b).empty()) {
      return UsageError{"--zone: an offset is UTC+HH:MM or UTC-HH:MM, within 14 hours, not \"" + zone + "\""};
    }
    return std::nullopt;
  }
  const std::variant<int, ZoneRefusal> resolved = ResolveZone(zone);
  if (const ZoneRefusal* refusal = std::get_if<ZoneRefusal>(&resolved)) return UsageError{refusal->message};
  b.zone = ZoneRow{std::get<int>(resolved)};
  return std::nullopt;
}

std::variant<int, ZoneRefusal> ResolveZone(const std::string& argument) {
  // A list position; leading zeros count for nothing, so 0070 is 070 is 70.
  if (!argument.empty() && std::all_of(argument.begin(), argument.end(), IsDigit)) {
    const std::size_t first = std::min(argument.find_first_not_of('0'), argument.size() - 1);
    const std::string_view digits = std::string_view(argument).substr(first);
    const int position = digits.size() <= 3 ? ToInt(digits) : kTimeZoneCount;
    if (position < kTimeZoneCount) return position;
    return ZoneRefusal{"--zone: a list position is 0 to 70, not " + argument};
  }
  // The exact list text.
  for (int i = 0; i < kTimeZoneCount; ++i) {
    if (TimeZoneTable[static_cast<std::size_t>(i)].text == argument) return i;
  }
  // An abbreviation that names one row only.
  std::vector<int> matches;
  for (int i = 0; i < kTimeZoneCount; ++i) {
    if (EqualsIgnoringCase(TimeZoneTable[static_cast<std::size_t>(i)].abbreviation, argument)) matches.push_back(i);
  }
  if (matches.size() == 1) return matches.front();
  if (matches.empty()) {
    return ZoneRefusal{"--zone: unknown zone \"" + argument +
                       "\"; give a list position (0 to 70), the list text or its abbreviation "
                       "(orbisca-chart --help lists them)"};
  }
  std::string message = "--zone: \"" + argument + "\" is ambiguous; it names:";
  for (int i : matches) {
    message += "\n  " + std::to_string(i) + "  " + std::string(TimeZoneTable[static_cast<std::size_t>(i)].text);
  }
  return ZoneRefusal{message};
}

std::variant<Birth, UsageError> BirthFromTexts(const OptionTexts& texts) {
  Birth e;
  e.name = texts.name;
  e.dst = texts.dst;
  if (std::optional<UsageError> error = ReadDate(texts.date, e)) return *error;
  if (std::optional<UsageError> error = ReadTime(texts.time, e)) return *error;
  // A place of the atlas gives the coordinates, and the offset when no zone
  // is given; the caller applies it, since it needs the atlas.
  if (texts.place.empty() || !texts.zone.empty()) {
    if (std::optional<UsageError> error = ReadZone(texts.zone, e)) return *error;
  }
  if (texts.place.empty()) {
    if (std::optional<UsageError> error = ReadCoordinates(texts, e)) return *error;
  }
  return e;
}

std::string BirthRefusal(const Birth& birth) {
  if (birth.year < kFirstYear || birth.year > kLastYear) return "the year must be 1901 to 2050";
  if (const std::optional<EntryRefusal> refusal = CheckBirth(birth)) return std::string(refusal->message);
  return {};
}

}  // namespace orbisca::cli

#include "cli/chart_texts.h"

#include <cctype>
#include <charconv>

#include "cli/chart_options.h"

namespace orbisca::cli {
namespace {

// Reads 1 to `most` ASCII digits at the start of `text` into `value` and
// moves past them; false when there are fewer or more digits.
bool Digits(std::string_view& text, std::size_t least, std::size_t most, int& value) {
  std::size_t n = 0;
  while (n < text.size() && text[n] >= '0' && text[n] <= '9') ++n;
  if (n < least || n > most) return false;
  std::from_chars(text.data(), text.data() + n, value);
  text.remove_prefix(n);
  return true;
}

bool Literal(std::string_view& text, char c) {
  if (text.empty() || text.front() != c) return false;
  text.remove_prefix(1);
  return true;
}

std::string Quoted(std::string_view text) {
  std::string quoted;
  quoted.reserve(text.size() + 2);
  quoted.append(1, '"').append(text).append(1, '"');
  return quoted;
}

// DEG:MIN followed by one of two hemisphere letters, either case; the
// degrees and minutes keep their text as typed, for the form's checks.
bool Angle(std::string_view text, char positive, char negative, std::string& degrees, std::string& minutes,
           bool& isPositive) {
  const std::string_view whole = text;
  int value = 0;
  if (!Digits(text, 1, 3, value)) return false;
  degrees.assign(whole.substr(0, whole.size() - text.size()));
  if (!Literal(text, ':')) return false;
  const std::size_t minutesStart = whole.size() - text.size();
  if (!Digits(text, 1, 2, value)) return false;
  minutes.assign(whole.substr(minutesStart, whole.size() - text.size() - minutesStart));
  if (text.size() != 1) return false;
  const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(text.front())));
  if (letter != positive && letter != negative) return false;
  isPositive = letter == positive;
  return true;
}

}  // namespace

std::variant<BirthEntries, std::string> EntriesFromTexts(const ChartTexts& t) {
  BirthEntries e;
  e.name = t.name;

  std::string_view rest = t.date;
  int year = 0, month = 0, day = 0;
  if (!(Digits(rest, 4, 4, year) && Literal(rest, '-') && Digits(rest, 1, 2, month) && Literal(rest, '-') &&
        Digits(rest, 1, 2, day) && rest.empty())) {
    return "--date expects YYYY-MM-DD, not " + Quoted(t.date);
  }
  if (year < 1901 || year > 2050) return std::string("--date: the year must be 1901 to 2050");
  if (month < 1 || month > 12) return std::string("--date: the month must be 1 to 12");
  if (day < 1 || day > 31) return std::string("--date: the day must be 1 to 31");
  e.monthIndex = month - 1;
  e.dayIndex = day - 1;
  e.dayText = std::to_string(day);
  e.yearText = std::to_string(year);

  rest = t.time;
  int hour = 0, minute = 0;
  if (!(Digits(rest, 1, 2, hour) && Literal(rest, ':') && Digits(rest, 2, 2, minute) && rest.empty())) {
    return "--time expects HH:MM, not " + Quoted(t.time);
  }
  if (hour > 23) return std::string("--time: the hour must be 0 to 23");
  if (minute > 59) return std::string("--time: the minute must be 0 to 59");
  e.hourText = std::to_string(hour);
  e.minuteText = std::to_string(minute);

  const std::variant<int, ZoneRefusal> zone = ResolveZone(std::string(t.zone));
  if (const ZoneRefusal* refusal = std::get_if<ZoneRefusal>(&zone)) return refusal->message;
  e.zoneIndex = std::get<int>(zone);

  if (!Angle(t.lon, 'E', 'W', e.lonDeg, e.lonMin, e.east)) {
    return "--lon expects DEG:MIN followed by E or W, for example 77:12E, not " + Quoted(t.lon);
  }
  bool north = true;
  if (!Angle(t.lat, 'N', 'S', e.latDeg, e.latMin, north)) {
    return "--lat expects DEG:MIN followed by N or S, for example 28:36N, not " + Quoted(t.lat);
  }
  e.south = !north;
  e.dst = t.dst;
  return e;
}

}  // namespace orbisca::cli

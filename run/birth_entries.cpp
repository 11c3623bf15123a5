#include "run/birth_entries.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

namespace orbisca {
namespace {

constexpr std::string_view kName = "Please Enter Name";
constexpr std::string_view kLonDeg = "Please Enter Value Between 0 And 179 in the Degree of Longitude";
constexpr std::string_view kLonMin = "Please Enter Value Between 0 And 59 in the  Minute of Longitude";
constexpr std::string_view kLatDeg = "Please Enter Value Between 0 And 89 in the Degree of Latitude";
constexpr std::string_view kLatMin = "Please Enter Value Between 0 And 59 in the  Minute of Latitude";
// The two date messages differ by the space before the exclamation mark.
constexpr std::string_view kFebruary = "Please Enter Correct Date Or Month!";
constexpr std::string_view kThirtyDays = "Please Enter Correct Date Or Month !";

// Whether a decimal number (digits, optional fraction, optional exponent, no
// sign) that from_chars found out of range is too small for a double rather
// than too large: the power of ten of its first significant digit is negative.
bool BelowDoubleRange(std::string_view number) {
  const auto digit = [&](std::size_t k) { return k < number.size() && number[k] >= '0' && number[k] <= '9'; };
  long lead = 0;
  bool significant = false;
  std::size_t i = 0;
  for (; digit(i); ++i) {
    if (significant) ++lead;
    significant = significant || number[i] != '0';
  }
  if (i < number.size() && number[i] == '.') {
    for (++i; digit(i); ++i) {
      if (significant) continue;
      --lead;
      significant = number[i] != '0';
    }
  }
  long exponent = 0;
  if (i < number.size()) {  // e or E, then the exponent's digits
    std::string_view e = number.substr(i + 1);
    const bool minus = !e.empty() && e.front() == '-';
    if (!e.empty() && (e.front() == '+' || e.front() == '-')) e.remove_prefix(1);
    if (std::from_chars(e.data(), e.data() + e.size(), exponent).ec != std::errc()) exponent = 1L << 40;
    if (minus) exponent = -exponent;
  }
  return lead + exponent < 0;
}

// Parses a decimal number at the start of s: optional sign, digits with an
// optional fraction, optional exponent. Returns the characters used (0: none).
std::size_t ParseNumber(std::string_view s, double& value) {
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  const std::size_t digitsStart = i;
  while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i;
  std::size_t digits = i - digitsStart;
  if (i < s.size() && s[i] == '.') {
    ++i;
    const std::size_t fracStart = i;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i;
    digits += i - fracStart;
  }
  if (digits == 0) return 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    const std::size_t expStart = j;
    while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) ++j;
    if (j > expStart) i = j;
  }
  // from_chars takes no leading '+'.
  std::string_view body = s.substr(0, i);
  const bool negative = !body.empty() && body.front() == '-';
  if (!body.empty() && (body.front() == '+' || body.front() == '-')) body.remove_prefix(1);
  double v = 0.0;
  const auto [ptr, ec] = std::from_chars(body.data(), body.data() + body.size(), v);
  if (ec == std::errc::result_out_of_range) {
    // Beyond a double both ways: too large is infinite, too small is 0.
    v = BelowDoubleRange(body) ? 0.0 : std::numeric_limits<double>::infinity();
  } else if (ec != std::errc() || ptr != body.data() + body.size()) {
    return 0;
  }
  value = negative ? -v : v;
  return i;
}

bool IsLeapByFour(int year) { return year % 4 == 0; }

}  // namespace

std::string_view TrimSpaces(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

double LeadingNumber(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  double v = 0.0;
  return ParseNumber(text, v) > 0 ? v : 0.0;
}

std::optional<double> WholeNumber(std::string_view text) {
  text = TrimSpaces(text);
  double v = 0.0;
  if (text.empty() || ParseNumber(text, v) != text.size()) return std::nullopt;
  return v;
}

std::optional<short> ToInt16(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  const double r = RoundHalfEven(value);
  if (r < std::numeric_limits<short>::min() || r > std::numeric_limits<short>::max()) return std::nullopt;
  return static_cast<short>(r);
}

std::optional<short> TextToInt16(std::string_view text) {
  const std::optional<double> v = WholeNumber(text);
  if (!v) return std::nullopt;
  return ToInt16(*v);
}

std::optional<double> DegreesValue(std::string_view text) {
  text = TrimSpaces(text);
  if (text.empty()) return std::nullopt;
  return LeadingNumber(text);
}

std::optional<EntryRefusal> CheckReadEntries(const ReadEntries& e) {
  using enum MessageIcon;
  using enum EntryField;
  const auto outside = [](std::optional<double> v, double high) { return !v || *v > high || *v < 0.0; };

  if (e.nameBlank) return EntryRefusal{kName, Error, Name};
  if (outside(e.lonDegrees, 179.0)) return EntryRefusal{kLonDeg, Error, LonDeg};
  if (outside(e.lonMinutes, 59.0)) return EntryRefusal{kLonMin, Error, LonMin};
  if (outside(e.latDegrees, 89.0)) return EntryRefusal{kLatDeg, Error, LatDeg};
  if (outside(e.latMinutes, 59.0)) return EntryRefusal{kLatMin, Error, LatMin};

  constexpr int kFebruaryIndex = 1;
  if (e.monthIndex == kFebruaryIndex) {
    // Divisible by four is enough: the year list holds no century year but 2000.
    const int lastDayIndex = (e.year && IsLeapByFour(*e.year)) ? 28 : 27;
    if (e.dayIndex > lastDayIndex) return EntryRefusal{kFebruary, Information, None};
  }
  const bool thirtyDayMonth = e.monthIndex == 3 || e.monthIndex == 5 || e.monthIndex == 8 || e.monthIndex == 10;
  if (thirtyDayMonth && e.dayIndex == 30) return EntryRefusal{kThirtyDays, Information, None};
  return std::nullopt;
}

std::optional<EntryRefusal> CheckEntries(const BirthEntries& e) {
  return CheckReadEntries({TrimSpaces(e.name).empty(), DegreesValue(e.lonDeg), WholeNumber(e.lonMin),
                           DegreesValue(e.latDeg), WholeNumber(e.latMin), TextToInt16(e.yearText), e.monthIndex,
                           e.dayIndex});
}

}  // namespace orbisca

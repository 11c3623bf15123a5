// The birth-data checks and the fill, on degree and minute texts built from a
// small number grammar (blanks, sign, digits, fraction, exponent, trailing
// text) or taken raw. The checks must refuse exactly what a reader written
// here refuses, with its message, and whatever they accept must fill the
// record with the value they read: every field written (nothing left from a
// previous run), each inside the range the check allowed.

#include <fuzzer/FuzzedDataProvider.h>

#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "run/birth_entries.h"
#include "run/birth.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

using namespace orbisca;

std::string Digits(FuzzedDataProvider& in, int most) {
  std::string s;
  const int n = in.ConsumeIntegralInRange(0, most);
  for (int i = 0; i < n; ++i) s += static_cast<char>('0' + in.ConsumeIntegralInRange(0, 9));
  return s;
}

// A text for a degree or minute box.
std::string NumberText(FuzzedDataProvider& in) {
  if (in.ConsumeIntegralInRange(0, 7) == 0) return in.ConsumeRandomLengthString(12);
  static constexpr const char* kBlanks[] = {"", " ", "  ", "\t", " \n"};
  static constexpr const char* kSigns[] = {"", "", "+", "-"};
  static constexpr const char* kTails[] = {"", "", " ", "  ", "x", "e", "E+", ".", "-0", "\xC2\xB0", "'"};
  std::string s = kBlanks[in.ConsumeIntegralInRange(0, 4)];
  s += kSigns[in.ConsumeIntegralInRange(0, 3)];
  s += Digits(in, 4);
  if (in.ConsumeBool()) s += "." + Digits(in, 3);
  if (in.ConsumeIntegralInRange(0, 3) == 0) {
    s += in.ConsumeBool() ? "e" : "E";
    s += kSigns[in.ConsumeIntegralInRange(0, 3)];
    s += Digits(in, 3);
  }
  s += kTails[in.ConsumeIntegralInRange(0, 10)];
  return s;
}

// The longest start of `s` that reads as a decimal number (sign, digits with
// an optional fraction, at least one digit, an optional exponent), converted
// by the C library; nothing when `s` starts with no number.
std::optional<double> NumberAtStart(std::string_view s, std::size_t& used) {
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, ++digits;
  }
  if (digits == 0) return std::nullopt;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    const std::size_t start = j;
    while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) ++j;
    if (j > start) i = j;
  }
  used = i;
  // strtod reads the same grammar here (no hexadecimal, no "inf" can start a
  // digit run); a value too small for a double is 0 or subnormal, one too
  // large is infinite.
  return std::strtod(std::string(s.substr(0, i)).c_str(), nullptr);
}

std::string_view WithoutSpaces(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

// A degree box: the number the text starts with after blanks, 0 when none,
// nothing when the box holds only spaces.
std::optional<double> ReadDegrees(std::string_view text) {
  text = WithoutSpaces(text);
  if (text.empty()) return std::nullopt;
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  std::size_t used = 0;
  return NumberAtStart(text, used).value_or(0.0);
}

// A minute box: the whole text (spaces trimmed) must be one number.
std::optional<double> ReadMinutes(std::string_view text) {
  text = WithoutSpaces(text);
  std::size_t used = 0;
  const std::optional<double> v = NumberAtStart(text, used);
  if (!v || used != text.size()) return std::nullopt;
  return v;
}

bool Inside(std::optional<double> v, double high) { return v && *v >= 0 && *v <= high; }

// The check's order: name, longitude degrees and minutes, latitude degrees
// and minutes, then the date.
std::optional<EntryField> ExpectedRefusal(const BirthEntries& e, int year) {
  if (WithoutSpaces(e.name).empty()) return EntryField::Name;
  if (!Inside(ReadDegrees(e.lonDeg), 179)) return EntryField::LonDeg;
  if (!Inside(ReadMinutes(e.lonMin), 59)) return EntryField::LonMin;
  if (!Inside(ReadDegrees(e.latDeg), 89)) return EntryField::LatDeg;
  if (!Inside(ReadMinutes(e.latMin), 59)) return EntryField::LatMin;
  const int month = e.monthIndex + 1, day = e.dayIndex + 1;
  // The year list holds no century year but 2000: every fourth year is leap.
  if (month == 2 && day > (year % 4 == 0 ? 29 : 28)) return EntryField::None;
  if ((month == 4 || month == 6 || month == 9 || month == 11) && day == 31) return EntryField::None;
  return std::nullopt;
}

// A text in quotes with every byte outside printable ASCII as \xNN.
std::string Quoted(std::string_view s) {
  std::string out = "\"";
  for (const char c : s) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0x20 && b < 0x7F && c != '"' && c != '\\') {
      out += c;
    } else {
      static constexpr char kHex[] = "0123456789ABCDEF";
      out += "\\x";
      out += kHex[b >> 4];
      out += kHex[b & 15];
    }
  }
  return out + "\"";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  BirthEntries e;
  e.name = in.ConsumeBool() ? "ADA" : in.ConsumeRandomLengthString(6);
  e.monthIndex = in.ConsumeIntegralInRange(0, 11);
  e.dayIndex = in.ConsumeIntegralInRange(0, 30);
  const int year = in.ConsumeIntegralInRange(1901, 2050);
  e.dayText = std::to_string(e.dayIndex + 1);
  e.yearText = std::to_string(year);
  e.hourText = std::to_string(in.ConsumeIntegralInRange(0, 23));
  e.minuteText = std::to_string(in.ConsumeIntegralInRange(0, 59));
  e.zoneIndex = in.ConsumeIntegralInRange(0, 70);
  e.east = in.ConsumeBool();
  e.south = in.ConsumeBool();
  e.dst = in.ConsumeBool();
  e.lonDeg = NumberText(in);
  e.lonMin = NumberText(in);
  e.latDeg = NumberText(in);
  e.latMin = NumberText(in);

  FuzzContext() = "name=" + Quoted(e.name) + " month=" + std::to_string(e.monthIndex + 1) +
                  " day=" + e.dayText + " year=" + e.yearText + " lonDeg=" + Quoted(e.lonDeg) +
                  " lonMin=" + Quoted(e.lonMin) + " latDeg=" + Quoted(e.latDeg) + " latMin=" + Quoted(e.latMin);

  const std::optional<EntryRefusal> refusal = CheckEntries(e);
  const std::optional<EntryField> expected = ExpectedRefusal(e, year);
  FUZZ_CHECK(refusal.has_value() == expected.has_value(), "the checks refuse exactly what the reader refuses");
  if (refusal) {
    FUZZ_CHECK(refusal->focus == *expected, "the first failing check is the one reported");
    return 0;
  }

  const std::variant<Birth, EntryRefusal> read = BirthFromEntries(e);
  FUZZ_CHECK(std::holds_alternative<Birth>(read), "entries the checks pass are read into a birth");
  const Birth& r = std::get<Birth>(read);
  FUZZ_CHECK(r.lonDegrees == std::nearbyint(*ReadDegrees(e.lonDeg)), "longitude degrees as the check read them");
  FUZZ_CHECK(r.lonMinutes == std::nearbyint(*ReadMinutes(e.lonMin)), "longitude minutes as the check read them");
  FUZZ_CHECK(r.latDegrees == std::nearbyint(*ReadDegrees(e.latDeg)), "latitude degrees as the check read them");
  FUZZ_CHECK(r.latMinutes == std::nearbyint(*ReadMinutes(e.latMin)), "latitude minutes as the check read them");
  FUZZ_CHECK(r.lonDegrees >= 0 && r.lonDegrees <= 179 && r.latDegrees >= 0 && r.latDegrees <= 89,
             "degrees inside the checked range");
  FUZZ_CHECK(r.lonMinutes >= 0 && r.lonMinutes <= 59 && r.latMinutes >= 0 && r.latMinutes <= 59,
             "minutes inside the checked range");
  FUZZ_CHECK(r.month == e.monthIndex + 1 && r.day == e.dayIndex + 1 && r.year == year, "the date as chosen");
  return 0;
}

#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "astro/numeric.h"

namespace orbisca {

// What the birth-data form holds, as the user left it: texts as typed, list
// positions counted from 0 (-1 when nothing is selected).
struct BirthEntries {
  std::string name;
  int monthIndex = 0;       // January is 0
  int dayIndex = 0;         // day 1 is 0
  std::string dayText = "1";
  std::string yearText = "1901";
  std::string hourText = "0";
  std::string minuteText = "0";
  std::string secondText = "0";  // kept with the birth; the positions read the minute
  int zoneIndex = 29;
  // A UTC offset in minutes east, from the tz database for a place, used in
  // place of the zone list's row.
  std::optional<int> zoneOffsetMinutes;
  std::string lonDeg, lonMin, latDeg, latMin;
  bool east = true;
  bool south = false;
  bool dst = false;
};

enum class MessageIcon { Error, Information };

// The box that receives the focus after a refusal; None leaves it where it is.
enum class EntryField { None, Name, LonDeg, LonMin, LatDeg, LatMin };

struct EntryRefusal {
  std::string_view message;
  MessageIcon icon;
  EntryField focus;
  bool operator==(const EntryRefusal&) const = default;
};

// The form's checks in their fixed order; the first that fails is returned,
// std::nullopt when every entry passes.
std::optional<EntryRefusal> CheckEntries(const BirthEntries& entries);

// What the checks read of a birth, however its texts were read: the form's
// boxes by their rules (CheckEntries), or numbers read from digits
// (CheckBirth). A value that could not be read is nothing.
struct ReadEntries {
  bool nameBlank = false;
  std::optional<double> lonDegrees, lonMinutes, latDegrees, latMinutes;
  std::optional<short> year;
  int monthIndex = 0;  // January is 0
  int dayIndex = 0;    // day 1 is 0
};
// The form's checks in their fixed order on what was read.
std::optional<EntryRefusal> CheckReadEntries(const ReadEntries& read);

// Text helpers with the form's number rules.
std::string_view TrimSpaces(std::string_view text);
// The value of the number the text starts with (after leading blanks); 0 when
// it starts with none.
double LeadingNumber(std::string_view text);
// The whole text (trimmed) as a number, or nothing when it is not one.
std::optional<double> WholeNumber(std::string_view text);
// Text to a 16-bit integer: a fraction rounds half to even; text that is not a
// number, or a value outside 16 bits, fails.
std::optional<short> TextToInt16(std::string_view text);
// A value to a 16-bit integer, rounding half to even; nothing when it is not
// finite or falls outside 16 bits.
std::optional<short> ToInt16(double value);

// The one reading of a degree box, for the check and for the fill alike: the
// number the trimmed text starts with (0 when it starts with none), nothing
// for an empty text. So whatever the check accepts fills the same value.
std::optional<double> DegreesValue(std::string_view text);

}  // namespace orbisca

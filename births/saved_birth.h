#pragma once

// A birth as the library keeps it: the Birth that charts, with what the
// library adds around it, and the one text form of each field that the CSV
// and JSON Lines files, and the command's listing, share.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "run/birth.h"

namespace orbisca::births {

enum class Kind { Unknown, Male, Female, Event };

struct SavedBirth {
  std::int64_t id = 0;  // 0: not in a library yet
  Birth birth;
  Kind kind = Kind::Unknown;
  std::string note, source;
  std::vector<std::string> tags;
  // Chunks of an AAF record that the library has no field for (#ZNAM,
  // comment lines, #VIA, ...), verbatim, written back by the AAF export.
  std::string aaf;
  std::int64_t created = 0, changed = 0;  // seconds since 1970 (UTC), set by the library
  // The same birth, field by field; the library's own times aside.
  bool SameBirth(const SavedBirth& other) const;
};

// The message that refuses a birth the library cannot keep, empty when it
// can: a date of the calendar (years 1 to 9999), a clock time, coordinates on
// the globe, a zone of the list or an offset within 14 hours, tags without ';'
// or blanks at their ends, and texts in UTF-8.
std::string CheckSaved(const SavedBirth& saved);

// Whether the text is well-formed UTF-8 (RFC 3629: no overlong forms, no
// surrogates, nothing past U+10FFFF).
bool IsUtf8(std::string_view text);

// The text forms, and their readings (nothing, or the reason, when the text
// is not one).
std::string_view KindText(Kind kind);  // "", "male", "female", "event"
std::optional<Kind> KindFromText(std::string_view text);
std::string DateText(const Birth& b);  // "1970-09-27"
std::string TimeText(const Birth& b);  // "11:04", "11:04:30" when the seconds are not 0
// A row of the zone list by its abbreviation where that names one row only,
// else by its position; an exact offset as "UTC+05:45".
std::string ZoneText(const BirthZone& zone);
std::string LonText(const Birth& b);  // "8:11E"
std::string LatText(const Birth& b);  // "49:05N"
std::string TagsText(const std::vector<std::string>& tags);  // "family;clients"

// Each reading fills its part of the birth and returns the reason when the
// text is refused ("" when read). The zone's IANA name is read apart (`tz`).
std::string ReadDate(std::string_view text, Birth& b);
std::string ReadTime(std::string_view text, Birth& b);
std::string ReadZone(std::string_view text, Birth& b);
std::string ReadDst(std::string_view text, Birth& b);
std::string ReadLon(std::string_view text, Birth& b);
std::string ReadLat(std::string_view text, Birth& b);
std::vector<std::string> TagsFromText(std::string_view text);

// The zone's offset from universal time, minutes east, without daylight saving.
int ZoneMinutesEast(const BirthZone& zone);

}  // namespace orbisca::births

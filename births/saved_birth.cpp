#include "births/saved_birth.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <charconv>
#include <cstdio>

#include "births/calendar.h"
#include "run/plain_words.h"
#include "run/time_zones.h"

namespace orbisca::births {
namespace {

std::optional<int> TakeNumber(std::string_view& s, std::size_t least, std::size_t most) {
  std::size_t n = 0;
  while (n < s.size() && n < most && std::isdigit(static_cast<unsigned char>(s[n]))) ++n;
  if (n < least) return std::nullopt;
  int value = 0;
  std::from_chars(s.data(), s.data() + n, value);
  s.remove_prefix(n);
  return value;
}

bool TakeChar(std::string_view& s, char c) {
  if (s.empty() || s.front() != c) return false;
  s.remove_prefix(1);
  return true;
}

std::string Quoted(std::string_view what, std::string_view text) {
  return std::string(what) + ", not \"" + std::string(text) + "\"";
}

// "8:11E": degrees, two-digit minutes, the hemisphere.
std::string CoordinateText(int degrees, int minutes, char side) {
  char buffer[24];
  std::snprintf(buffer, sizeof buffer, "%d:%02d%c", degrees, minutes, side);
  return buffer;
}

constexpr int kMaxOffsetMinutes = 14 * 60;

// "DEG:MIN" and a hemisphere letter, as the command's --lon and --lat.
bool ReadCoordinate(std::string_view text, char plus, char minus, int maxDegrees, int& degrees, int& minutes,
                    bool& negative) {
  std::string_view s = text;
  const std::optional<int> d = TakeNumber(s, 1, 3);
  if (!d || !TakeChar(s, ':')) return false;
  const std::optional<int> m = TakeNumber(s, 1, 2);
  if (!m || s.size() != 1) return false;
  const char side = static_cast<char>(std::toupper(static_cast<unsigned char>(s.front())));
  if ((side != plus && side != minus) || *m > 59 || *d * 60 + *m > maxDegrees * 60) return false;
  degrees = *d;
  minutes = *m;
  negative = side == minus;
  return true;
}

}  // namespace

bool SavedBirth::SameBirth(const SavedBirth& o) const {
  return id == o.id && birth == o.birth && kind == o.kind && note == o.note && source == o.source &&
         tags == o.tags && aaf == o.aaf;
}

int ZoneMinutesEast(const BirthZone& zone) {
  const ZoneCorrection c = CorrectionOf(zone);  // local clock time to universal time
  return -(c.hours * 60 + c.minutes);
}

bool IsUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char c = byte(i);
    std::size_t length = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || i + length > text.size()) return false;
    unsigned code = length == 1 ? c : c & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
      if ((byte(i + k) & 0xC0) != 0x80) return false;
      code = (code << 6) | (byte(i + k) & 0x3F);
    }
    constexpr unsigned kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kLeast[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    i += length;
  }
  return true;
}

std::string CheckSaved(const SavedBirth& s) {
  const Birth& b = s.birth;
  const std::string tags = TagsText(s.tags);
  const std::pair<std::string_view, std::string_view> texts[] = {
      {"the name", b.name}, {"the note", s.note}, {"the source", s.source}, {"the place", b.place ? std::string_view(b.place->text) : std::string_view()},
      {"the zone's name", std::holds_alternative<ZoneOffset>(b.zone) ? std::string_view(std::get<ZoneOffset>(b.zone).iana)
                                                                   : std::string_view()},
      {"the tags", tags}, {"the AAF chunks", s.aaf}};
  for (const auto& [what, text] : texts) {
    if (!IsUtf8(text)) return std::string(what) + " is not UTF-8 text";
  }
  if (b.year < 1 || b.year > 9999) return "the year must be 1 to 9999";
  if (!IsValidCivil({b.year, b.month, b.day, 0, 0, 0})) return "the date " + DateText(b) + " is not in the calendar";
  if (b.hour < 0 || b.hour > 23 || b.minute < 0 || b.minute > 59 || b.second < 0 || b.second > 59) {
    return "the time must be 00:00:00 to 23:59:59";
  }
  if (b.latDegrees < 0 || b.latMinutes < 0 || b.latMinutes > 59 || b.latDegrees * 60 + b.latMinutes > 90 * 60) {
    return "the latitude must be 0:00 to 90:00";
  }
  if (b.lonDegrees < 0 || b.lonMinutes < 0 || b.lonMinutes > 59 || b.lonDegrees * 60 + b.lonMinutes > 180 * 60) {
    return "the longitude must be 0:00 to 180:00";
  }
  if (const ZoneRow* row = std::get_if<ZoneRow>(&b.zone); row && (row->row < 0 || row->row >= kTimeZoneCount)) {
    return "a zone of the list is 0 to 70";
  }
  if (const ZoneOffset* offset = std::get_if<ZoneOffset>(&b.zone);
      offset && (offset->minutesEast < -kMaxOffsetMinutes || offset->minutesEast > kMaxOffsetMinutes)) {
    return "a zone offset must be within 14 hours of UTC";
  }
  if (b.place && b.place->geonameId < 0) return "a GeoNames id is not negative";
  for (const std::string& tag : s.tags) {
    if (tag.empty() || tag.find(';') != std::string::npos || tag.front() == ' ' || tag.back() == ' ') {
      return "a tag is not empty, holds no ';' and has no blanks at its ends: \"" + tag + "\"";
    }
  }
  return {};
}

std::string_view KindText(Kind kind) {
  switch (kind) {
    case Kind::Male: return "male";
    case Kind::Female: return "female";
    case Kind::Event: return "event";
    case Kind::Unknown: break;
  }
  return "";
}

std::optional<Kind> KindFromText(std::string_view text) {
  for (Kind k : {Kind::Unknown, Kind::Male, Kind::Female, Kind::Event}) {
    if (EqualsIgnoringCase(text, KindText(k))) return k;
  }
  return std::nullopt;
}

std::string DateText(const Birth& b) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", b.year, b.month, b.day);
  return buffer;
}

std::string TimeText(const Birth& b) {
  char buffer[32];
  if (b.second == 0) std::snprintf(buffer, sizeof buffer, "%02d:%02d", b.hour, b.minute);
  else std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", b.hour, b.minute, b.second);
  return buffer;
}

std::string ZoneText(const BirthZone& zone) {
  if (const ZoneRow* row = std::get_if<ZoneRow>(&zone)) {
    if (row->row < 0 || row->row >= kTimeZoneCount) return std::to_string(row->row);
    const std::string_view abbreviation = TimeZoneTable[static_cast<std::size_t>(row->row)].abbreviation;
    int rows = 0;
    for (const TimeZoneRow& r : TimeZoneTable) rows += r.abbreviation == abbreviation ? 1 : 0;
    return rows == 1 ? std::string(abbreviation) : std::to_string(row->row);
  }
  const int m = std::get<ZoneOffset>(zone).minutesEast;
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "UTC%c%02d:%02d", m < 0 ? '-' : '+', std::abs(m) / 60, std::abs(m) % 60);
  return buffer;
}

std::string LonText(const Birth& b) { return CoordinateText(b.lonDegrees, b.lonMinutes, b.east ? 'E' : 'W'); }
std::string LatText(const Birth& b) { return CoordinateText(b.latDegrees, b.latMinutes, b.south ? 'S' : 'N'); }

std::string TagsText(const std::vector<std::string>& tags) {
  std::string text;
  for (const std::string& tag : tags) {
    if (!text.empty()) text += ';';
    text += tag;
  }
  return text;
}

std::vector<std::string> TagsFromText(std::string_view text) {
  std::vector<std::string> tags;
  while (!text.empty()) {
    const std::size_t semicolon = text.find(';');
    std::string_view tag = text.substr(0, semicolon);
    while (!tag.empty() && tag.front() == ' ') tag.remove_prefix(1);
    while (!tag.empty() && tag.back() == ' ') tag.remove_suffix(1);
    if (!tag.empty()) tags.emplace_back(tag);
    if (semicolon == std::string_view::npos) break;
    text.remove_prefix(semicolon + 1);
  }
  return tags;
}

std::string ReadDate(std::string_view text, Birth& b) {
  std::string_view s = text;
  const std::optional<int> y = TakeNumber(s, 4, 4);
  const std::optional<int> m = y && TakeChar(s, '-') ? TakeNumber(s, 1, 2) : std::nullopt;
  const std::optional<int> d = m && TakeChar(s, '-') ? TakeNumber(s, 1, 2) : std::nullopt;
  if (!d || !s.empty() || !IsValidCivil({*y, *m, *d, 0, 0, 0}) || *y < 1) {
    return Quoted("date expects a calendar date YYYY-MM-DD", text);
  }
  b.year = *y;
  b.month = *m;
  b.day = *d;
  return {};
}

std::string ReadTime(std::string_view text, Birth& b) {
  std::string_view s = text;
  const std::optional<int> h = TakeNumber(s, 1, 2);
  const std::optional<int> m = h && TakeChar(s, ':') ? TakeNumber(s, 2, 2) : std::nullopt;
  std::optional<int> sec = 0;
  if (m && TakeChar(s, ':')) sec = TakeNumber(s, 2, 2);
  if (!m || !sec || !s.empty() || *h > 23 || *m > 59 || *sec > 59) return Quoted("time expects HH:MM or HH:MM:SS", text);
  b.hour = *h;
  b.minute = *m;
  b.second = *sec;
  return {};
}

std::string ReadZone(std::string_view text, Birth& b) {
  std::string_view s = text;
  if (!s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); })) {
    const std::optional<int> row = TakeNumber(s, 1, 3);
    if (s.empty() && row && *row < kTimeZoneCount) {
      b.zone = ZoneRow{*row};
      return {};
    }
    return Quoted("zone: a list position is 0 to 70", text);
  }
  if (s.size() == 9 && EqualsIgnoringCase(s.substr(0, 3), "UTC") && (s[3] == '+' || s[3] == '-')) {
    std::string_view rest = s.substr(4);
    const std::optional<int> h = TakeNumber(rest, 2, 2);
    const std::optional<int> m = h && TakeChar(rest, ':') ? TakeNumber(rest, 2, 2) : std::nullopt;
    if (m && rest.empty() && *m < 60 && *h * 60 + *m <= kMaxOffsetMinutes) {
      const int minutes = *h * 60 + *m;
      const std::string iana = std::holds_alternative<ZoneOffset>(b.zone) ? std::get<ZoneOffset>(b.zone).iana : "";
      b.zone = ZoneOffset{s[3] == '-' ? -minutes : minutes, iana};
      return {};
    }
  }
  int found = -1, matches = 0;
  for (int i = 0; i < kTimeZoneCount; ++i) {
    const TimeZoneRow& r = TimeZoneTable[static_cast<std::size_t>(i)];
    if (r.text == s) {
      b.zone = ZoneRow{i};
      return {};
    }
    if (EqualsIgnoringCase(r.abbreviation, s)) found = i, ++matches;
  }
  if (matches == 1) {
    b.zone = ZoneRow{found};
    return {};
  }
  return Quoted(matches > 1 ? "zone: the abbreviation names several rows; give the list position"
                            : "zone expects a list position (0 to 70), the list text, its abbreviation or UTC+HH:MM",
                text);
}

std::string ReadDst(std::string_view text, Birth& b) {
  const std::optional<bool> dst = DstWord(text);
  if (!dst) return Quoted("dst expects true or false", text);
  b.dst = *dst;
  return {};
}

std::string ReadLon(std::string_view text, Birth& b) {
  bool west = false;
  if (!ReadCoordinate(text, 'E', 'W', 180, b.lonDegrees, b.lonMinutes, west)) {
    return Quoted("lon expects DEG:MIN followed by E or W, for example 77:12E", text);
  }
  b.east = !west;
  return {};
}

std::string ReadLat(std::string_view text, Birth& b) {
  if (!ReadCoordinate(text, 'N', 'S', 90, b.latDegrees, b.latMinutes, b.south)) {
    return Quoted("lat expects DEG:MIN followed by N or S, for example 28:36N", text);
  }
  return {};
}

}  // namespace orbisca::births

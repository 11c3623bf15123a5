#include "births/aaf.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace orbisca::births {
namespace {

// White space in the C and POSIX locales, which a reader must ignore around
// every field (section 2).
bool IsCSpace(char c) { return c == ' ' || c == '\f' || c == '\n' || c == '\r' || c == '\t' || c == '\v'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsCSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsCSpace(s.back())) s.remove_suffix(1);
  return s;
}

std::vector<std::string_view> SplitFields(std::string_view data) {
  std::vector<std::string_view> fields;
  for (;;) {
    const std::size_t comma = data.find(',');
    fields.push_back(Trim(data.substr(0, comma)));
    if (comma == std::string_view::npos) return fields;
    data.remove_prefix(comma + 1);
  }
}

bool Unknown(std::string_view field) { return field == "*"; }

// Reads 1 to `most` digits at the front of `s`.
std::optional<int> TakeNumber(std::string_view& s, std::size_t most = 9) {
  std::size_t n = 0;
  while (n < s.size() && n < most && std::isdigit(static_cast<unsigned char>(s[n]))) ++n;
  if (n == 0) return std::nullopt;
  int value = 0;
  std::from_chars(s.data(), s.data() + n, value);
  s.remove_prefix(n);
  return value;
}

bool TakeChar(std::string_view& s, std::string_view oneOf, char* which = nullptr) {
  if (s.empty() || oneOf.find(s.front()) == std::string_view::npos) return false;
  if (which) *which = s.front();
  s.remove_prefix(1);
  return true;
}

// "49n05", "8e11", "43n31:20": degrees, the hemisphere letter, minutes and
// optional seconds.
std::optional<long> ParseCoordinate(std::string_view s, bool latitude) {
  char side = 0;
  const std::optional<int> degrees = TakeNumber(s, 3);
  if (!degrees || !TakeChar(s, latitude ? "nsNS" : "ewEW", &side)) return std::nullopt;
  const std::optional<int> minutes = TakeNumber(s, 2);
  if (!minutes || *minutes > 59) return std::nullopt;
  int seconds = 0;
  if (TakeChar(s, ":")) {
    const std::optional<int> sec = TakeNumber(s, 2);
    if (!sec || *sec > 59) return std::nullopt;
    seconds = *sec;
  }
  const long total = (*degrees * 60L + *minutes) * 60 + seconds;
  if (!s.empty() || total > (latitude ? 90L : 180L) * 3600) return std::nullopt;
  const bool negative = std::tolower(static_cast<unsigned char>(side)) == (latitude ? 's' : 'w');
  return negative ? -total : total;
}

// "27.9.1970": day, month, year.
bool ParseDate(std::string_view s, AafRecord& r) {
  const std::optional<int> day = TakeNumber(s, 2);
  if (!day || !TakeChar(s, ".")) return false;
  const std::optional<int> month = TakeNumber(s, 2);
  if (!month || !TakeChar(s, ".")) return false;
  const bool minus = TakeChar(s, "-");
  const std::optional<int> year = TakeNumber(s, 5);
  if (!year || !s.empty() || *month < 1 || *month > 12 || *day < 1 || *day > 31) return false;
  r.day = *day;
  r.month = *month;
  r.year = minus ? -*year : *year;
  return true;
}

// "11:04", "11:04:30", and "1.10" as in the description's second example.
bool ParseTime(std::string_view s, AafRecord& r) {
  const std::optional<int> hour = TakeNumber(s, 2);
  if (!hour || !TakeChar(s, ":.")) return false;
  const std::optional<int> minute = TakeNumber(s, 2);
  if (!minute) return false;
  int second = 0;
  if (TakeChar(s, ":")) {
    const std::optional<int> sec = TakeNumber(s, 2);
    if (!sec) return false;
    second = *sec;
  }
  if (!s.empty() || *hour > 23 || *minute > 59 || second > 59) return false;
  r.hour = *hour;
  r.minute = *minute;
  r.second = second;
  return true;
}

bool IsLocalMean(std::string_view s) { return s == "L" || s == "l" || s == "LMT" || s == "lmt"; }

std::string Error(std::string_view chunk, std::string_view what, std::string_view field) {
  return std::string(chunk) + ": " + std::string(what) + " \"" + std::string(field) + "\" is not valid";
}

// The #A93 fields; an empty message when they are sound.
std::string ReadA93(std::string_view data, AafRecord& r) {
  const std::vector<std::string_view> f = SplitFields(data);
  if (f.size() != 7) {
    return "#A93: expected 7 fields (name, first name, type, date, time, place, country), found " +
           std::to_string(f.size());
  }
  const auto text = [](std::string_view field) { return Unknown(field) ? std::string() : std::string(field); };
  r.name = text(f[0]);
  r.firstName = text(f[1]);
  r.place = text(f[5]);
  r.country = text(f[6]);
  if (!Unknown(f[2]) && !f[2].empty()) {
    if (f[2].size() != 1 || !std::isalpha(static_cast<unsigned char>(f[2][0]))) return Error("#A93", "the type", f[2]);
    r.type = static_cast<char>(std::tolower(static_cast<unsigned char>(f[2][0])));
  }
  if (!Unknown(f[3]) && !ParseDate(f[3], r)) return Error("#A93", "the date", f[3]);
  if (!Unknown(f[4]) && !ParseTime(f[4], r)) return Error("#A93", "the time", f[4]);
  return {};
}

std::string ReadB93(std::string_view data, AafRecord& r) {
  const std::vector<std::string_view> f = SplitFields(data);
  if (f.size() != 5) {
    return "#B93: expected 5 fields (Julian day, latitude, longitude, zone, daylight saving), found " +
           std::to_string(f.size());
  }
  r.hasB93 = true;
  if (!Unknown(f[0])) {
    double jd = 0;
    const auto [end, ec] = std::from_chars(f[0].data(), f[0].data() + f[0].size(), jd);
    if (ec != std::errc() || end != f[0].data() + f[0].size() || !std::isfinite(jd) || jd < 0) {
      return Error("#B93", "the Julian day", f[0]);
    }
    r.julianDay = jd;
    const std::size_t point = f[0].find('.');
    r.julianDayDecimals = point == std::string_view::npos ? 0 : static_cast<int>(f[0].size() - point - 1);
  }
  if (!Unknown(f[1])) {
    r.latitudeSeconds = ParseCoordinate(f[1], true);
    if (!r.latitudeSeconds) return Error("#B93", "the latitude", f[1]);
  }
  if (!Unknown(f[2])) {
    r.longitudeSeconds = ParseCoordinate(f[2], false);
    if (!r.longitudeSeconds) return Error("#B93", "the longitude", f[2]);
  }
  if (IsLocalMean(f[3])) {
    r.zone = AafZoneKind::LocalMean;
  } else if (!Unknown(f[3])) {
    const std::optional<int> zone = ParseAafZone(f[3]);
    if (!zone) return Error("#B93", "the zone", f[3]);
    r.zone = AafZoneKind::Offset;
    r.zoneSecondsEast = *zone;
  }
  // The daylight-saving field: hours of summer time, or 'L' for a time
  // given in local mean time (the Cezanne example, "*,L"), or 'm' for a
  // mean time whose offset the zone field gives.
  std::string_view dst = f[4];
  if (IsLocalMean(dst)) {
    if (r.zone == AafZoneKind::Unknown) r.zone = AafZoneKind::LocalMean;
    r.dstHours = 0;
  } else if (dst == "m" || dst == "M") {
    r.dstHours = 0;
  } else if (!Unknown(dst)) {
    const std::optional<int> hours = TakeNumber(dst, 1);
    if (!hours || !dst.empty() || *hours > 2) return Error("#B93", "the daylight saving", f[4]);
    r.dstHours = *hours;
  }
  return {};
}

}  // namespace

std::optional<int> ParseAafZone(std::string_view s) {
  int sign = 1;
  if (TakeChar(s, "-")) sign = -1;
  else TakeChar(s, "+");
  const std::optional<int> hours = TakeNumber(s, 2);
  if (!hours) return std::nullopt;
  TakeChar(s, "hH");
  char side = 0;
  if (TakeChar(s, "ewEW", &side) && std::tolower(static_cast<unsigned char>(side)) == 'w') {
    if (sign < 0) return std::nullopt;  // "-5hw": two signs
    sign = -1;
  }
  int minutes = 0, seconds = 0;
  if (!s.empty()) {
    const std::optional<int> m = TakeNumber(s, 2);
    if (!m || *m > 59) return std::nullopt;
    minutes = *m;
    if (TakeChar(s, ":")) {
      const std::optional<int> sec = TakeNumber(s, 2);
      if (!sec || *sec > 59) return std::nullopt;
      seconds = *sec;
    }
  }
  const int total = (*hours * 60 + minutes) * 60 + seconds;
  if (!s.empty() || total > 14 * 3600) return std::nullopt;
  return sign * total;
}

std::string Windows1252ToUtf8(std::string_view text) {
  // 0x80 to 0x9F, from the Unicode mapping table of cp1252
  // (unicode.org/Public/MAPPINGS/VENDORS/MICSFT/WINDOWS/CP1252.TXT); the
  // five bytes it leaves undefined keep their C1 code points.
  static constexpr char16_t kHigh[32] = {
      0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  for (char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    const unsigned code = c >= 0x80 && c < 0xA0 ? kHigh[c - 0x80] : c;
    if (code < 0x80) {
      out += static_cast<char>(code);
    } else if (code < 0x800) {
      out += static_cast<char>(0xC0 | (code >> 6));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (code >> 12));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    }
  }
  return out;
}

AafContents ReadAaf(std::string_view text) {
  AafContents contents;
  std::vector<std::string> pendingComments;
  std::optional<AafRecord> current;
  bool damaged = false;  // the current record was refused: skip to the next #A93
  std::string* continued = nullptr;  // the text that a continuation line extends
  bool verbatim = false;             // a kept chunk, whose lines stay as they are
  const auto finish = [&] {
    if (current && !damaged) {
      // Blank lines continue a text, but not past its record.
      for (std::string* t : {&current->comment, &current->source}) {
        while (!t->empty() && t->back() == '\n') t->pop_back();
      }
      contents.records.push_back(std::move(*current));
    }
    current.reset();
    damaged = false;
    continued = nullptr;
  };
  std::size_t lineNumber = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (lineNumber == 1 && line.starts_with("\xEF\xBB\xBF")) line.remove_prefix(3);  // a UTF-8 mark
    if (Trim(line).empty()) {
      if (continued && !verbatim && !damaged) *continued += '\n';
      continue;
    }
    if (line.front() != '#') {
      if (damaged) continue;
      if (!continued) {
        contents.errors.push_back({lineNumber, "a line that belongs to no chunk (chunks start with '#')"});
        if (current) damaged = true;
        continue;
      }
      *continued += '\n';
      *continued += verbatim ? line : Trim(line);
      continue;
    }
    if (line.starts_with("#:")) {
      pendingComments.emplace_back(line);
      continued = nullptr;
      continue;
    }
    const std::size_t colon = line.find(':');
    const std::string_view id = line.substr(0, colon);
    const std::string_view data = colon == std::string_view::npos ? std::string_view() : line.substr(colon + 1);
    if (colon == std::string_view::npos) {
      contents.errors.push_back({lineNumber, "a chunk without ':' after its id"});
      if (current) damaged = true;
      continue;
    }
    if (id == "#A93") {
      finish();
      current.emplace();
      current->line = lineNumber;
      for (std::string& c : pendingComments) current->kept.push_back(std::move(c));
      pendingComments.clear();
      if (std::string message = ReadA93(data, *current); !message.empty()) {
        contents.errors.push_back({lineNumber, std::move(message)});
        damaged = true;
      }
      continue;
    }
    if (!current) {
      contents.errors.push_back({lineNumber, std::string(id) + " before the first #A93 chunk"});
      continue;
    }
    if (damaged) continue;
    for (std::string& c : pendingComments) current->kept.push_back(std::move(c));
    pendingComments.clear();
    continued = nullptr;
    std::string message;
    if (id == "#B93") {
      if (current->hasB93) message = "a second #B93 chunk in the record";
      else message = ReadB93(data, *current);
    } else if (id == "#ZNAM") {
      current->zoneName = Trim(data);
    } else if (id == "#COM" || id == "#SRC") {
      std::string& target = id == "#COM" ? current->comment : current->source;
      if (!target.empty()) target += '\n';
      target += Trim(data);
      continued = &target;
      verbatim = false;
    } else {
      current->kept.emplace_back(line);
      continued = &current->kept.back();
      verbatim = true;
    }
    if (!message.empty()) {
      contents.errors.push_back({lineNumber, std::move(message)});
      damaged = true;
    }
  }
  finish();
  // Comment lines after the last record stay with it.
  if (!contents.records.empty()) {
    for (std::string& c : pendingComments) contents.records.back().kept.push_back(std::move(c));
  }
  return contents;
}

namespace {

// Units, the letters between, two-digit minutes and ":SS" when there are
// seconds: "49n05", "1he00", "0he21:48".
std::string Sexagesimal(long seconds, std::string_view letters) {
  const long a = std::labs(seconds);
  std::string text = std::to_string(a / 3600) + std::string(letters);
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, a % 60 ? "%02ld:%02ld" : "%02ld", a / 60 % 60, a % 60);
  return text + buffer;
}

}  // namespace

std::string FormatAafCoordinate(long arcSeconds, bool latitude) {
  const char side = latitude ? (arcSeconds < 0 ? 's' : 'n') : (arcSeconds < 0 ? 'w' : 'e');
  return Sexagesimal(arcSeconds, std::string_view(&side, 1));
}

std::string FormatAafZone(int secondsEast) { return Sexagesimal(secondsEast, secondsEast < 0 ? "hw" : "he"); }

namespace {

// A text as one field: no comma (the description allows none), no line
// break, no white space at the ends, never a lone '*'; empty becomes '*'.
void AppendField(std::string& out, std::string_view text) {
  std::string field;
  for (char c : Trim(text)) field += (c == ',' ? ';' : (c == '\n' || c == '\r') ? ' ' : c);
  if (field.empty()) out += '*';
  else if (field == "*") out += "(*)";
  else out += field;
}

// A free text chunk: its first line after the id, the next ones as
// continuation lines, each kept from starting with '#' (which would start a
// chunk) by a leading space that the reader trims.
void AppendTextChunk(std::string& out, std::string_view id, std::string_view text) {
  if (text.empty()) return;
  out += id;
  out += ':';
  bool first = true;
  for (;;) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    if (!first && (line.empty() || line.front() == '#')) out += ' ';
    out += line;
    out += '\n';
    first = false;
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
}

void AppendNumber(std::string& out, int n) { out += std::to_string(n); }

}  // namespace

void AppendAaf(const AafRecord& r, std::string& out) {
  for (const std::string& k : r.kept) {
    if (k.starts_with("#:")) out += k, out += '\n';
  }
  out += "#A93:";
  AppendField(out, r.name);
  out += ',';
  AppendField(out, r.firstName);
  out += ',';
  out += r.type ? r.type : '*';
  out += ',';
  if (r.year && r.month && r.day) {
    AppendNumber(out, *r.day);
    out += '.';
    AppendNumber(out, *r.month);
    out += '.';
    AppendNumber(out, *r.year);
  } else {
    out += '*';
  }
  out += ',';
  if (r.hour && r.minute) {
    char buffer[16];
    const int second = r.second.value_or(0);
    if (second == 0) std::snprintf(buffer, sizeof buffer, "%d:%02d", *r.hour, *r.minute);
    else std::snprintf(buffer, sizeof buffer, "%d:%02d:%02d", *r.hour, *r.minute, second);
    out += buffer;
  } else {
    out += '*';
  }
  out += ',';
  AppendField(out, r.place);
  out += ',';
  AppendField(out, r.country);
  out += '\n';
  if (r.hasB93) {
    out += "#B93:";
    if (r.julianDay) {
      // Six decimals: a day's millionth is 0.0864 s, so the second survives
      // (the description's Cezanne example has six).
      char buffer[32];
      std::snprintf(buffer, sizeof buffer, "%014.6f", *r.julianDay);
      out += buffer;
    } else {
      out += '*';
    }
    out += ',';
    out += r.latitudeSeconds ? FormatAafCoordinate(*r.latitudeSeconds, true) : "*";
    out += ',';
    out += r.longitudeSeconds ? FormatAafCoordinate(*r.longitudeSeconds, false) : "*";
    out += ',';
    switch (r.zone) {
      case AafZoneKind::Unknown: out += '*'; break;
      case AafZoneKind::Offset: out += FormatAafZone(r.zoneSecondsEast); break;
      case AafZoneKind::LocalMean: out += '*'; break;  // with 'L' below, as in the Cezanne example
    }
    out += ',';
    if (r.zone == AafZoneKind::LocalMean) out += 'L';
    else if (r.dstHours) AppendNumber(out, *r.dstHours);
    else out += '*';
    out += '\n';
  }
  if (!r.zoneName.empty()) {
    out += "#ZNAM:";
    AppendField(out, r.zoneName);
    out += '\n';
  }
  AppendTextChunk(out, "#COM", r.comment);
  AppendTextChunk(out, "#SRC", r.source);
  for (const std::string& k : r.kept) {
    if (!k.starts_with("#:")) out += k, out += '\n';
  }
}

}  // namespace orbisca::births

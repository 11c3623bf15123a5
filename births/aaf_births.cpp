#include "births/aaf_births.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "births/calendar.h"
#include "births/text_records.h"
#include "run/time_zones.h"

namespace orbisca::births {
namespace {

constexpr std::string_view kExtension = "#ORBISCA:";

Kind KindOfType(char type) {
  switch (type) {
    case 0: return Kind::Unknown;
    case 'm': return Kind::Male;
    case 'f': case 'w': return Kind::Female;
    default: return Kind::Event;  // 'e' events, 'l' countries, 'o' organisations, ...
  }
}

char TypeOfKind(Kind kind) {
  switch (kind) {
    case Kind::Male: return 'm';
    case Kind::Female: return 'f';
    case Kind::Event: return 'e';
    case Kind::Unknown: break;
  }
  return 0;
}

long RoundToMinutes(long arcSeconds) {
  return arcSeconds >= 0 ? (arcSeconds + 30) / 60 : -((-arcSeconds + 30) / 60);
}

// The extension chunk's JSON, taken out of the kept chunks.
std::string TakeExtension(std::vector<std::string>& kept) {
  for (auto it = kept.begin(); it != kept.end(); ++it) {
    if (it->starts_with(kExtension)) {
      std::string json = it->substr(kExtension.size());
      kept.erase(it);
      return json;
    }
  }
  return {};
}

std::variant<AafBirth, std::string> Convert(AafRecord r, bool applyExtension) {
  const std::string extension = TakeExtension(r.kept);
  AafBirth result;
  SavedBirth& s = result.saved;
  Birth& b = s.birth;
  b.name = r.firstName.empty() ? r.name : r.name + ", " + r.firstName;
  s.kind = KindOfType(r.type);
  s.note = r.comment;
  s.source = r.source;
  if (!r.zoneName.empty()) s.aaf = "#ZNAM:" + r.zoneName + "\n";
  for (const std::string& k : r.kept) s.aaf += k + "\n";
  if (!r.place.empty() || !r.country.empty()) {
    b.place = BirthPlace{0, r.country.empty() ? r.place : r.place + ", " + r.country};
  }
  if (!r.latitudeSeconds) return std::string("the latitude is unknown");
  if (!r.longitudeSeconds) return std::string("the longitude is unknown");
  const long lat = RoundToMinutes(*r.latitudeSeconds), lon = RoundToMinutes(*r.longitudeSeconds);
  b.south = lat < 0;
  b.latDegrees = static_cast<int>(std::labs(lat) / 60);
  b.latMinutes = static_cast<int>(std::labs(lat) % 60);
  b.east = lon >= 0;
  b.lonDegrees = static_cast<int>(std::labs(lon) / 60);
  b.lonMinutes = static_cast<int>(std::labs(lon) % 60);

  // The zone, minutes east; two hours of summer time keep one in the zone.
  const int dstHours = r.dstHours.value_or(0);
  b.dst = dstHours > 0;
  // The zone as written, seconds east, and the minutes the birth keeps.
  std::optional<double> zoneSeconds;
  if (r.zone == AafZoneKind::Offset) zoneSeconds = r.zoneSecondsEast;
  // Four minutes of time to the degree: arc seconds / 15 are seconds of time.
  if (r.zone == AafZoneKind::LocalMean) zoneSeconds = *r.longitudeSeconds / 15.0;
  if (zoneSeconds && dstHours > 1) *zoneSeconds += 3600.0 * (dstHours - 1);
  std::optional<int> zoneMinutes;
  if (zoneSeconds) zoneMinutes = static_cast<int>(std::lround(*zoneSeconds / 60.0));

  const bool civil = r.year && r.month && r.day && r.hour && r.minute;
  std::optional<std::int64_t> civilSeconds;
  if (civil) {
    const CivilDateTime t{*r.year, *r.month, *r.day, *r.hour, *r.minute, r.second.value_or(0)};
    if (!IsValidCivil(t)) return "the date " + std::to_string(*r.day) + "." + std::to_string(*r.month) + "." +
                                 std::to_string(*r.year) + " is not in the calendar";
    civilSeconds = SecondsFromCivil(t);
  }
  std::optional<std::int64_t> localSeconds = civilSeconds;
  if (r.julianDay) {
    const double utSeconds = (*r.julianDay - kUnixEpochJulianDay) * 86400.0;
    const auto ut = static_cast<std::int64_t>(std::llround(utSeconds));
    if (!zoneSeconds && civilSeconds) {
      zoneSeconds = static_cast<double>(*civilSeconds) - utSeconds - (b.dst ? 3600 : 0);
      zoneMinutes = static_cast<int>(std::lround(*zoneSeconds / 60.0));
    }
    if (zoneSeconds) {
      // Within the precision the Julian day was written with, the civil time
      // stands (on the exact zone as written); beyond it, the Julian day
      // rules, on the zone the birth keeps, so that its universal time is
      // the Julian day's.
      const double tolerance = 0.5 * 86400.0 * std::pow(10.0, -r.julianDayDecimals) + 0.5;
      const double civilFromJd = utSeconds + *zoneSeconds + (b.dst ? 3600 : 0);
      if (!civilSeconds || std::fabs(static_cast<double>(*civilSeconds) - civilFromJd) > tolerance) {
        const std::int64_t fromJd = ut + (*zoneMinutes + (b.dst ? 60 : 0)) * 60LL;
        localSeconds = fromJd;
        if (civilSeconds) {
          const CivilDateTime t = CivilFromSeconds(fromJd);
          char buffer[112];
          std::snprintf(buffer, sizeof buffer,
                        "the Julian day and the civil time disagree; the Julian day holds: %04d-%02d-%02d %02d:%02d:%02d",
                        t.year, t.month, t.day, t.hour, t.minute, t.second);
          result.note = buffer;
        }
      }
    }
  }
  if (!localSeconds) return std::string(r.year ? "the time is unknown" : "the date is unknown");
  if (!zoneMinutes) return std::string("the zone is unknown");
  b.zone = ZoneOffset{*zoneMinutes, {}};
  const CivilDateTime local = CivilFromSeconds(*localSeconds);
  b.year = local.year;
  b.month = local.month;
  b.day = local.day;
  b.hour = local.hour;
  b.minute = local.minute;
  b.second = local.second;
  if (applyExtension && !extension.empty()) {
    Cells cells;
    if (std::string error = ReadJsonObject(extension, cells); !error.empty()) return "#ORBISCA: " + error;
    if (std::string error = ReadCells(cells, s); !error.empty()) return "#ORBISCA: " + error;
  }
  if (std::string error = CheckSaved(s); !error.empty()) return error;
  return result;
}

bool SafeChunk(std::string_view chunk) {
  const std::size_t colon = chunk.find(':');
  if (!chunk.starts_with('#') || colon == std::string_view::npos || chunk.find('\r') != std::string_view::npos) {
    return false;
  }
  const std::string_view id = chunk.substr(0, colon + 1);
  for (std::string_view taken : {std::string_view("#A93:"), std::string_view("#B93:"), std::string_view("#COM:"),
                                 std::string_view("#SRC:"), std::string_view("#ZNAM:"), kExtension}) {
    if (id == taken) return false;
  }
  if (chunk.find("\n\n") != std::string_view::npos || chunk.back() == '\n') return false;
  return id != "#:" || chunk.find('\n') == std::string_view::npos;
}

AafRecord RecordOf(const SavedBirth& s) {
  const Birth& b = s.birth;
  AafRecord r;
  // "Last, First" splits into the name and the first name, as it was read.
  const std::size_t comma = b.name.find(", ");
  if (comma != std::string::npos && b.name.find(',', comma + 1) == std::string::npos && comma > 0 &&
      comma + 2 < b.name.size()) {
    r.name = b.name.substr(0, comma);
    r.firstName = b.name.substr(comma + 2);
  } else {
    r.name = b.name;
  }
  r.type = TypeOfKind(s.kind);
  r.year = b.year, r.month = b.month, r.day = b.day;
  r.hour = b.hour, r.minute = b.minute, r.second = b.second;
  if (b.place) {
    const std::size_t last = b.place->text.rfind(", ");
    r.place = last == std::string::npos ? b.place->text : b.place->text.substr(0, last);
    r.country = last == std::string::npos ? "" : b.place->text.substr(last + 2);
  }
  r.hasB93 = true;
  const int zone = ZoneMinutesEast(b.zone);
  const std::int64_t ut = SecondsFromCivil({b.year, b.month, b.day, b.hour, b.minute, b.second}) -
                          (zone + (b.dst ? 60 : 0)) * 60LL;
  r.julianDay = static_cast<double>(ut) / 86400.0 + kUnixEpochJulianDay;
  r.latitudeSeconds = (b.latDegrees * 60L + b.latMinutes) * 60 * (b.south ? -1 : 1);
  r.longitudeSeconds = (b.lonDegrees * 60L + b.lonMinutes) * 60 * (b.east ? 1 : -1);
  r.zone = AafZoneKind::Offset;
  r.zoneSecondsEast = zone * 60;
  r.dstHours = b.dst ? 1 : 0;
  r.comment = s.note;
  r.source = s.source;
  // The kept chunks; #ZNAM among them is the record's zone name. A chunk
  // that would not read back as itself (one that starts a record or a
  // chunk the record writes anyway, a blank line, a comment over two lines)
  // is left to the extension chunk, which holds all of them exactly.
  std::string_view kept = s.aaf;
  while (!kept.empty()) {
    const std::size_t end = kept.find("\n#");
    std::string text(kept.substr(0, end));
    kept.remove_prefix(end == std::string_view::npos ? kept.size() : end + 1);
    if (!text.empty() && text.back() == '\n') text.pop_back();
    if (text.starts_with("#ZNAM:") && text.find_first_of(",\n\r") == std::string::npos &&
        text.size() > 6 && text[6] != ' ' && text.back() != ' ' && text.back() != '\t') {
      r.zoneName = text.substr(6);
    } else if (SafeChunk(text)) {
      r.kept.push_back(std::move(text));
    }
  }
  if (r.zoneName.empty()) {
    if (const ZoneRow* row = std::get_if<ZoneRow>(&b.zone); row && row->row >= 0 && row->row < kTimeZoneCount) {
      r.zoneName = TimeZoneTable[static_cast<std::size_t>(row->row)].abbreviation;
    }
  }
  return r;
}

}  // namespace

std::variant<AafBirth, std::string> BirthFromAaf(const AafRecord& record) { return Convert(record, true); }

void AppendBirthAaf(const SavedBirth& saved, std::string& out) {
  AafRecord record = RecordOf(saved);
  // What a plain reading of the standard chunks would give back.
  std::string plain;
  AppendAaf(record, plain);
  const AafContents reread = ReadAaf(plain);
  Cells extension;
  const Cells want = CellsOf(saved);
  if (reread.records.size() == 1) {
    const std::variant<AafBirth, std::string> back = Convert(reread.records.front(), false);
    if (const AafBirth* got = std::get_if<AafBirth>(&back)) {
      const Cells have = CellsOf(got->saved);
      for (std::size_t i = 0; i < kFieldCount; ++i) {
        if (have[i] != want[i]) extension[i] = want[i];
      }
    } else {
      extension = want;
    }
  } else {
    extension = want;
  }
  if (extension[Index(Field::Id)] == "0") extension[Index(Field::Id)].reset();
  // Tz and the zone go together: an IANA name needs its offset given first.
  if (extension[Index(Field::Tz)]) extension[Index(Field::Zone)] = want[Index(Field::Zone)];
  if (std::any_of(extension.begin(), extension.end(), [](const auto& c) { return c.has_value(); })) {
    std::string json;
    AppendJson(extension, json);
    record.kept.push_back(std::string(kExtension) + json);
  }
  AppendAaf(record, out);
}

}  // namespace orbisca::births

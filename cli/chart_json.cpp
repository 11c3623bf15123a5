#include "cli/chart_json.h"

#include <array>
#include <charconv>

#include "aspects/interpretation.h"
#include "astro/civil_day.h"
#include "run/vedic_text.h"

namespace orbisca::cli {
namespace {

// "Mesha (Aries)" ...: made once, as a batch row writes eleven of them.
std::string_view SignText(int sign) {
  static const std::array<std::string, 12> names = [] {
    std::array<std::string, 12> n;
    for (int s = 1; s <= 12; ++s) n[static_cast<std::size_t>(s - 1)] = SignName(s);
    return n;
  }();
  return names.at(static_cast<std::size_t>(sign - 1));
}

// The sign and nakshatra keys of a body or the ascendant.
void WriteZodiac(JsonWriter& json, const ZodiacPosition& p) {
  json.Member("sign", p.sign);
  json.Member("sign_name", TableName{SignText(p.sign)});
  json.Member("nakshatra", p.nakshatra);
  json.Member("nakshatra_name", TableName{NakshatraName(p.nakshatra)});
  json.Member("pada", p.pada);
}

// A body or a node: its name, longitude, sign and nakshatra.
void WritePosition(JsonWriter& json, std::string_view name, double longitude, const ZodiacPosition& where) {
  json.BeginObject();
  json.Member("name", TableName{name});
  json.Member("longitude", longitude);
  WriteZodiac(json, where);
  json.EndObject();
}

std::string_view EnglishDay(int weekday) { return kWeekdays[static_cast<std::size_t>(weekday)].english; }

void WriteParticulars(JsonWriter& json, const ChartParticulars& p) {
  json.BeginObject();
  json.Member("weekday", TableName{EnglishDay(p.weekday)});
  json.Member("vara", TableName{EnglishDay(p.vara.weekday)});
  json.Key("sunrise");
  if (p.vara.sunrise.kind == SunriseKind::Rises) {
    json.String(IsoUniversal(p.vara.sunrise.julianDay));
  } else {
    json.Null();
  }
  json.Member("tithi", p.day.tithi);
  json.Member("tithi_name", TableName{TithiName(p.day.tithi)});
  json.Member("paksha", TableName{PakshaName(p.day.paksha)});
  json.Member("yoga", p.day.yoga);
  json.Member("yoga_name", TableName{YogaName(p.day.yoga)});
  json.Member("karana", p.day.karana);
  json.Member("karana_name", TableName{KaranaName(p.day.karana)});
  json.EndObject();
}

// Periods with their sub-periods, as deep as they were computed.
void WritePeriods(JsonWriter& json, const std::vector<DashaPeriod>& periods) {
  json.BeginArray();
  for (const DashaPeriod& d : periods) {
    json.BeginObject();
    json.Member("lord", TableName{LordName(d.lord)});
    json.Member("start", IsoUniversal(d.start));
    json.Member("end", IsoUniversal(d.end));
    if (!d.periods.empty()) {
      json.Key("periods");
      WritePeriods(json, d.periods);
    }
    json.EndObject();
  }
  json.EndArray();
}

void WriteDasha(JsonWriter& json, const ChartDasha& dasha) {
  json.BeginObject();
  json.Member("year_days", DashaYearDays(dasha.year));
  json.Key("balance");
  json.BeginObject();
  json.Member("lord", TableName{LordName(dasha.balance.lord)});
  json.Member("years", dasha.balance.years);
  json.EndObject();
  if (!dasha.periods.empty()) {
    json.Key("periods");
    WritePeriods(json, dasha.periods);
  }
  json.EndObject();
}

// The name of a point of the vargas, as the bodies and nodes are named.
std::string_view VargaPointName(std::size_t point) {
  if (point < kBodyCount) return BodyName(static_cast<Body>(point));
  if (point == kVargaRahu) return NodeName(Node::Rahu);
  if (point == kVargaKetu) return NodeName(Node::Ketu);
  return "Ascendant";
}

void WriteVargas(JsonWriter& json, const ChartVargas& vargas) {
  json.BeginObject();
  for (std::size_t v = 0; v < kVargas.size(); ++v) {
    char key[4] = {'D'};  // "D1" .. "D60"
    const auto end = std::to_chars(key + 1, key + sizeof key, Divisions(kVargas[v].varga)).ptr;
    json.Key(std::string_view(key, static_cast<std::size_t>(end - key)));
    json.BeginObject();
    for (std::size_t p = 0; p < kVargaPointCount; ++p) json.Member(VargaPointName(p), vargas.signs[v][p]);
    json.EndObject();
  }
  json.EndObject();
}

}  // namespace

void WriteChartMembers(JsonWriter& json, const Chart& chart, const ChartJsonParts& parts) {
  json.Member("universal_time_hours", chart.instant.universalHours);
  json.Member("sidereal_shift", chart.instant.siderealShift);
  json.Member("julian_day", chart.instant.julianDay);
  json.Key("bodies");
  json.BeginArray();
  for (const BodyPosition& b : chart.bodies) WritePosition(json, BodyName(b.body), b.longitude, b.where);
  json.EndArray();
  json.Key("ascendant");
  json.BeginObject();
  json.Member("longitude", chart.ascendant.longitude);
  WriteZodiac(json, chart.ascendant.where);
  json.EndObject();
  json.Key("aspects");
  json.BeginArray();
  for (const AspectEntry& e : chart.aspects) {
    json.BeginObject();
    json.Member("kind", TableName{Info(e.kind).caption});
    json.Member("first", TableName{BodyName(e.first)});
    json.Member("second", TableName{BodyName(e.second)});
    json.Member("separation", e.separation);
    if (parts.paragraphs) json.Member("paragraph", GetInterpretation(e.kind, e.first, e.second));
    json.EndObject();
  }
  json.EndArray();
  json.Key("nodes");
  json.BeginArray();
  for (const NodePosition& n : chart.nodes) WritePosition(json, NodeName(n.node), n.longitude, n.where);
  json.EndArray();
  json.Key("particulars");
  WriteParticulars(json, chart.particulars);
  json.Key("dasha");
  WriteDasha(json, chart.dasha);
  if (parts.vargas) {
    json.Key("vargas");
    WriteVargas(json, chart.vargas);
  }
}

void WritePlaceMember(JsonWriter& json, const PlaceFacts& facts) {
  const places::Place& p = facts.place;
  json.Key("place");
  json.BeginObject();
  json.Member("name", p.name);
  json.Member("admin", p.admin1Name);
  json.Member("country", p.countryName);
  json.Member("lat", p.latitude);
  json.Member("lon", p.longitude);
  json.Member("tz", p.timeZone);
  json.Member("offset_minutes", facts.offsetMinutes);
  json.Member("dst", facts.dst);
  json.EndObject();
}

}  // namespace orbisca::cli

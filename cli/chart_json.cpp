#include "cli/chart_json.h"

#include <array>
#include <string>

#include "aspects/interpretation.h"
#include "run/calculation_run.h"
#include "run/chart_facts.h"

namespace orbisca::cli {
namespace {

// The twelve sign names, made once rather than once a body.
const std::string& SignNameOnce(int sign) {
  static const std::array<std::string, 12> kNames = [] {
    std::array<std::string, 12> names;
    for (int s = 1; s <= 12; ++s) names[static_cast<std::size_t>(s - 1)] = SignName(s);
    return names;
  }();
  return kNames[static_cast<std::size_t>(sign - 1)];
}

// The sign and nakshatra keys of a body or the ascendant.
void WriteZodiac(JsonText& json, const ZodiacPosition& p) {
  json.Member("sign", p.sign);
  json.Member("sign_name", std::string_view(SignNameOnce(p.sign)));
  json.Member("nakshatra", p.nakshatra);
  json.Member("nakshatra_name", NakshatraName(p.nakshatra));
  json.Member("pada", p.pada);
}

}  // namespace

ChartValues ValuesOf(const ChartInput& input, const ChartFacts& facts) {
  ChartValues chart;
  chart.universalTimeHours = UniversalTimeHours(input);
  chart.facts = facts;
  chart.aspects = FindAspects(facts.planets);
  return chart;
}

ChartValues ComputeChart(const BirthEntries& entries) {
  ChartInput in;
  FillChartInput(entries, in);
  return ValuesOf(in, ComputeChartFacts(in));
}

void WriteChartMembers(JsonText& json, const ChartValues& chart, bool paragraphs) {
  const ChartFacts& f = chart.facts;
  json.Member("universal_time_hours", chart.universalTimeHours);
  json.Member("sidereal_shift", f.siderealShift);
  json.Member("julian_day", f.julianDay);
  json.Key("bodies");
  json.BeginArray();
  for (const BodyPosition& b : f.bodies) {
    json.BeginObject();
    json.Member("name", BodyName(b.body));
    json.Member("longitude", f.planets.Longitude(b.body));
    WriteZodiac(json, b.where);
    json.EndObject();
  }
  json.EndArray();
  json.Key("ascendant");
  json.BeginObject();
  json.Member("longitude", f.ascendant);
  WriteZodiac(json, f.ascendantWhere);
  json.EndObject();
  json.Key("aspects");
  json.BeginArray();
  for (const AspectEntry& e : chart.aspects) {
    json.BeginObject();
    json.Member("kind", Info(e.kind).caption);
    json.Member("first", BodyName(e.first));
    json.Member("second", BodyName(e.second));
    json.Member("separation", e.separation);
    if (paragraphs) json.Member("paragraph", GetInterpretation(e.kind, e.first, e.second));
    json.EndObject();
  }
  json.EndArray();
}

void WritePlaceMember(JsonText& json, const PlaceFacts& facts) {
  const places::Place& p = facts.place;
  json.Key("place");
  json.BeginObject();
  json.Member("name", std::string_view(p.name));
  json.Member("admin", std::string_view(p.admin1Name));
  json.Member("country", std::string_view(p.countryName));
  json.Member("lat", p.latitude);
  json.Member("lon", p.longitude);
  json.Member("tz", std::string_view(p.timeZone));
  json.Member("offset_minutes", facts.offsetMinutes);
  json.Member("dst", facts.dst);
  json.EndObject();
}

}  // namespace orbisca::cli

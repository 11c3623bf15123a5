#include "cli/chart_json.h"

#include "aspects/interpretation.h"

namespace orbisca::cli {
namespace {

// The sign and nakshatra keys of a body or the ascendant.
void AddZodiac(Json& object, const ZodiacPosition& p) {
  object["sign"] = p.sign;
  object["sign_name"] = SignName(p.sign);
  object["nakshatra"] = p.nakshatra;
  object["nakshatra_name"] = std::string(NakshatraName(p.nakshatra));
  object["pada"] = p.pada;
}

}  // namespace

void AddChartMembers(Json& object, const Chart& chart, bool paragraphs) {
  object["universal_time_hours"] = chart.instant.universalHours;
  object["sidereal_shift"] = chart.instant.siderealShift;
  object["julian_day"] = chart.instant.julianDay;
  Json& bodies = object["bodies"] = Json::array();
  for (const BodyPosition& b : chart.bodies) {
    Json body;
    body["name"] = std::string(BodyName(b.body));
    body["longitude"] = b.longitude;
    AddZodiac(body, b.where);
    bodies.push_back(std::move(body));
  }
  Json& ascendant = object["ascendant"] = Json::object();
  ascendant["longitude"] = chart.ascendant.longitude;
  AddZodiac(ascendant, chart.ascendant.where);
  Json& aspects = object["aspects"] = Json::array();
  for (const AspectEntry& e : chart.aspects) {
    Json aspect;
    aspect["kind"] = std::string(Info(e.kind).caption);
    aspect["first"] = std::string(BodyName(e.first));
    aspect["second"] = std::string(BodyName(e.second));
    aspect["separation"] = e.separation;
    if (paragraphs) aspect["paragraph"] = std::string(GetInterpretation(e.kind, e.first, e.second));
    aspects.push_back(std::move(aspect));
  }
}

void AddPlaceMember(Json& object, const PlaceFacts& facts) {
  const places::Place& p = facts.place;
  Json& place = object["place"] = Json::object();
  place["name"] = p.name;
  place["admin"] = p.admin1Name;
  place["country"] = p.countryName;
  place["lat"] = p.latitude;
  place["lon"] = p.longitude;
  place["tz"] = p.timeZone;
  place["offset_minutes"] = facts.offsetMinutes;
  place["dst"] = facts.dst;
}

std::string JsonTextOf(const Json& value, int indent) {
  return value.dump(indent, ' ', false, Json::error_handler_t::replace);
}

}  // namespace orbisca::cli

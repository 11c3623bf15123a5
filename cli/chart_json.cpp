#include "cli/chart_json.h"

#include "aspects/interpretation.h"
#include "astro/civil_day.h"
#include "run/vedic_text.h"

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

// A body or a node: its name, longitude, sign and nakshatra.
Json PositionObject(std::string_view name, double longitude, const ZodiacPosition& where) {
  Json object = Json::object();
  object.get_ref<Json::object_t&>().reserve(7);
  object["name"] = std::string(name);
  object["longitude"] = longitude;
  AddZodiac(object, where);
  return object;
}

std::string EnglishDay(int weekday) { return std::string(kWeekdays[static_cast<std::size_t>(weekday)].english); }

Json ParticularsObject(const ChartParticulars& p) {
  Json object = Json::object();
  object.get_ref<Json::object_t&>().reserve(10);
  object["weekday"] = EnglishDay(p.weekday);
  object["vara"] = EnglishDay(p.vara.weekday);
  object["sunrise"] = p.vara.sunrise.kind == SunriseKind::Rises ? Json(IsoUniversal(p.vara.sunrise.julianDay)) : Json();
  object["tithi"] = p.day.tithi;
  object["tithi_name"] = std::string(TithiName(p.day.tithi));
  object["paksha"] = std::string(PakshaName(p.day.paksha));
  object["yoga"] = p.day.yoga;
  object["yoga_name"] = std::string(YogaName(p.day.yoga));
  object["karana"] = p.day.karana;
  object["karana_name"] = std::string(KaranaName(p.day.karana));
  return object;
}

// Periods with their sub-periods, as deep as they were computed.
Json PeriodsArray(const std::vector<DashaPeriod>& periods) {
  Json array = Json::array();
  array.get_ref<Json::array_t&>().reserve(periods.size());
  for (const DashaPeriod& d : periods) {
    Json period = Json::object();
    period.get_ref<Json::object_t&>().reserve(4);
    period["lord"] = std::string(LordName(d.lord));
    period["start"] = IsoUniversal(d.start);
    period["end"] = IsoUniversal(d.end);
    if (!d.periods.empty()) period["periods"] = PeriodsArray(d.periods);
    array.push_back(std::move(period));
  }
  return array;
}

}  // namespace

void AddChartMembers(Json& object, const Chart& chart, bool paragraphs) {
  // The members are kept in a vector of pairs whose keys are const: growing
  // it copies every member made so far, the bodies' and aspects' arrays
  // whole. Room for all of them (and "line" and "place") is made at once.
  if (object.is_null()) object = Json::object();
  object.get_ref<Json::object_t&>().reserve(object.size() + 11);
  object["universal_time_hours"] = chart.instant.universalHours;
  object["sidereal_shift"] = chart.instant.siderealShift;
  object["julian_day"] = chart.instant.julianDay;
  Json& bodies = object["bodies"] = Json::array();
  // Room made once for the members and elements: a batch writes millions.
  bodies.get_ref<Json::array_t&>().reserve(chart.bodies.size());
  for (const BodyPosition& b : chart.bodies) bodies.push_back(PositionObject(BodyName(b.body), b.longitude, b.where));
  Json& ascendant = object["ascendant"] = Json::object();
  ascendant["longitude"] = chart.ascendant.longitude;
  AddZodiac(ascendant, chart.ascendant.where);
  Json& aspects = object["aspects"] = Json::array();
  aspects.get_ref<Json::array_t&>().reserve(chart.aspects.size());
  for (const AspectEntry& e : chart.aspects) {
    Json aspect = Json::object();
    aspect.get_ref<Json::object_t&>().reserve(5);
    aspect["kind"] = std::string(Info(e.kind).caption);
    aspect["first"] = std::string(BodyName(e.first));
    aspect["second"] = std::string(BodyName(e.second));
    aspect["separation"] = e.separation;
    if (paragraphs) aspect["paragraph"] = std::string(GetInterpretation(e.kind, e.first, e.second));
    aspects.push_back(std::move(aspect));
  }
  Json& nodes = object["nodes"] = Json::array();
  nodes.get_ref<Json::array_t&>().reserve(chart.nodes.size());
  for (const NodePosition& n : chart.nodes) nodes.push_back(PositionObject(NodeName(n.node), n.longitude, n.where));
  object["particulars"] = ParticularsObject(chart.particulars);
  Json& dasha = object["dasha"] = Json::object();
  dasha.get_ref<Json::object_t&>().reserve(3);
  dasha["year_days"] = DashaYearDays(chart.dasha.year);
  dasha["balance"] = {{"lord", std::string(LordName(chart.dasha.balance.lord))}, {"years", chart.dasha.balance.years}};
  if (!chart.dasha.periods.empty()) dasha["periods"] = PeriodsArray(chart.dasha.periods);
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

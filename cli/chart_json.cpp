#include "cli/chart_json.h"

#include "aspects/interpretation.h"
#include "astro/julian.h"
#include "astro/moon.h"
#include "astro/planet_position.h"
#include "run/calculation_run.h"

namespace orbisca::cli {

ChartValues ComputeChart(const BirthEntries& entries) {
  ChartInput in;
  FillChartInput(entries, in);
  ChartValues chart;
  chart.universalTimeHours = UniversalTimeHours(in);
  chart.siderealShift = SiderealShiftFor(in);
  const double moon = MoonSiderealLongitude(in);
  const CalendarMinute ut = UniversalDateTime(in);
  const double d = DayNumberJ2000(ut.year, ut.month, ut.day, ut.hour, ut.minute);
  chart.planets = BuildPlanetTable(PlanetSiderealLongitudes(d, chart.siderealShift), moon);
  chart.aspects = FindAspects(chart.planets);
  return chart;
}

void WriteChartMembers(JsonText& json, const ChartValues& chart, bool paragraphs) {
  json.Member("universal_time_hours", chart.universalTimeHours);
  json.Member("sidereal_shift", chart.siderealShift);
  json.Key("bodies");
  json.BeginArray();
  for (Body b : kAllBodies) {
    json.BeginObject();
    json.Member("name", BodyName(b));
    json.Member("longitude", chart.planets.Longitude(b));
    json.EndObject();
  }
  json.EndArray();
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

}  // namespace orbisca::cli

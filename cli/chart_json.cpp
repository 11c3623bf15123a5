#include "cli/chart_json.h"

#include "aspects/interpretation.h"
#include "astro/planet_position.h"
#include "run/calculation_run.h"
#include "run/chart_input.h"

namespace orbisca::cli {

ChartValues ValuesOf(const ChartInput& input, const ChartPositions& positions) {
  ChartValues chart;
  chart.universalTimeHours = UniversalTimeHours(input);
  chart.siderealShift = positions.siderealShift;
  chart.planets = positions.planets;
  chart.aspects = FindAspects(positions.planets);
  return chart;
}

ChartValues ComputeChart(const BirthEntries& entries) {
  ChartInput in;
  FillChartInput(entries, in);
  return ValuesOf(in, PositionsAt(InstantOf(in)));
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

#include "run/calculation_run.h"

#include <cmath>
#include <optional>

#include "run/records.h"
#include "run/time_zones.h"

namespace orbisca {
namespace {

void Assign(std::int16_t& field, std::string_view text) {
  if (const std::optional<short> v = TextToInt16(text)) field = *v;
}

// A degree box through the same reading as its check.
void AssignDegrees(std::int16_t& field, std::string_view text) {
  const std::optional<double> degrees = DegreesValue(text);
  if (!degrees) return;
  if (const std::optional<short> v = ToInt16(*degrees)) field = *v;
}

std::int16_t Magnitude(std::int16_t v) { return static_cast<std::int16_t>(v < 0 ? -v : v); }

}  // namespace

void FillChartInput(const BirthEntries& e, ChartInput& r) {
  r.PersonName = e.name;
  Zone_Calculation(e.zoneIndex, r);
  if (e.monthIndex >= 0) r.BirthMonth = static_cast<std::int16_t>(e.monthIndex + 1);
  Assign(r.BirthDay, e.dayText);
  Assign(r.BirthYear, e.yearText);
  Assign(r.BirthHour, e.hourText);
  Assign(r.BirthMinute, e.minuteText);
  r.ZoneHours = Magnitude(r.ZoneCorrHours);
  r.ZoneMinutes = Magnitude(r.ZoneCorrMinutes);
  AssignDegrees(r.LonDeg, e.lonDeg);
  Assign(r.LonMin, e.lonMin);
  AssignDegrees(r.LatDeg, e.latDeg);
  Assign(r.LatMin, e.latMin);
  r.IsEast = ToFlag(e.east);
  r.IsSouth = ToFlag(e.south);
  r.IsDst = ToFlag(e.dst);
}

bool RunChart(BirthDataView& view) {
  const BirthEntries entries = view.Entries();
  if (const std::optional<EntryRefusal> refusal = CheckEntries(entries)) {
    view.Refuse(*refusal);
    return false;
  }
  FillChartInput(entries, Records().Input);
  CalcSiderealShift();
  CalcMoonPosition();
  CalcPlanetPositions();
  const std::vector<AspectEntry> aspects = CalcAspects(view.Results());
  view.ShowChart(Records().Input, aspects);
  view.ShowResults();
  return true;
}

}  // namespace orbisca

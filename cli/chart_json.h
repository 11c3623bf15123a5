#pragma once

#include <vector>

#include "aspects/aspects.h"
#include "astro/chart_positions.h"
#include "cli/json_text.h"
#include "cli/place_option.h"
#include "run/birth_entries.h"
#include "run/chart_input.h"

namespace orbisca::cli {

// What orbisca-chart prints of one chart.
struct ChartValues {
  double universalTimeHours = 0.0;
  ChartFacts facts{};
  std::vector<AspectEntry> aspects;
};

// What a chart's record and its facts give.
ChartValues ValuesOf(const ChartInput& input, const ChartFacts& facts);

// The chart of entries that passed the form's checks, through the engine's
// pure functions (no program-wide record), so that charts can be computed
// side by side.
ChartValues ComputeChart(const BirthEntries& entries);

// The chart's members of the --json object, in their order, into the object
// the writer has open: universal_time_hours, sidereal_shift, julian_day,
// bodies (with their signs and nakshatras), ascendant, aspects (each with its
// paragraph when asked).
void WriteChartMembers(JsonText& json, const ChartValues& chart, bool paragraphs);

// The "place" member of a chart whose place came from the atlas: name, admin,
// country, lat, lon, tz, offset_minutes and dst.
void WritePlaceMember(JsonText& json, const PlaceFacts& facts);

}  // namespace orbisca::cli

#pragma once

#include <string>

#include "cli/json_writer.h"
#include "cli/place_option.h"
#include "run/chart.h"

namespace orbisca::cli {

// What a chart's JSON holds besides its positions, particulars and balance.
struct ChartJsonParts {
  bool paragraphs = false;  // each aspect's interpretation
  bool vargas = false;      // the sixteen divisional charts (the chart must have them)
};

// The chart's members of the --json object, in their order: universal_time_hours,
// sidereal_shift, julian_day, bodies (with their signs and nakshatras),
// ascendant, aspects (each with its paragraph when asked), nodes (Rahu and
// Ketu, with a body's keys), particulars, dasha (year_days, balance, and the
// periods when the chart has them), and vargas when asked: {"D1": {"Sun": 5,
// ..., "Rahu": .., "Ketu": .., "Ascendant": ..}, "D2": ...}, signs 1 to 12.
void WriteChartMembers(JsonWriter& json, const Chart& chart, const ChartJsonParts& parts);

// The "place" member of a chart whose place came from the atlas: name, admin,
// country, lat, lon, tz, offset_minutes and dst.
void WritePlaceMember(JsonWriter& json, const PlaceFacts& facts);

}  // namespace orbisca::cli

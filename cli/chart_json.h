#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "cli/place_option.h"
#include "run/chart.h"

namespace orbisca::cli {

// The members keep the order they are added in.
using Json = nlohmann::ordered_json;

// The chart's members of the --json object, in their order: universal_time_hours,
// sidereal_shift, julian_day, bodies (with their signs and nakshatras),
// ascendant, aspects (each with its paragraph when asked).
void AddChartMembers(Json& object, const Chart& chart, bool paragraphs);

// The "place" member of a chart whose place came from the atlas: name, admin,
// country, lat, lon, tz, offset_minutes and dst.
void AddPlaceMember(Json& object, const PlaceFacts& facts);

// The JSON text: on one line (indent < 0) or indented; invalid UTF-8 in a
// string is written as U+FFFD.
std::string JsonTextOf(const Json& value, int indent = -1);

}  // namespace orbisca::cli

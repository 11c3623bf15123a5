#pragma once

// The chart of one birth record, and its picture.

#include <string>

#include "astro/chart_positions.h"
#include "report/chart_picture.h"
#include "run/chart_input.h"

namespace orbisca {

// Signed longitude of the birth place, east positive, and latitude, north
// positive, in degrees.
double EastLongitude(const ChartInput& in);
double NorthLatitude(const ChartInput& in);

// The chart of one birth, from the same instant and by the same position
// functions as the run.
ChartFacts ComputeChartFacts(const ChartInput& in);

// "40°42′N 74°00′W".
std::string PlaceCoordinates(const ChartInput& in);

// The picture of the chart: the ten bodies and the lagna in their signs; the
// centre shows the name, the local date and time and the place (the typed
// place, when there is one, above the coordinates).
ChartPicture PictureOfChart(const ChartInput& in, const ChartFacts& facts, const std::string& placeName);

}  // namespace orbisca

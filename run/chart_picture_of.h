#pragma once

// The picture of a chart.

#include <string>

#include "report/chart_picture.h"
#include "run/chart.h"

namespace orbisca {

// The picture of the chart: the ten bodies and the lagna in their signs; the
// centre shows the name, the local date and time and the place (the typed
// place, when there is one, above the coordinates).
ChartPicture PictureOfChart(const Birth& birth, const Chart& chart, const std::string& placeName);

}  // namespace orbisca
